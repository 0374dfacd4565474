#include "lumora-lists/ListsCommandLine.h"

namespace lumora {

namespace {

// The value after an option; one that is empty or looks like an option means the value was left out.
std::string ValueOf(const std::vector<std::string>& arguments, size_t& index, const char* needs) {
  const std::string& option = arguments[index];
  if (index + 1 >= arguments.size() || arguments[index + 1].empty() || arguments[index + 1].rfind("--", 0) == 0)
    throw UsageError(option + " needs " + needs);
  return arguments[++index];
}

void AddTo(std::optional<std::vector<std::string>>& list, std::string value) {
  if (!list) list.emplace();
  list->push_back(std::move(value));
}

}  // namespace

ListsRequest ParseListsCommandLine(const std::vector<std::string>& arguments) {
  ListsRequest request;
  for (size_t index = 0; index < arguments.size(); ++index) {
    const std::string& argument = arguments[index];
    if (argument == "--help" || argument == "/?" || argument == "--version") {
      request.action = argument == "--version" ? ListsAction::Version : ListsAction::Help;
      return request;
    }
    if (argument == "--recursive") {
      request.recursive = true;
    } else if (argument == "--append") {
      request.append = true;
    } else if (argument == "--check") {
      request.check = true;
    } else if (argument == "--refresh") {
      request.refresh = true;
    } else if (argument == "--quiet") {
      request.quiet = true;
    } else if (argument == "--choose") {
      request.choose = true;
    } else if (argument == "--settings-file") {
      request.settingsFile = true;
    } else if (argument == "--pictures") {
      AddTo(request.pictures, ValueOf(arguments, index, "a folder or a picture file"));
    } else if (argument == "--sounds") {
      AddTo(request.sounds, ValueOf(arguments, index, "a folder or a sound file"));
    } else if (argument == "--source") {
      const std::string list = ValueOf(arguments, index, "pictures or sounds");
      if (list != "pictures" && list != "sounds") throw UsageError("--source needs pictures or sounds");
      request.source = list == "pictures" ? SlotList::Pictures : SlotList::Sounds;
    } else if (argument == "--ini") {
      if (request.ini) throw UsageError("--ini given twice");
      request.ini = ValueOf(arguments, index, "a settings file");
    } else {
      throw UsageError("Unknown argument " + argument + " (lumora-lists --help lists the options)");
    }
  }
  const bool listOptions = request.pictures || request.sounds || request.append || request.check;
  if (request.choose && (listOptions || request.refresh || request.recursive))
    throw UsageError("--choose asks for the folders: give it alone, or with --ini");
  if (request.source && (listOptions || request.refresh || request.choose || request.recursive))
    throw UsageError("--source only says where a list comes from: give it alone, or with --ini");
  if (request.settingsFile && (listOptions || request.refresh || request.choose || request.recursive || request.source))
    throw UsageError("--settings-file only names the settings file: give it alone, or with --ini");
  if (request.quiet && !request.refresh) throw UsageError("--quiet goes with --refresh");
  if (request.refresh && listOptions)
    throw UsageError("--refresh lists again what was chosen: give it alone, or with --ini");
  if (!request.refresh && !request.choose && !request.source && !request.settingsFile && !request.pictures &&
      !request.sounds)
    throw UsageError("Nothing to do: give --pictures, --sounds, --refresh or --choose");
  return request;
}

std::vector<std::string> ListsUsage() {
  // Each line fits a console of 80 columns without wrapping.
  return {
      "Usage: lumora-lists [--ini FILE] [--pictures DIR|FILE]...",
      "                    [--sounds DIR|FILE]... [--recursive] [--append]",
      "Writes the picture and sound lists of a Lumora settings file from folders and",
      "files.",
      "  --ini FILE           the settings file; when left out, lumora.ini in the",
      "                       Windows directory",
      "  --pictures DIR|FILE  the JPEG (.jpg, .jpeg) and bitmap (.bmp) files of a",
      "                       folder, or one such file; may be repeated",
      "  --sounds DIR|FILE    the wave (.wav) and MIDI (.mid) files of a folder, or",
      "                       one such file; may be repeated",
      "  --recursive          take the files of subfolders too",
      "  --append             add the files to the list instead of replacing it; files",
      "                       listed already are not added again",
      "  --check              only say what would be listed; change nothing",
      "  --refresh            list again the folders and files chosen last, with the",
      "                       pictures added to them since and without those gone",
      "  --quiet              with --refresh: a box only when a list could not be",
      "                       kept (lumora-listsw.exe, as it runs at sign-in)",
      "  --choose             choose the folder of pictures, and one of sounds if you",
      "                       like, in the system's folder dialog; their subfolders",
      "                       are taken too, and every message shows in a box",
      "  --source pictures|sounds",
      "                       print the folder the list was made from (for setup);",
      "                       the exit code is 1 when the list is empty",
      "  --settings-file      print the settings file the lists go into (for setup)",
      "  --help, /?           show this text",
      "  --version            show the program's version",
      "Files of a folder are taken in natural order (img2 before img10). A file whose",
      "content is not what its name says is left out. A list not named stays as it",
      "is, and so does a list for which nothing was found. Folders holding more files",
      "than the list's " + std::to_string(kSlotCount) + " slots fill it with " + std::to_string(kSlotCount) +
          ", and each later listing of the same",
      "folders (--refresh, or the same folders named again) with the next " + std::to_string(kSlotCount) + ".",
  };
}

}  // namespace lumora
