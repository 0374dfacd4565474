#pragma once
#include <string_view>

namespace lumora {

// Orders names as people count: runs of digits by their number (img2 before img10), an equal number with the
// shorter run first (img2 before img02); other characters by their ASCII lower-case form, so letter case does
// not count. Negative, zero or positive like strcmp.
int NaturalCompare(std::string_view a, std::string_view b);

// NaturalCompare, with names it finds equal ordered by their bytes, so that a sort gives one order whatever
// order the names came in.
bool NaturalLess(std::string_view a, std::string_view b);

}  // namespace lumora
