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
    if (argument == "--help" || argument == "--version") {
      request.action = argument == "--help" ? ListsAction::Help : ListsAction::Version;
      return request;
    }
    if (argument == "--recursive") {
      request.recursive = true;
    } else if (argument == "--append") {
      request.append = true;
    } else if (argument == "--pictures") {
      AddTo(request.pictures, ValueOf(arguments, index, "a folder or a picture file"));
    } else if (argument == "--sounds") {
      AddTo(request.sounds, ValueOf(arguments, index, "a folder or a sound file"));
    } else if (argument == "--ini") {
      if (request.ini) throw UsageError("--ini given twice");
      request.ini = ValueOf(arguments, index, "a settings file");
    } else {
      throw UsageError("Unknown argument " + argument + " (lumora-lists --help lists the options)");
    }
  }
  if (!request.pictures && !request.sounds) throw UsageError("Nothing to do: give --pictures or --sounds");
  return request;
}

std::vector<std::string> ListsUsage() {
  return {
      "Usage: lumora-lists [--ini FILE] [--pictures DIR|FILE]... [--sounds DIR|FILE]... [--recursive] [--append]",
      "Writes the picture and sound lists of a Lumora settings file from folders and files.",
      "  --ini FILE           the settings file; on Windows lumora.ini in the Windows directory when left out",
      "  --pictures DIR|FILE  the .jpg, .jpeg and .bmp files of a folder, or one such file; may be repeated",
      "  --sounds DIR|FILE    the .wav and .mid files of a folder, or one such file; may be repeated",
      "  --recursive          take the files of subfolders too",
      "  --append             put the files into the free slots instead of replacing the list",
      "  --help               show this text",
      "  --version            show the program's version",
      "Files of a folder are taken in natural order (img2 before img10). A list not named stays as it is.",
  };
}

}  // namespace lumora
