#include "lumora-lists/HeldProfileFiles.h"

#include "lumora-lists/GuardedRewrite.h"

namespace lumora {

std::string HeldProfileFiles::ReadText(const std::string&, const std::string& section, const std::string& key,
                                       const std::string& fallback) {
  return FindIniValue(document_, section, key).value_or(fallback);
}

bool HeldProfileFiles::WriteText(const std::string&, const std::string& section, const std::string& key,
                                 const std::string& value) {
  SetIniValue(document_, section, key, value);
  return true;
}

std::vector<uint8_t> HeldProfileFiles::Content() const {
  const std::string text = FormatIniText(document_);
  return std::vector<uint8_t>(text.begin(), text.end());
}

std::optional<HeldProfileFiles> ReadSettingsFile(FileTree& tree, const std::string& path) {
  if (tree.KindOf(path) == PathKind::Missing) return HeldProfileFiles({});
  const std::optional<std::vector<uint8_t>> content = tree.ReadWhole(path, kLargestRewrittenFile);
  if (!content) return std::nullopt;
  return HeldProfileFiles(*content);
}

}  // namespace lumora
