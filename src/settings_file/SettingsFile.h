#pragma once
#include <functional>
#include <initializer_list>
#include <string>

#include "settings_file/SettingsStore.h"

namespace lumora {

inline constexpr const char* kOptionsSection = "Options";
inline constexpr const char* kPictureSection = "JpegConfig";
inline constexpr const char* kSoundSection = "WavConfig";

// The two lists of the settings file, each in a section of its own.
enum class SlotList { Pictures, Sounds };
constexpr const char* SectionOf(SlotList list) { return list == SlotList::Pictures ? kPictureSection : kSoundSection; }

inline constexpr int kSlotCount = 500;
inline constexpr const char* kFreeSlot = "Null";
// Readers of a slot pass one blank; the store drops it, so an absent slot reads as empty text.
inline constexpr const char* kSlotDefault = " ";

// "Name1" to "Name" followed by kSlotCount.
std::string SlotKey(int slot);
// Reads the slots of `lists` from the first to the last, at each slot the lists in the order given, and hands each
// value to `visit`, until it returns false.
using SlotVisit = std::function<bool(SlotList list, int slot, const std::string& value)>;
void ReadSlots(const SettingsStore& ini, std::initializer_list<SlotList> lists, const SlotVisit& visit);
// "Null" exactly, letter case included; anything else, empty text too, is an entry.
inline bool IsFreeSlot(const std::string& value) { return value == kFreeSlot; }

// The full path of the settings file: the Windows directory, one backslash, and the executable's file name cut
// before its first period, with ".ini".
std::string IniFileName(const std::string& windowsDir, const std::string& executablePath);

// Writes a new settings file in its fixed order: the eight Options keys, then every slot of the picture
// and the sound list alternately, every slot "Null". `slotWritten(list, slot)` follows each slot's write.
void WriteNewSettingsFile(SettingsStore& ini, const std::function<void(SlotList, int)>& slotWritten = {});

}  // namespace lumora
