#include "portable/IniText.h"

#include "platform/AsciiCase.h"

namespace lumora {

namespace {

bool IsProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1a;
}

std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsProfileSpace(text[begin])) ++begin;
  while (end > begin && IsProfileSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

IniKey ParseKeyLine(const std::string& line) {
  size_t equals = line.find('=');
  if (equals == std::string::npos) return {line, std::nullopt};
  return {Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))};
}

template <class Document>
auto FindSection(Document& document, const std::string& name) -> decltype(&document.front()) {
  for (auto& section : document)
    if (!section.name.empty() && SameIgnoringAsciiCase(section.name, name)) return &section;
  return nullptr;
}

std::string WithoutQuotes(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

IniDocument ParseIniText(const std::string& text) {
  IniDocument document{IniSection{}};
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    size_t close = line.rfind(']');
    if (line[0] == '[' && close != std::string::npos) {
      document.push_back(IniSection{line.substr(1, close - 1), {}});
      continue;
    }
    document.back().keys.push_back(ParseKeyLine(line));
  }
  return document;
}

std::string FormatIniText(const IniDocument& document) {
  std::string text;
  for (const IniSection& section : document) {
    if (!section.name.empty()) text += "[" + section.name + "]\r\n";
    for (const IniKey& key : section.keys) {
      text += key.name;
      if (key.value) text += "=" + *key.value;
      text += "\r\n";
    }
  }
  return text;
}

std::optional<std::string> FindIniValue(const IniDocument& document, const std::string& section,
                                        const std::string& key) {
  const IniSection* found = FindSection(document, Trimmed(section));
  if (!found) return std::nullopt;
  std::string name = Trimmed(key);
  for (const IniKey& entry : found->keys)
    if (SameIgnoringAsciiCase(entry.name, name))
      return entry.value ? std::optional(WithoutQuotes(*entry.value)) : std::nullopt;
  return std::nullopt;
}

void SetIniValue(IniDocument& document, const std::string& section, const std::string& key, const std::string& value) {
  std::string sectionName = Trimmed(section), keyName = Trimmed(key);
  IniSection* target = FindSection(document, sectionName);
  if (!target) {
    document.push_back(IniSection{sectionName, {}});
    target = &document.back();
  }
  for (IniKey& entry : target->keys) {
    if (SameIgnoringAsciiCase(entry.name, keyName)) {
      entry.value = Trimmed(value);
      return;
    }
  }
  target->keys.push_back(IniKey{keyName, Trimmed(value)});
}

}  // namespace lumora
