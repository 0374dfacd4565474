#include "platform/ProfileFiles.h"

namespace lumora {

namespace {

bool ParseDigits(const std::string& digits, int base, uint64_t& value) {
  if (digits.empty()) return false;
  value = 0;
  for (char c : digits) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    value = value * base + digit;
    if (value > 0xFFFFFFFFull) return false;
  }
  return true;
}

}  // namespace

int32_t ParseProfileInteger(const std::string& text, int32_t fallback) {
  uint64_t value;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    // Hexadecimal covers the whole 32-bit pattern, so 0xFFFFFFFF is -1.
    if (!ParseDigits(text.substr(2), 16, value)) return fallback;
    return static_cast<int32_t>(static_cast<uint32_t>(value));
  }
  bool negative = !text.empty() && text[0] == '-';
  size_t start = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (!ParseDigits(text.substr(start), 10, value)) return fallback;
  if (negative ? value > 0x80000000ull : value > 0x7FFFFFFFull) return fallback;
  return negative ? static_cast<int32_t>(-static_cast<int64_t>(value)) : static_cast<int32_t>(value);
}

}  // namespace lumora
