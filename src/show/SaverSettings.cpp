#include "show/SaverSettings.h"

#include "settings_file/SettingsFile.h"

namespace lumora {

namespace {

// The value of a choice as the enumeration whose values are its codes.
template <typename Choice>
Choice ReadChoice(const SettingsStore& ini, Option option) {
  return static_cast<Choice>(CodeRowFor(option, ReadOption(ini, option)).code);
}

void ReadLists(const SettingsStore& ini, FileSystem& files, SaverSettings& settings) {
  ReadSlots(ini, {SlotList::Pictures, SlotList::Sounds}, [&](SlotList list, int, const std::string& path) {
    if (IsFreeSlot(path)) return true;
    if (files.FileExists(path)) {
      (list == SlotList::Pictures ? settings.pictures : settings.sounds).push_back(path);
      return true;
    }
    if (list == SlotList::Pictures) {
      settings.missingPicture = path;
      settings.pictures.clear();
    } else {
      settings.sounds.clear();
      settings.soundOn = false;
    }
    return false;
  });
}

}  // namespace

SaverSettings ReadSaverSettings(const SettingsStore& ini, FileSystem& files) {
  SaverSettings settings{};
  settings.soundOn = ReadOption(ini, Option::Sound) != 0;
  settings.inOrder = ReadOption(ini, Option::InOrder) != 0;
  settings.colourScheme = ReadChoice<ColourScheme>(ini, Option::ColourScheme);
  settings.displayMode = ReadChoice<DisplayModeKind>(ini, Option::DisplayMode);
  settings.delayMs = CodeRowFor(Option::Delay, ReadOption(ini, Option::Delay)).delayMs;
  settings.customHeight = ReadOption(ini, Option::Height);
  settings.customWidth = ReadOption(ini, Option::Width);
  ReadLists(ini, files, settings);
  return settings;
}

}  // namespace lumora
