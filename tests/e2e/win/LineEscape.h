#pragma once
// One value or argument on one line of the inspector's text: backslash, tab, CR and LF escaped. Tabs separate the
// arguments of a command sent to `inspector serve`; its output is key=value lines.
#include <string>

namespace lumora::e2e {

inline std::string EscapeLine(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\') escaped += "\\\\";
    else if (c == '\t') escaped += "\\t";
    else if (c == '\n') escaped += "\\n";
    else if (c == '\r') escaped += "\\r";
    else escaped += c;
  }
  return escaped;
}

inline std::string UnescapeLine(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      result += text[i];
      continue;
    }
    const char next = text[++i];
    result += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
  }
  return result;
}

}  // namespace lumora::e2e
