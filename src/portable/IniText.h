#pragma once
#include <optional>
#include <string>
#include <vector>

namespace lumora {

// The text of an INI file as the platform's profile functions see it: blank lines dropped, names and values
// trimmed, lines without "=" kept as keys without a value.
struct IniKey {
  std::string name;
  std::optional<std::string> value;
};

struct IniSection {
  std::string name;  // empty for the keys before the first section header
  std::vector<IniKey> keys;
};

using IniDocument = std::vector<IniSection>;

IniDocument ParseIniText(const std::string& text);
// CRLF lines, no blank lines, "name=value" without blanks around "=".
std::string FormatIniText(const IniDocument& document);

// The value of the first matching key in the first section of that name, both matched without regard to case;
// a value in matching quotes loses them. Nothing when the section, the key or its value is missing.
std::optional<std::string> FindIniValue(const IniDocument& document, const std::string& section,
                                        const std::string& key);
// Replaces the value in place, or appends the key to the end of its section, or the section to the end.
void SetIniValue(IniDocument& document, const std::string& section, const std::string& key, const std::string& value);

}  // namespace lumora
