#pragma once
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// The system's ANSI code page as paths need it. In a double-byte code page (Japanese, Chinese, Korean) a lead
// byte and the byte after it are one character, and that second byte may be 0x5C ("\") or a letter's: separators
// and letter case are found by character, never by byte.
class CodePage {
 public:
  CodePage() = default;  // one byte to a character
  explicit CodePage(std::bitset<256> leadBytes) : leadBytes_(leadBytes) {}

  // Whether a "\" or "/" of its own stands at `at`, which begins a character.
  bool IsSeparatorAt(std::string_view text, size_t at) const {
    return at < text.size() && (text[at] == '\\' || text[at] == '/');
  }
  // Where the character that begins at `at` ends.
  size_t CharacterEnd(std::string_view text, size_t at) const {
    return at + (leadBytes_[static_cast<unsigned char>(text[at])] && at + 1 < text.size() ? 2 : 1);
  }
  bool EndsWithSeparator(std::string_view text) const;
  // Where the last part of `path` begins: after its last separator, or at 0.
  size_t NameStart(std::string_view path) const;
  // The parts between the separators.
  std::vector<std::string> Components(const std::string& path) const;
  // A to Z and a to z alike where they are characters of their own; every other byte as it is.
  bool SameIgnoringCase(std::string_view a, std::string_view b) const;
  bool ContainsIgnoringCase(const std::vector<std::string>& texts, std::string_view text) const;
  std::string LowerCase(std::string text) const;

 private:
  std::bitset<256> leadBytes_;
};

}  // namespace lumora
