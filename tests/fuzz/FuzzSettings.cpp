// libFuzzer target: any text as a settings file: its INI rules (parsing, finding, setting, writing back) and the
// store's reads and writes as the saver and the settings window use them.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "portable/IniText.h"
#include "settings_file/OptionTable.h"
#include "settings_file/SettingsFile.h"
#include "support/FakePlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumora;
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Written back and read again, a document reads the same.
  const IniDocument document = ParseIniText(text);
  const std::string formatted = FormatIniText(document);
  if (FormatIniText(ParseIniText(formatted)) != formatted) std::abort();

  test::MemoryProfileFiles profiles;
  profiles.texts["lumora.ini"] = text;
  SettingsStore ini(profiles, "lumora.ini");
  for (const OptionRow& row : kOptionRows) {
    const int32_t value = ReadOption(ini, row.option);
    if (!row.codes.empty()) CodeRowFor(row.option, value);
  }
  for (int slot = 1; slot <= kSlotCount; slot += 37) {
    const std::string value = ini.ReadString(kPictureSection, SlotKey(slot), kSlotDefault);
    if (value.size() > kMaxProfileValueLength) std::abort();
  }
  // A value written is read back as written, trimmed as the platform trims it.
  const std::string written = text.substr(0, 40);
  ini.WriteString(kSoundSection, "Name7", written);
  const std::string back = ini.ReadString(kSoundSection, "Name7", "");
  if (back.size() > written.size()) std::abort();
  WriteOption(ini, Option::DisplayMode, ReadOption(ini, Option::DisplayMode));
  return 0;
}
