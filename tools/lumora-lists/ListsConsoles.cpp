#include <cstdio>

#include "lumora-lists/ListsRun.h"

namespace lumora {

namespace {

// A box shows at most this many details, after the answer.
constexpr size_t kBoxDetails = 6;
// The console hears of a long listing every so many files.
constexpr int kFilesBetweenCounts = 5000;

std::string WithoutPrefix(const std::string& line) {
  return line.rfind(kErrorPrefix, 0) == 0 ? line.substr(std::string(kErrorPrefix).size()) : line;
}

}  // namespace

void StdioConsole::Out(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void StdioConsole::Err(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  std::fputc('\n', stderr);
}

void BoxConsole::Out(const std::string& line) { done_.push_back(line); }
void BoxConsole::Err(const std::string& line) { details_.push_back(WithoutPrefix(line)); }
void BoxConsole::Warn(const std::string& line) { warnings_.push_back(WithoutPrefix(line)); }

void BoxConsole::Finish(int exitCode, bool quiet) {
  if (exitCode == kListsStopped) return;  // the user's own choice needs no answer
  const bool failed = exitCode != kListsSucceeded;
  if (quiet && !failed && warnings_.empty()) return;
  std::vector<std::string> answer = done_;
  answer.insert(answer.end(), warnings_.begin(), warnings_.end());
  if (answer.empty() && details_.empty()) return;
  const BoxKind kind = failed ? BoxKind::Error : warnings_.empty() ? BoxKind::Information : BoxKind::Warning;
  boxes_.Show(kind, BoxText(answer, details_), BoxButtons::Ok);
}

std::string BoxText(const std::vector<std::string>& answer, const std::vector<std::string>& details) {
  std::string text;
  for (const std::string& line : answer) text += (text.empty() ? "" : "\n") + line;
  if (!answer.empty() && !details.empty()) text += "\n";
  for (size_t i = 0; i < details.size() && i < kBoxDetails; ++i) text += (text.empty() ? "" : "\n") + details[i];
  if (details.size() > kBoxDetails) text += "\n... and " + std::to_string(details.size() - kBoxDetails) + " more";
  return text;
}

bool ConsoleProgress::Reading(const std::string& folder, int found) {
  if (found >= reported_ + kFilesBetweenCounts) {
    reported_ = found - found % kFilesBetweenCounts;
    console_.Out(std::to_string(found) + " files found so far; reading " + folder);
  }
  return true;
}

}  // namespace lumora
