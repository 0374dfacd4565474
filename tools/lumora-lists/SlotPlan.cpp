#include "lumora-lists/SlotPlan.h"

#include <algorithm>

#include "settings_file/SettingsFile.h"

namespace lumora {

namespace {

void SetSlot(SlotPlan& plan, const std::vector<std::string>& current, size_t index, const std::string& value) {
  if (current[index] != value) plan.changes[static_cast<int>(index) + 1] = value;
}

}  // namespace

SlotPlan PlanReplacement(const std::vector<std::string>& current, const std::vector<std::string>& entries) {
  SlotPlan plan;
  for (size_t index = 0; index < current.size(); ++index)
    SetSlot(plan, current, index, index < entries.size() ? entries[index] : kFreeSlot);
  plan.placed = static_cast<int>(std::min(entries.size(), current.size()));
  plan.leftOut = static_cast<int>(entries.size()) - plan.placed;
  return plan;
}

SlotPlan PlanAppend(const std::vector<std::string>& current, const std::vector<std::string>& entries,
                    const CodePage& codePage) {
  SlotPlan plan;
  std::vector<std::string> listed;
  for (const std::string& value : current)
    if (!IsFreeSlot(value)) listed.push_back(value);
  std::vector<std::string> added;
  for (const std::string& entry : entries) {
    if (codePage.ContainsIgnoringCase(listed, entry)) {
      ++plan.alreadyListed;
      continue;
    }
    listed.push_back(entry);
    added.push_back(entry);
  }
  for (size_t index = 0; index < current.size() && plan.placed < static_cast<int>(added.size()); ++index)
    if (IsFreeSlot(current[index])) SetSlot(plan, current, index, added[plan.placed++]);
  plan.leftOut = static_cast<int>(added.size()) - plan.placed;
  return plan;
}

}  // namespace lumora
