#include "lumora-lists/NaturalOrder.h"

#include <string_view>

#include "platform/AsciiCase.h"

namespace lumora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

unsigned char LowerByte(char c) { return static_cast<unsigned char>(LowerAscii(c)); }

size_t DigitRunEnd(std::string_view text, size_t start) {
  while (start < text.size() && IsDigit(text[start])) ++start;
  return start;
}

// Without leading zeros the longer run is the larger number; runs of one length compare digit by digit, so
// runs of any length compare without overflow.
int CompareNumbers(std::string_view a, std::string_view b) {
  while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
  while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  return 0;
}

}  // namespace

int NaturalCompare(std::string_view a, std::string_view b) {
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    // Most names of a folder share their start: equal bytes are equal in any case.
    if (a[i] == b[j] && !IsDigit(a[i])) {
      ++i;
      ++j;
      continue;
    }
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const size_t aEnd = DigitRunEnd(a, i);
      const size_t bEnd = DigitRunEnd(b, j);
      const std::string_view aRun = a.substr(i, aEnd - i);
      const std::string_view bRun = b.substr(j, bEnd - j);
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

bool NaturalLess(std::string_view a, std::string_view b) {
  const int natural = NaturalCompare(a, b);
  return natural != 0 ? natural < 0 : a < b;
}

}  // namespace lumora
