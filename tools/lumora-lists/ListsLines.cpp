#include "lumora-lists/ListsRun.h"

namespace lumora {

std::string Thousands(int count) {
  const std::string digits = std::to_string(count);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    const size_t left = digits.size() - i;
    if (i > 0 && left % 3 == 0 && digits[i - 1] != '-') grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string Noun(int count, SlotList list) {
  return std::string(list == SlotList::Pictures ? "picture" : "sound") + (count == 1 ? "" : "s");
}

std::string Count(int count, SlotList list) { return Thousands(count) + " " + Noun(count, list); }

std::string ListName(SlotList list) { return list == SlotList::Pictures ? "picture list" : "sound list"; }

std::string WillShowLine(const ListOutcome& outcome) {
  const std::string verb = outcome.list == SlotList::Pictures ? "Lumora will show " : "Lumora will play ";
  if (!outcome.more) return verb + Count(outcome.placed, outcome.list) + ".";
  return verb + Thousands(outcome.placed) + " of your " + Count(outcome.found, outcome.list) +
         " now, and the others at the next refreshes.";
}

std::string LeftOutLine(const ListOutcome& outcome, const std::string& iniPath) {
  return Count(outcome.leftOut, outcome.list) + " left out: no free slot left in the " + ListName(outcome.list) +
         " of " + iniPath;
}

std::string NoneFoundLine(SlotList list, const std::vector<std::string>& arguments) {
  std::string places;
  for (const std::string& argument : arguments) places += (places.empty() ? "" : ", ") + argument;
  return std::string(list == SlotList::Pictures ? "No pictures" : "No sounds") + " found in " + places +
         ": the list was left as it was.";
}

}  // namespace lumora
