#include "settings_file/OptionTable.h"

#include <stdexcept>

#include "settings_file/SettingsFile.h"

namespace lumora {

const OptionRow& RowOf(Option option) {
  for (const OptionRow& row : kOptionRows)
    if (row.option == option) return row;
  throw std::logic_error("an option without a row");
}

int32_t ReadOption(const SettingsStore& ini, Option option) {
  const OptionRow& row = RowOf(option);
  if (row.kind == OptionKind::Flag) return ini.ReadBool(kOptionsSection, row.key, row.readDefault != 0) ? 1 : 0;
  return ini.ReadInteger(kOptionsSection, row.key, row.readDefault);
}

void WriteOption(SettingsStore& ini, Option option, int32_t value) {
  const OptionRow& row = RowOf(option);
  if (row.kind == OptionKind::Flag) ini.WriteBool(kOptionsSection, row.key, value != 0);
  else ini.WriteInteger(kOptionsSection, row.key, value);
}

const CodeRow& CodeRowFor(Option option, int32_t value) {
  const OptionRow& row = RowOf(option);
  if (row.codes.empty()) throw std::logic_error(std::string(row.key) + " has no choice of values");
  if (row.kind == OptionKind::Flag) value = value != 0 ? 1 : 0;
  for (const CodeRow& code : row.codes)
    if (code.code == value) return code;
  return row.codes.back();
}

}  // namespace lumora
