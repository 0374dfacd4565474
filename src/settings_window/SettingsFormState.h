#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "settings_file/SettingsFile.h"

namespace lumora {

// The window's copy of the kSlotCount slots of one list, indexed from 1. A slot not yet read or written
// holds empty text.
class SlotTable {
 public:
  std::string& operator[](int slot) { return slots_.at(static_cast<size_t>(slot - 1)); }
  const std::string& operator[](int slot) const { return slots_.at(static_cast<size_t>(slot - 1)); }

 private:
  std::array<std::string, kSlotCount> slots_;
};

// The settings window's state kept beside its controls, shared by its option and list handlers.
struct SettingsFormState {
  std::string iniFileName;
  std::string windowsDir;
  SlotTable pictureSlots;
  SlotTable soundSlots;
  int16_t pictureCount = 0;  // items in PictureList
  int16_t soundCount = 0;    // items in SoundList
};

}  // namespace lumora
