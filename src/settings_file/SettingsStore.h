#pragma once
#include <cstdint>
#include <string>

#include "platform/LumoraError.h"
#include "platform/ProfileFiles.h"

namespace lumora {

// A settings file that could not be written: "Unable to write to <file name>", as the user is told.
class SettingsWriteError : public LumoraError {
 public:
  explicit SettingsWriteError(const std::string& fileName);
};

// The settings store: one object per task, reading and writing one INI file through the platform's profile
// functions at once.
class SettingsStore {
 public:
  SettingsStore(ProfileFiles& files, std::string fileName);
  const std::string& FileName() const { return fileName_; }

  // At most kMaxProfileValueLength characters; `fallback` (trailing blanks dropped) when the file, section or key is
  // missing.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
  // Decimal, or hexadecimal after "0x"; `fallback` when empty or not a number.
  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const;
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;

  // Each raises SettingsWriteError when the platform refuses the write.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);

 private:
  ProfileFiles& files_;
  std::string fileName_;
};

}  // namespace lumora
