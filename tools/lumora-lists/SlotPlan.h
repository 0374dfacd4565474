#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/CodePage.h"

namespace lumora {

// What one list's slots become: the slots whose value changes, and how many entries found a slot.
struct SlotPlan {
  std::map<int, std::string> changes;  // slot number to its new value
  int placed = 0;
  int leftOut = 0;
  int alreadyListed = 0;  // entries left out as the list holds them already
};

// `current` holds the values of slots 1 to 500 in order.
// The entries take slots 1 to n and every other slot becomes free.
SlotPlan PlanReplacement(const std::vector<std::string>& current, const std::vector<std::string>& entries);
// The entries take the free slots, lowest first; every entry already there stays where it is. An entry the list
// holds already, in any letter case, is not added again.
SlotPlan PlanAppend(const std::vector<std::string>& current, const std::vector<std::string>& entries,
                    const CodePage& codePage);

}  // namespace lumora
