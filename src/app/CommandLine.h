#pragma once
#include <string>
#include <vector>

namespace lumora {

enum class RunMode { None, Saver, Settings, PasswordChange };

// The command line split into arguments, the program's own name first: every character with a code of 32 or
// less separates arguments, double quotes group a run of characters and are dropped.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// Only a to z are upper-cased; no locale rules.
std::string UpperAscii(std::string text);
// The first two characters of the upper-cased argument, fewer when it is shorter.
std::string ArgumentPrefix(const std::string& argument);
// The mode that the first argument after the program's name asks for.
RunMode ChooseRunMode(const std::vector<std::string>& commandLineArguments);

}  // namespace lumora
