#include "harness/WindowsFiles.h"

#include <algorithm>
#include <fstream>

#include "harness/Harness.h"

namespace lumora::e2e {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string Backslashes(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace

std::string ToWindowsPath(const std::filesystem::path& driveC, const std::filesystem::path& unixPath) {
  const auto path = std::filesystem::absolute(unixPath).lexically_normal();
  const auto relative = path.lexically_relative(std::filesystem::absolute(driveC).lexically_normal());
  if (!relative.empty() && *relative.begin() != "..") {
    return relative == "." ? "C:\\" : "C:\\" + Backslashes(relative.string());
  }
  return "Z:" + Backslashes(path.string());
}

std::string ToWindowsPath(const std::filesystem::path& unixPath) { return ToWindowsPath(Session().DriveC(), unixPath); }

std::filesystem::path FromWindowsPath(const std::string& windowsPath) {
  if (windowsPath.size() < 3 || std::tolower(static_cast<unsigned char>(windowsPath[0])) != 'c' ||
      windowsPath.compare(1, 2, ":\\") != 0) {
    throw HarnessError("not a path on C: " + windowsPath);
  }
  std::string relative = windowsPath.substr(3);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  return Session().DriveC() / relative;
}

std::filesystem::path WindowsDir() { return Session().WindowsDir(); }

std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder, const std::string& name) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    if (Lower(entry.path().filename().string()) == Lower(name)) return entry.path();
  return std::nullopt;
}

void WriteWindowsFile(const std::string& name, const std::string& content) {
  RemoveWindowsFile(name);
  std::ofstream file(WindowsDir() / name, std::ios::binary);
  file << content;
  if (!file) throw HarnessError("cannot write " + (WindowsDir() / name).string());
}

std::optional<std::string> ReadWindowsFile(const std::string& name) {
  const auto path = FindIgnoringCase(WindowsDir(), name);
  if (!path) return std::nullopt;
  return ReadFile(*path);
}

void RemoveWindowsFile(const std::string& name) {
  while (const auto path = FindIgnoringCase(WindowsDir(), name)) std::filesystem::remove(*path);
}

}  // namespace lumora::e2e
