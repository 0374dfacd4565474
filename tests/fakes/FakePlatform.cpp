#include "fakes/FakePlatform.h"

#include <algorithm>

#include "settings/IniText.h"

namespace lumora::test {

std::optional<std::vector<uint8_t>> FakeFileSystem::ReadFile(const std::string& path, size_t maxBytes) {
  reads.push_back(path);
  auto found = files.find(path);
  if (found == files.end() || found->second.size() > maxBytes) return std::nullopt;
  return found->second;
}

std::string MemoryProfileFiles::ReadText(const std::string& path, const std::string& section,
                                         const std::string& key, const std::string& fallback) {
  auto found = texts.find(path);
  if (found == texts.end()) return fallback;
  // Parsed once per text: the saver reads a thousand slots in a row.
  auto& [parsedText, document] = parsed_[path];
  if (parsedText != found->second) {
    parsedText = found->second;
    document = ParseIniText(parsedText);
  }
  return FindIniValue(document, section, key).value_or(fallback);
}

bool MemoryProfileFiles::WriteText(const std::string& path, const std::string& section, const std::string& key,
                                   const std::string& value) {
  if (writesAllowed <= 0) return false;
  --writesAllowed;
  IniDocument document = ParseIniText(texts[path]);
  SetIniValue(document, section, key, value);
  texts[path] = FormatIniText(document);
  writes.push_back(section + "/" + key + "=" + value);
  return true;
}

std::optional<bool> FakePasswords::VerifyPassword(const std::string& libraryPath) {
  verifyCalls.push_back(libraryPath);
  if (whileDialogOpen) whileDialogOpen();
  if (answers.empty()) return false;
  std::optional<bool> answer = answers.front();
  answers.pop_front();
  return answer;
}

uint32_t FakeMediaDevice::Open(const std::string& elementName, uint32_t& deviceId) {
  calls.push_back("open " + elementName);
  if (std::find(unopenable.begin(), unopenable.end(), elementName) != unopenable.end()) return openError;
  deviceId = nextDeviceId++;
  openDevice = deviceId;
  mode = kMciModeStop;
  return 0;
}

uint32_t FakeMediaDevice::Play(uint32_t) {
  calls.push_back("play");
  if (playResult == 0) mode = kMciModePlay;
  return playResult;
}

uint32_t FakeMediaDevice::Stop(uint32_t) {
  calls.push_back("stop");
  mode = kMciModeStop;
  return 0;
}

uint32_t FakeMediaDevice::Close(uint32_t) {
  calls.push_back("close");
  openDevice.reset();
  return 0;
}

uint32_t FakeMediaDevice::StatusMode(uint32_t, uint32_t& result) {
  if (!openDevice) return 263;
  result = mode;
  return 0;
}

}  // namespace lumora::test
