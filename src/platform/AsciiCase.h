#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// Letter case as the system's file names and profile keys compare it: A to Z only, every other byte as it is.
constexpr char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string LowerAscii(std::string text) {
  for (char& c : text) c = LowerAscii(c);
  return text;
}

inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

inline bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() && SameIgnoringAsciiCase(text.substr(text.size() - ending.size()), ending);
}

inline bool ContainsIgnoringAsciiCase(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& each : texts)
    if (SameIgnoringAsciiCase(each, text)) return true;
  return false;
}

}  // namespace lumora
