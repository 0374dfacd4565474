#include "portable/PortableProfileFiles.h"

#include <fstream>
#include <optional>
#include <sstream>

#include "portable/IniText.h"

namespace lumora {

namespace {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // In one block: every profile call reads the whole file, hundreds of times in a listing of 500 entries.
  std::ostringstream text;
  text << in.rdbuf();
  return std::move(text).str();
}

}  // namespace

const IniDocument& PortableProfileFiles::Parsed(const std::string& text) {
  if (text != parsedText_) {
    parsed_ = ParseIniText(text);
    parsedText_ = text;
  }
  return parsed_;
}

std::string PortableProfileFiles::ReadText(const std::string& path, const std::string& section, const std::string& key,
                                           const std::string& fallback) {
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return fallback;
  return FindIniValue(Parsed(*text), section, key).value_or(fallback);
}

bool PortableProfileFiles::WriteText(const std::string& path, const std::string& section, const std::string& key,
                                     const std::string& value) {
  IniDocument document = Parsed(ReadWholeFile(path).value_or(""));
  SetIniValue(document, section, key, value);
  const std::string text = FormatIniText(document);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) return false;
  parsed_ = std::move(document);
  parsedText_ = text;
  return true;
}

}  // namespace lumora
