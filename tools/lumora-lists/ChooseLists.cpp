#include "lumora-lists/ChooseLists.h"

#include "lumora-lists/HeldProfileFiles.h"
#include "lumora-lists/ListsRun.h"
#include "settings_file/OptionTable.h"

namespace lumora {

namespace {

constexpr const char* kPicturesTitle = "Choose the folder of the pictures for Lumora to show (with its subfolders):";
constexpr const char* kSoundsTitle = "Choose the folder of the wave and MIDI sounds for Lumora to play:";
constexpr const char* kAlsoSounds = "Also choose a folder of sounds?";
constexpr const char* kNothingChosen = "No folder was chosen: the pictures were left as they were.";

std::string WhatItDoes(const ListOutcome& outcome, const std::string& folder, bool soundOn) {
  if (outcome.more) return WillShowLine(outcome);
  if (outcome.list == SlotList::Pictures)
    return "Lumora will show " + Count(outcome.placed, outcome.list) + " from " + folder + ".";
  return "Lumora will play " + Count(outcome.placed, outcome.list) + " from " + folder +
         (soundOn ? " beside them." : " once sound is switched on in Lumora Settings.");
}

// What was done first, then what was left out and why.
std::string Summary(const UpdateResult& result, const ListsRequest& request, const std::string& iniPath, bool soundOn,
                    const std::vector<std::string>& details) {
  std::vector<std::string> lines;
  for (const ListOutcome& outcome : result.lists) {
    const std::vector<std::string>& folders = outcome.list == SlotList::Pictures ? *request.pictures : *request.sounds;
    lines.push_back(WhatItDoes(outcome, folders.front(), soundOn));
  }
  std::vector<std::string> after = details;
  for (const ListOutcome& outcome : result.lists)
    if (outcome.leftOut > 0) after.push_back(LeftOutLine(outcome, iniPath));
  return BoxText(lines, after);
}

// The folders chosen, as --pictures DIR --sounds DIR --recursive would name them; nothing when the first
// dialog was cancelled. A sounds dialog cancelled leaves the sounds as they are.
std::optional<ListsRequest> AskForFolders(const SettingsStore& ini, FolderChooser& chooser, MessageBoxes& boxes) {
  const std::optional<std::string> pictures = chooser.ChooseFolder(kPicturesTitle, ListSource(ini, SlotList::Pictures));
  if (!pictures) return std::nullopt;
  ListsRequest request;
  request.recursive = true;
  request.pictures = std::vector<std::string>{*pictures};
  if (!boxes.Show(BoxKind::Confirm, kAlsoSounds, BoxButtons::YesNo)) return request;
  if (const std::optional<std::string> sounds = chooser.ChooseFolder(kSoundsTitle, ListSource(ini, SlotList::Sounds)))
    request.sounds = std::vector<std::string>{*sounds};
  return request;
}

}  // namespace

int ChooseLists(const std::string& iniPath, const ListsServices& services) {
  MessageBoxes& boxes = *services.boxes;
  std::optional<HeldProfileFiles> before = ReadSettingsFile(services.tree, iniPath);
  if (!before) {
    boxes.Show(BoxKind::Error, CannotReadLine(iniPath), BoxButtons::Ok);
    return kListsFailed;
  }
  const std::optional<ListsRequest> request = AskForFolders(SettingsStore(*before, iniPath), *services.chooser, boxes);
  if (!request) {
    boxes.Show(BoxKind::Information, kNothingChosen, BoxButtons::Ok);
    return kListsSucceeded;
  }
  BoxConsole details(boxes);
  const std::optional<UpdateResult> result = CollectAndWrite(*request, iniPath, services, details, true);
  if (!result) {
    details.Finish(kListsFailed, false);
    return kListsFailed;
  }
  std::optional<HeldProfileFiles> after = ReadSettingsFile(services.tree, iniPath);
  const bool soundOn = after && ReadOption(SettingsStore(*after, iniPath), Option::Sound) != 0;
  boxes.Show(BoxKind::Information, Summary(*result, *request, iniPath, soundOn, details.Details()), BoxButtons::Ok);
  return kListsSucceeded;
}

}  // namespace lumora
