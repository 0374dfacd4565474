#include "support/FakePlatform.h"

#include <algorithm>

#include "portable/IniText.h"

namespace lumora::test {

std::optional<std::vector<uint8_t>> FakeFileSystem::ReadFile(const std::string& path, size_t maxBytes) {
  reads.push_back(path);
  if (onOpen) onOpen();
  auto found = files.find(path);
  if (found == files.end() || found->second.size() > maxBytes) return std::nullopt;
  return found->second;
}

namespace {

// A held file whose bytes read are counted.
class CountedReader : public HeldFileReader {
 public:
  CountedReader(std::shared_ptr<const std::vector<uint8_t>> file, size_t& counted)
      : HeldFileReader(std::move(file)), counted_(counted) {}
  size_t Read(uint8_t* into, size_t count) override {
    const size_t read = HeldFileReader::Read(into, count);
    counted_ += read;
    return read;
  }

 private:
  size_t& counted_;
};

}  // namespace

std::unique_ptr<FileReader> FakeFileSystem::OpenFile(const std::string& path) {
  reads.push_back(path);
  if (onOpen) onOpen();
  auto found = files.find(path);
  if (found == files.end()) return nullptr;
  return std::make_unique<CountedReader>(std::make_shared<const std::vector<uint8_t>>(found->second), bytesRead);
}

std::optional<FileStamp> FakeFileSystem::Stamp(const std::string& path) {
  if (onStamp) onStamp();
  auto found = files.find(path);
  if (found == files.end()) return std::nullopt;
  uint64_t sum = 0;
  for (uint8_t byte : found->second) sum = sum * 31 + byte;
  return FileStamp{found->second.size(), sum};
}

IniDocument& MemoryProfileFiles::Document(const std::string& path) {
  // Parsed again only when a test changed the text: the saver reads a thousand slots in a row, and a new file
  // is a thousand writes.
  auto& [parsedText, document] = parsed_[path];
  const std::string& text = texts[path];
  if (parsedText != text) {
    parsedText = text;
    document = ParseIniText(text);
  }
  return document;
}

std::string MemoryProfileFiles::ReadText(const std::string& path, const std::string& section, const std::string& key,
                                         const std::string& fallback) {
  if (texts.find(path) == texts.end()) return fallback;
  return FindIniValue(Document(path), section, key).value_or(fallback);
}

bool MemoryProfileFiles::WriteText(const std::string& path, const std::string& section, const std::string& key,
                                   const std::string& value) {
  if (writesAllowed <= 0) return false;
  --writesAllowed;
  IniDocument& document = Document(path);
  SetIniValue(document, section, key, value);
  texts[path] = FormatIniText(document);
  parsed_[path].first = texts[path];
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
  mode = MediaMode::Stopped;
  return 0;
}

uint32_t FakeMediaDevice::Play(uint32_t) {
  calls.push_back("play");
  if (playResult == 0) mode = MediaMode::Playing;
  return playResult;
}

uint32_t FakeMediaDevice::Stop(uint32_t) {
  calls.push_back("stop");
  mode = MediaMode::Stopped;
  return 0;
}

uint32_t FakeMediaDevice::Close(uint32_t) {
  calls.push_back("close");
  openDevice.reset();
  return 0;
}

std::optional<MediaMode> FakeMediaDevice::StatusMode(uint32_t) {
  if (!openDevice) return std::nullopt;
  return mode;
}

}  // namespace lumora::test
