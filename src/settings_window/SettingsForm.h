#pragma once
#include <string>

#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/ProfileFiles.h"
#include "platform/SystemServices.h"
#include "settings_file/OptionTable.h"
#include "settings_file/SettingsFile.h"
#include "settings_window/SettingsFormState.h"
#include "settings_window/SettingsView.h"

namespace lumora {

inline constexpr const char* kOnePictureNote =
    "Note: This screensaver will display your pictures at random. If you only enter one picture, the screen will "
    "never change as there will be only one picture to choose from.";
inline constexpr const char* kListFullMessage =
    "You have reached the maximum number of entries stored.  Please delete one if you wish to add another.";
inline constexpr const char* kNoPicturesToRemoveMessage =
    "There are no items in the list. Click ADD to add some pictures to the list.";
inline constexpr const char* kNoSoundsToRemoveMessage =
    "There are no items in the list. Click ADD to add some sound files to the list.";
inline constexpr const char* kConfirmRemoveMessage =
    "You are about to delete the highlighted item in the box above. Click OK to confirm. ";
inline constexpr const char* kEntryNotFoundMessage =
    "An error occurred while looking for the string to delete. You may need to delete your file and run the "
    "screen saver settings again which will re-create the file. If this continues contact technical support.";

// Everything the settings window reaches the platform through.
struct SettingsServices {
  SystemServices& system;
  FileSystem& files;
  ProfileFiles& profiles;
  MessageBoxes& boxes;
  SettingsView& view;
};

// The settings window: shows the options of the settings file, creating the file when it is missing, writes them
// back on OK, and edits the picture and sound lists slot by slot. A handler that fails to write raises the store's
// SettingsWriteError and skips its remaining steps.
class SettingsForm {
 public:
  SettingsForm(SettingsFormState& state, const SettingsServices& services);

  void Open();
  void ReadSettings();
  void OnWidthScroll(int scrollPos);
  void OnHeightScroll(int scrollPos);
  void SaveAndClose();
  void ShowDisclaimer();

  // List editing.
  void AddPicture();
  void RemovePicture();
  void AddSound();
  void RemoveSound();
  void AddPictureEntry(const std::string& path);
  void AddSoundEntry(const std::string& path);
  void DeletePictureEntry();
  void DeleteSoundEntry();

 private:
  // One of the two lists with everything that belongs to it.
  struct ListSide {
    SlotList list;
    SettingsControl listBox;
    SlotTable& slots;
    int16_t& count;
  };
  ListSide SideOf(SlotList list);

  void CreateSettingsFile();
  void ShowOption(Option option, int32_t value);
  int32_t ShownValue(Option option);
  void ShowSize(Option option, int stored);
  bool ConfirmRemoval(const ListSide& side, const char* emptyMessage);
  void AddEntry(ListSide side, const std::string& path);
  void DeleteEntry(ListSide side);

  SettingsFormState& state_;
  SettingsServices services_;
};

}  // namespace lumora
