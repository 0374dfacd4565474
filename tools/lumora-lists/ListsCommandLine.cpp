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

using Take = void (*)(ListsRequest& request, std::string value);

// One option of the command line: its name (and another it answers to), what it takes and what the missing value
// is called in the message that says so, how it changes the request, and the lines of --help that say what it does.
struct ListsOption {
  const char* name;
  const char* alias;
  const char* value;  // nothing: it takes none
  const char* needs;
  Take take;
  std::vector<const char*> help;
};

// One option a row.
// clang-format off
const std::vector<ListsOption> kOptions = {
    {"--ini", nullptr, "FILE", "a settings file", [](ListsRequest& r, std::string value) {
       if (r.ini) throw UsageError("--ini given twice");
       r.ini = std::move(value); },
     {"the settings file; when left out, lumora.ini in the", "Windows directory"}},
    {"--pictures", nullptr, "DIR|FILE", "a folder or a picture file",
     [](ListsRequest& r, std::string value) { AddTo(r.pictures, std::move(value)); },
     {"the JPEG (.jpg, .jpeg) and bitmap (.bmp) files of a", "folder, or one such file; may be repeated"}},
    {"--sounds", nullptr, "DIR|FILE", "a folder or a sound file",
     [](ListsRequest& r, std::string value) { AddTo(r.sounds, std::move(value)); },
     {"the wave (.wav) and MIDI (.mid) files of a folder, or", "one such file; may be repeated"}},
    {"--recursive", nullptr, nullptr, nullptr, [](ListsRequest& r, std::string) { r.recursive = true; },
     {"take the files of subfolders too"}},
    {"--append", nullptr, nullptr, nullptr, [](ListsRequest& r, std::string) { r.append = true; },
     {"add the files to the list instead of replacing it; files", "listed already are not added again"}},
    {"--check", nullptr, nullptr, nullptr, [](ListsRequest& r, std::string) { r.check = true; },
     {"only say what would be listed; change nothing"}},
    {"--refresh", nullptr, nullptr, nullptr, [](ListsRequest& r, std::string) { r.refresh = true; },
     {"list again the folders and files chosen last, with the", "pictures added to them since and without those gone"}},
    {"--quiet", nullptr, nullptr, nullptr, [](ListsRequest& r, std::string) { r.quiet = true; },
     {"with --refresh: a box only when a list could not be", "kept (lumora-listsw.exe, as it runs at sign-in)"}},
    {"--choose", nullptr, nullptr, nullptr, [](ListsRequest& r, std::string) { r.choose = true; },
     {"choose the folder of pictures, and one of sounds if you",
      "like, in the system's folder dialog; their subfolders", "are taken too, and every message shows in a box"}},
    {"--source", nullptr, "pictures|sounds", "pictures or sounds", [](ListsRequest& r, std::string value) {
       if (value != "pictures" && value != "sounds") throw UsageError("--source needs pictures or sounds");
       r.source = value == "pictures" ? SlotList::Pictures : SlotList::Sounds; },
     {"print the folder the list was made from (for setup);", "the exit code is 1 when the list is empty"}},
    {"--settings-file", nullptr, nullptr, nullptr, [](ListsRequest& r, std::string) { r.settingsFile = true; },
     {"print the settings file the lists go into (for setup)"}},
    {"--help", "/?", nullptr, nullptr, [](ListsRequest& r, std::string) { r.action = ListsAction::Help; },
     {"show this text"}},
    {"--version", nullptr, nullptr, nullptr, [](ListsRequest& r, std::string) { r.action = ListsAction::Version; },
     {"show the program's version"}},
};
// clang-format on

const ListsOption& OptionNamed(const std::string& argument) {
  for (const ListsOption& option : kOptions)
    if (argument == option.name || (option.alias && argument == option.alias)) return option;
  throw UsageError("Unknown argument " + argument + " (lumora-lists --help lists the options)");
}

// A combination that does not say what to do.
void CheckTogether(const ListsRequest& request) {
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
}

// "  --ini FILE           the settings file; ...": the option in its column, what it does beside it; an option
// too wide for its column stands on a line of its own.
void AddHelp(std::vector<std::string>& lines, const ListsOption& option) {
  constexpr size_t kColumn = 23;
  std::string label = std::string("  ") + option.name + (option.alias ? std::string(", ") + option.alias : "") +
                      (option.value ? std::string(" ") + option.value : "");
  if (label.size() >= kColumn - 1) {
    lines.push_back(label);
    label.clear();
  }
  for (const char* line : option.help) {
    label.resize(kColumn, ' ');
    lines.push_back(label + line);
    label.clear();
  }
}

}  // namespace

ListsRequest ParseListsCommandLine(const std::vector<std::string>& arguments) {
  ListsRequest request;
  for (size_t index = 0; index < arguments.size(); ++index) {
    const ListsOption& option = OptionNamed(arguments[index]);
    option.take(request, option.value ? ValueOf(arguments, index, option.needs) : std::string());
    if (request.action != ListsAction::Update) return request;  // --help and --version end the reading
  }
  CheckTogether(request);
  return request;
}

std::vector<std::string> ListsUsage() {
  // Each line fits a console of 80 columns without wrapping.
  const std::string slots = std::to_string(kSlotCount);
  std::vector<std::string> lines = {
      "Usage: lumora-lists [--ini FILE] [--pictures DIR|FILE]...",
      "                    [--sounds DIR|FILE]... [--recursive] [--append]",
      "Writes the picture and sound lists of a Lumora settings file from folders and",
      "files.",
  };
  for (const ListsOption& option : kOptions) AddHelp(lines, option);
  lines.insert(lines.end(),
               {
                   "Files of a folder are taken in natural order (img2 before img10). A file whose",
                   "content is not what its name says is left out. A list not named stays as it",
                   "is, and so does a list for which nothing was found. Folders holding more files",
                   "than the list's " + slots + " slots fill it with " + slots + ", and each later listing of the same",
                   "folders (--refresh, or the same folders named again) with the next " + slots + ".",
               });
  return lines;
}

}  // namespace lumora
