#pragma once
// Files of the prefix as the Windows programs see them: C:\ paths and Windows's case-insensitive names.
#include <filesystem>
#include <optional>
#include <string>

namespace lumora::e2e {

// C:\... for files under the prefix's drive_c, Z:\... (Wine's drive for /) for everything else.
std::string ToWindowsPath(const std::filesystem::path& driveC, const std::filesystem::path& unixPath);
std::string ToWindowsPath(const std::filesystem::path& unixPath);  // in the session's prefix
// The Unix path of a C:\... path in the session's prefix.
std::filesystem::path FromWindowsPath(const std::string& windowsPath);

std::filesystem::path WindowsDir();  // Unix path of C:\windows

// The entry of the folder whose name equals `name` ignoring case, as Windows would open it.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder, const std::string& name);

// Files in C:\windows such as the settings file; names are matched ignoring case, contents are written as given.
void WriteWindowsFile(const std::string& name, const std::string& content);
std::optional<std::string> ReadWindowsFile(const std::string& name);
void RemoveWindowsFile(const std::string& name);

}  // namespace lumora::e2e
