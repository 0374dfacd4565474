#include "lumora-lists/NaturalOrder.h"

#include <string_view>

#include "platform/AsciiCase.h"

namespace lumora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

unsigned char LowerByte(char c) { return static_cast<unsigned char>(LowerAscii(c)); }

size_t DigitRunEnd(const std::string& text, size_t start) {
  while (start < text.size() && IsDigit(text[start])) ++start;
  return start;
}

// Without leading zeros the longer run is the larger number; runs of one length compare digit by digit, so
// runs of any length compare without overflow.
int CompareNumbers(std::string_view a, std::string_view b) {
  while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
  while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int digits = a.compare(b);
  return digits < 0 ? -1 : digits > 0 ? 1 : 0;
}

}  // namespace

int NaturalCompare(const std::string& a, const std::string& b) {
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const size_t aEnd = DigitRunEnd(a, i);
      const size_t bEnd = DigitRunEnd(b, j);
      const std::string_view aRun = std::string_view(a).substr(i, aEnd - i);
      const std::string_view bRun = std::string_view(b).substr(j, bEnd - j);
      if (const int byValue = CompareNumbers(aRun, bRun)) return byValue;
      if (aRun.size() != bRun.size()) return aRun.size() < bRun.size() ? -1 : 1;
      i = aEnd;
      j = bEnd;
      continue;
    }
    const unsigned char aChar = LowerByte(a[i]);
    const unsigned char bChar = LowerByte(b[j]);
    if (aChar != bChar) return aChar < bChar ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

bool NaturalLess(const std::string& a, const std::string& b) {
  const int natural = NaturalCompare(a, b);
  return natural != 0 ? natural < 0 : a < b;
}

}  // namespace lumora
