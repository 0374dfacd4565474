#include "settings_file/SettingsStore.h"

namespace lumora {

SettingsWriteError::SettingsWriteError(const std::string& fileName) : LumoraError("Unable to write to " + fileName) {}

namespace {

std::string WithoutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

SettingsStore::SettingsStore(ProfileFiles& files, std::string fileName)
    : files_(files), fileName_(std::move(fileName)) {}

std::string SettingsStore::ReadString(const std::string& section, const std::string& key,
                                      const std::string& fallback) const {
  // Windows drops trailing blanks of a default and Wine does not; a slot read with the default " " must come
  // back empty everywhere.
  std::string value = files_.ReadText(fileName_, section, key, WithoutTrailingBlanks(fallback));
  if (value.size() > kMaxProfileValueLength) value.resize(kMaxProfileValueLength);
  return value;
}

int32_t SettingsStore::ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const {
  return ParseProfileInteger(ReadString(section, key, ""), fallback);
}

bool SettingsStore::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void SettingsStore::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  if (!files_.WriteText(fileName_, section, key, value)) throw SettingsWriteError(fileName_);
}

void SettingsStore::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void SettingsStore::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace lumora
