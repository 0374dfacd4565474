#pragma once
#include <string>
#include <vector>

#include "platform/ProfileFiles.h"

namespace lumora::test {

// A table of settings-store operations, one a line, fields split by "|":
//   text|SECTION|KEY|DEFAULT   int|SECTION|KEY|DEFAULT   flag|SECTION|KEY|0 or 1
//   write|SECTION|KEY|VALUE    writeint|SECTION|KEY|N    writeflag|SECTION|KEY|0 or 1    newfile
// Values may hold "{1500 x}" for 1500 letters x.
std::vector<std::string> SettingsStoreScript();

// Runs every operation through a SettingsStore on `path`; one result line per operation.
std::vector<std::string> RunProfileScript(ProfileFiles& files, const std::string& path,
                                          const std::vector<std::string>& script);

}  // namespace lumora::test
