#pragma once
// The text of a prepared settings file, as the demo and the tests install it.
#include <map>
#include <optional>
#include <string>

namespace lumora {

// The option lines of a new settings file, in the order it holds them; it lacks Seq.
inline constexpr const char* kNewFileOptions =
    "Sound=0\r\nStatus=0\r\nRepeat=0\r\nTime=2\r\nColor=4\r\nPicdis=4\r\nHeight=25\r\nWidth=25\r\n";

// Slot number to value; a slot mapped to nothing is left out of the file.
using SlotValues = std::map<int, std::optional<std::string>>;

// "[Options]", the option lines given (each "Key=value\r\n"), then the kSlotCount slots of the picture list and of the
// sound list: a slot named in the map holds its value (or is left out), every other slot is "Null".
std::string SettingsFileText(const std::string& optionLines, const SlotValues& pictures = {},
                             const SlotValues& sounds = {});

}  // namespace lumora
