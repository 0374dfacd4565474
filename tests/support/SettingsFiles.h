#pragma once
// The text of a prepared settings file, as the demo and the tests install it.
#include <map>
#include <optional>
#include <string>

namespace lumora {

// Slot number to value; a slot mapped to nothing is left out of the file.
using SlotValues = std::map<int, std::optional<std::string>>;

// "[Options]", the option lines given (each "Key=value\r\n"), then the kSlotCount slots of the picture list and of the
// sound list: a slot named in the map holds its value (or is left out), every other slot is "Null".
std::string SettingsFileText(const std::string& optionLines, const SlotValues& pictures = {},
                             const SlotValues& sounds = {});

}  // namespace lumora
