#include "lumora-lists/HeldProfileFiles.h"

#include "lumora-lists/GuardedRewrite.h"

namespace lumora {

IniDocument& HeldProfileFiles::Held(const std::string& path) {
  if (path_ != path) {
    const std::optional<std::vector<uint8_t>> bytes = tree_.ReadWhole(path, kLargestRewrittenFile);
    document_ = ParseIniText(bytes ? std::string(bytes->begin(), bytes->end()) : std::string());
    path_ = path;
  }
  return document_;
}

std::string HeldProfileFiles::ReadText(const std::string& path, const std::string& section, const std::string& key,
                                       const std::string& fallback) {
  return FindIniValue(Held(path), section, key).value_or(fallback);
}

bool HeldProfileFiles::WriteText(const std::string& path, const std::string& section, const std::string& key,
                                 const std::string& value) {
  SetIniValue(Held(path), section, key, value);
  return true;
}

std::vector<uint8_t> HeldProfileFiles::Content(const std::string& path) {
  const std::string text = FormatIniText(Held(path));
  return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace lumora
