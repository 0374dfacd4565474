#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "settings_file/SettingsStore.h"

namespace lumora {

// One value of an option. A value read is compared with the codes from the first row down; a value that
// matches none gets the last row, whose code is what the settings window writes for it.
struct CodeRow {
  int32_t code;
  int delayMs = 0;  // Time only: the delay the saver uses
};

// The keys of the Options section.
enum class Option { Sound, Status, Repeat, Delay, ColourScheme, DisplayMode, Height, Width, InOrder };

enum class OptionKind {
  Flag,     // written "1" or "0", read as an integer that is true when it is not 0
  Code,     // one of the codes of its rows
  Integer,  // a pixel size
};

struct OptionRow {
  Option option;
  const char* key;
  OptionKind kind;
  std::optional<int32_t> newFileValue;  // what a new file holds; nothing: a new file lacks the key
  int32_t readDefault;                  // what every reader passes for a missing key
  std::span<const CodeRow> codes;       // a choice of values; flags shown as a choice: true, then false
};

// The display modes, each by the code the file stores.
enum class DisplayModeKind {
  Stretched = 1,
  NaturalSize = 2,
  PictureInPicture = 3,
  FourTiles = 4,
  CustomSize = 5,
  OverlappingCollage = 6,
  SlideIn = 7,
};
// The colours behind the natural and custom sizes, each scheme by the code the file stores.
enum class ColourScheme { Greys = 1, Dark = 2, Bright = 3, BlackOnly = 4 };

constexpr int32_t CodeOf(DisplayModeKind mode) { return static_cast<int32_t>(mode); }
constexpr int32_t CodeOf(ColourScheme scheme) { return static_cast<int32_t>(scheme); }

inline constexpr CodeRow kSoundRows[] = {{1}, {0}};
inline constexpr CodeRow kOrderRows[] = {{1}, {0}};
inline constexpr CodeRow kColourSchemeRows[] = {{CodeOf(ColourScheme::Greys)},
                                                {CodeOf(ColourScheme::Dark)},
                                                {CodeOf(ColourScheme::Bright)},
                                                {CodeOf(ColourScheme::BlackOnly)}};
inline constexpr CodeRow kDisplayModeRows[] = {
    {CodeOf(DisplayModeKind::Stretched)},        {CodeOf(DisplayModeKind::NaturalSize)},
    {CodeOf(DisplayModeKind::PictureInPicture)}, {CodeOf(DisplayModeKind::FourTiles)},
    {CodeOf(DisplayModeKind::CustomSize)},       {CodeOf(DisplayModeKind::OverlappingCollage)},
    {CodeOf(DisplayModeKind::SlideIn)}};
inline constexpr CodeRow kDelayRows[] = {{1, 15000}, {2, 30000}, {3, 45000}, {4, 60000}, {8, 8000}, {120, 120000}};

// Every key of the Options section, in the order a new file holds them.
inline constexpr OptionRow kOptionRows[] = {
    // option                  key       kind                  new file  read default  values
    {Option::Sound, "Sound", OptionKind::Flag, 0, 1, kSoundRows},
    {Option::Status, "Status", OptionKind::Flag, 0, 0, {}},
    {Option::Repeat, "Repeat", OptionKind::Flag, 0, 0, {}},
    {Option::Delay, "Time", OptionKind::Code, 2, -1, kDelayRows},
    {Option::ColourScheme, "Color", OptionKind::Code, 4, -1, kColourSchemeRows},
    {Option::DisplayMode, "Picdis", OptionKind::Code, 4, -1, kDisplayModeRows},
    {Option::Height, "Height", OptionKind::Integer, 25, -1, {}},
    {Option::Width, "Width", OptionKind::Integer, 25, -1, {}},
    {Option::InOrder, "Seq", OptionKind::Flag, std::nullopt, 1, kOrderRows},
};

const OptionRow& RowOf(Option option);
// The stored value with the option's read default: flags 1 or 0, codes and sizes as stored.
int32_t ReadOption(const SettingsStore& ini, Option option);
void WriteOption(SettingsStore& ini, Option option, int32_t value);
// The row of the option's values that a value stands for (flags: any value but 0 is true).
const CodeRow& CodeRowFor(Option option, int32_t value);

}  // namespace lumora
