#pragma once
#include <array>

namespace lumora {

// The code tables of the Options section. A value read is compared with the codes from the first row down; a
// value that matches no row gets the last row, whose code is what the settings window writes for it.
struct ColourSchemeRow {
  int code;
  const char* radio;
  const char* caption;
};

struct DisplayModeRow {
  int code;
  const char* radio;
  const char* caption;
};

struct DelayRow {
  int code;
  const char* radio;
  const char* caption;
  int delayMs;
};

inline constexpr std::array<ColourSchemeRow, 4> kColourSchemeRows{{
    {1, "Radcol1", "Black - Gray - Silver - White"},
    {2, "Radcol2", "Navy - Black - Purple - Maroon"},
    {3, "Radcol3", "Green - Aqua - Fuschia - Yellow"},
    {4, "Radcol4", "Black Only"},
}};

inline constexpr std::array<DisplayModeRow, 7> kDisplayModeRows{{
    {1, "radpicst", "Stretch Picture Full Size"},
    {2, "radpicde", "Default Picture Size (Clearest Image)"},
    {3, "radpicin", "Picture in a Picture"},
    {4, "radpicti", "Tiled Pictures"},
    {5, "Radpictcust", "Customize Picture Size Below "},
    {6, "Radoverlap", "Picture Overlapping"},
    {7, "Radslide", "Slide"},
}};

inline constexpr std::array<DelayRow, 6> kDelayRows{{
    {1, "Radtime1", "15 Seconds", 15000},
    {2, "Radtime2", "30 Seconds", 30000},
    {3, "Radtime3", "45 Seconds", 45000},
    {4, "Radtime4", "1 Minute", 60000},
    {8, "Rad8", "8 Seconds", 8000},
    {120, "Rad120", "2 Minutes", 120000},
}};

template <class Row, size_t N>
constexpr const Row& RowForCode(const std::array<Row, N>& rows, int code) {
  for (const Row& row : rows)
    if (row.code == code) return row;
  return rows.back();
}

}  // namespace lumora
