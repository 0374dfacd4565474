#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "settings_file/TIniFile.h"

namespace lumora {

// The radio buttons of the settings window that stand for option values. The numbers are the controls'
// identifiers in the window's form description.
enum class OptionRadio {
  Radsndon = 302, Radsndof = 303,
  Rad8 = 402, Radtime2 = 403, Radtime4 = 404, Radtime1 = 405, Radtime3 = 406, Rad120 = 407,
  Radcol1 = 502, Radcol2 = 503, Radcol3 = 504, Radcol4 = 505,
  Radseq = 602, Radran = 603,
  radpicst = 201, radpicde = 202, radpicin = 203, radpicti = 204, Radpictcust = 206, Radoverlap = 207,
  Radslide = 208,
};

// One value of an option and the radio button that shows it. A value read is compared with the codes from the
// first row down; a value that matches none gets the last row, whose code is what the window writes for it.
struct CodeRow {
  int32_t code;
  OptionRadio radio;
  int delayMs = 0;  // Time only: the delay the saver uses
};

// The keys of the Options section.
enum class Option { Sound, Status, Repeat, Time, Color, Picdis, Height, Width, Seq };

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
  int32_t readDefault;                  // what every reader passes: flags true (1), codes and sizes -1
  std::span<const CodeRow> codes;       // the radio group; flags: the true button, then the false one
};

inline constexpr CodeRow kSoundRows[] = {{1, OptionRadio::Radsndon}, {0, OptionRadio::Radsndof}};
inline constexpr CodeRow kOrderRows[] = {{1, OptionRadio::Radseq}, {0, OptionRadio::Radran}};
inline constexpr CodeRow kColourSchemeRows[] = {
    {1, OptionRadio::Radcol1}, {2, OptionRadio::Radcol2}, {3, OptionRadio::Radcol3}, {4, OptionRadio::Radcol4}};
inline constexpr CodeRow kDisplayModeRows[] = {
    {1, OptionRadio::radpicst},    {2, OptionRadio::radpicde},   {3, OptionRadio::radpicin}, {4, OptionRadio::radpicti},
    {5, OptionRadio::Radpictcust}, {6, OptionRadio::Radoverlap}, {7, OptionRadio::Radslide}};
inline constexpr CodeRow kDelayRows[] = {
    {1, OptionRadio::Radtime1, 15000}, {2, OptionRadio::Radtime2, 30000}, {3, OptionRadio::Radtime3, 45000},
    {4, OptionRadio::Radtime4, 60000}, {8, OptionRadio::Rad8, 8000},      {120, OptionRadio::Rad120, 120000}};

// Every key of the Options section, in the order a new file holds them.
inline constexpr OptionRow kOptionRows[] = {
    // option         key       kind                  new file  read default  radio group
    {Option::Sound,  "Sound",  OptionKind::Flag,     0,            1,  kSoundRows},
    {Option::Status, "Status", OptionKind::Flag,     0,            0,  {}},
    {Option::Repeat, "Repeat", OptionKind::Flag,     0,            0,  {}},
    {Option::Time,   "Time",   OptionKind::Code,     2,           -1,  kDelayRows},
    {Option::Color,  "Color",  OptionKind::Code,     4,           -1,  kColourSchemeRows},
    {Option::Picdis, "Picdis", OptionKind::Code,     4,           -1,  kDisplayModeRows},
    {Option::Height, "Height", OptionKind::Integer,  25,          -1,  {}},
    {Option::Width,  "Width",  OptionKind::Integer,  25,          -1,  {}},
    {Option::Seq,    "Seq",    OptionKind::Flag,     std::nullopt, 1,  kOrderRows},
};

// The options the settings window shows, in the order its OK writes them.
inline constexpr Option kWindowOptions[] = {Option::Sound,  Option::Seq,    Option::Color, Option::Picdis,
                                            Option::Time,   Option::Height, Option::Width};

const OptionRow& RowOf(Option option);
// The stored value with the option's read default: flags 1 or 0, codes and sizes as stored.
int32_t ReadOption(const TIniFile& ini, Option option);
void WriteOption(TIniFile& ini, Option option, int32_t value);
// The row of the option's radio group that a value stands for (flags: any value but 0 is true).
const CodeRow& CodeRowFor(Option option, int32_t value);

}  // namespace lumora
