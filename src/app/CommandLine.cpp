#include "app/CommandLine.h"

namespace lumora {

namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' ' && c != '\0'; }

// Reads one argument starting at `pos`; returns false when none is left.
bool NextArgument(const std::string& line, size_t& pos, std::string& argument) {
  for (;;) {
    while (pos < line.size() && IsSeparator(line[pos])) ++pos;
    // A pair of quotes in front of an argument stands for nothing.
    if (line.compare(pos, 2, "\"\"") == 0) pos += 2;
    else break;
  }
  if (pos >= line.size() || line[pos] == '\0') return false;
  argument.clear();
  while (pos < line.size() && line[pos] != '\0' && !IsSeparator(line[pos])) {
    if (line[pos] != '"') {
      argument += line[pos++];
      continue;
    }
    ++pos;
    while (pos < line.size() && line[pos] != '\0' && line[pos] != '"') argument += line[pos++];
    if (pos < line.size() && line[pos] == '"') ++pos;
  }
  return true;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> arguments;
  size_t pos = 0;
  std::string argument;
  while (NextArgument(commandLine, pos, argument)) arguments.push_back(argument);
  return arguments;
}

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string ArgumentPrefix(const std::string& argument) { return UpperAscii(argument).substr(0, 2); }

RunMode ChooseRunMode(const std::vector<std::string>& commandLineArguments) {
  if (commandLineArguments.size() < 2) return RunMode::None;
  const std::string upper = UpperAscii(commandLineArguments[1]);
  const std::string prefix = ArgumentPrefix(upper);
  if (upper == "/S") return RunMode::Saver;
  if (upper == "/C" || prefix == "/C") return RunMode::Settings;
  if (upper == "/A" || prefix == "/A") return RunMode::PasswordChange;
  return RunMode::None;
}

}  // namespace lumora
