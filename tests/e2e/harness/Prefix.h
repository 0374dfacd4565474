#pragma once
// Wine prefixes of the test runs: the template every run copies, the environment Wine runs with, and what a prefix
// leaves behind outside itself.
#include <filesystem>
#include <string>
#include <vector>

#include "harness/Process.h"

namespace lumora::e2e {

// Mono and Gecko would ask to be installed; the menu builder would write desktop entries into the user's home.
inline constexpr char kSessionDllOverrides[] = "mscoree,mshtml=;winemenubuilder.exe=d";
inline constexpr char kX11DriverKey[] = "HKCU\\Software\\Wine\\X11 Driver";

// Debian's `wine` starts Wine's 32-bit loader whenever it is installed. Some hosts' kernels run no 32-bit code
// (virtual machines without IA-32 emulation): there only the 64-bit loader starts, and only 64-bit programs run.
bool HostRuns32BitWine();
// What starts a Windows program and its arguments in Wine, with the loader that runs on this host.
std::vector<std::string> WineCommand(const std::vector<std::string>& programAndArgs);

// This process's environment for Wine in the prefix: no display, no output of Wine's own, the session's DLL choices.
Environment PrefixEnvironment(const std::filesystem::path& prefix);

// The prefix that runs of this work folder copy rather than each initialising its own (about 25 s of Wine's work):
// as Wine makes it, with unmanaged windows. Made when there is none.
std::filesystem::path PrefixTemplate(const std::filesystem::path& workDir);
// Made afresh in place of the one there, so that runs start from the Wine installed now.
void RemakePrefixTemplate(const std::filesystem::path& workDir);
// A copy of a template for one run. The libraries of the system folders (nine tenths of its 1.3 GB) are only read,
// so they are linked, not copied: whatever replaces one of them removes it first.
void CopyPrefix(const std::filesystem::path& from, const std::filesystem::path& to);

// Where the server of a prefix listens: Debian's Wine keeps the name of the server's own temporary folder in
// PREFIX/wineserver, upstream Wine uses /tmp/.wine-UID.
std::filesystem::path ServerTempDir(const std::filesystem::path& prefix, unsigned uid);
// Only a server's own folder goes; the shared /tmp/.wine-UID stays.
void RemoveServerTempDir(const std::filesystem::path& prefix, unsigned uid);
// Processes of a prefix that outlived its server: they are ours, and nothing else would end them.
void KillLeftoverProcesses(const std::filesystem::path& prefix);

}  // namespace lumora::e2e
