#include "portable/PortableProfileFiles.h"

#include <fstream>
#include <iterator>
#include <optional>

#include "portable/IniText.h"

namespace lumora {

namespace {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::string PortableProfileFiles::ReadText(const std::string& path, const std::string& section,
                                           const std::string& key, const std::string& fallback) {
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return fallback;
  return FindIniValue(ParseIniText(*text), section, key).value_or(fallback);
}

bool PortableProfileFiles::WriteText(const std::string& path, const std::string& section, const std::string& key,
                                     const std::string& value) {
  IniDocument document = ParseIniText(ReadWholeFile(path).value_or(""));
  SetIniValue(document, section, key, value);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << FormatIniText(document);
  out.close();
  return static_cast<bool>(out);
}

}  // namespace lumora
