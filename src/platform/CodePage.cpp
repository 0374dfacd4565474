#include "platform/CodePage.h"

#include "platform/AsciiCase.h"

namespace lumora {

bool CodePage::EndsWithSeparator(std::string_view text) const {
  return !text.empty() && NameStart(text) == text.size();
}

size_t CodePage::NameStart(std::string_view path) const {
  size_t start = 0;
  for (size_t at = 0; at < path.size(); at = CharacterEnd(path, at))
    if (IsSeparatorAt(path, at)) start = at + 1;
  return start;
}

std::vector<std::string> CodePage::Components(const std::string& path) const {
  std::vector<std::string> parts(1);
  for (size_t at = 0; at < path.size();) {
    const size_t end = CharacterEnd(path, at);
    if (IsSeparatorAt(path, at)) parts.emplace_back();
    else parts.back().append(path, at, end - at);
    at = end;
  }
  return parts;
}

// A lead byte is no letter, so where one string has a lead byte the other, to be the same, has it too.
bool CodePage::SameIgnoringCase(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (size_t at = 0; at < a.size();) {
    const size_t end = CharacterEnd(a, at);
    if (end - at == 1 ? LowerAscii(a[at]) != LowerAscii(b[at]) : a.substr(at, 2) != b.substr(at, 2)) return false;
    at = end;
  }
  return true;
}

bool CodePage::ContainsIgnoringCase(const std::vector<std::string>& texts, std::string_view text) const {
  for (const std::string& each : texts)
    if (SameIgnoringCase(each, text)) return true;
  return false;
}

std::string CodePage::LowerCase(std::string text) const {
  for (size_t at = 0; at < text.size(); at = CharacterEnd(text, at)) text[at] = LowerAscii(text[at]);
  return text;
}

}  // namespace lumora
