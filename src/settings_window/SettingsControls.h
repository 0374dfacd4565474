#pragma once
#include <span>

#include "settings_file/OptionTable.h"

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

// The options the window shows, in the order its OK writes them.
inline constexpr Option kWindowOptions[] = {Option::Sound,  Option::Seq,    Option::Color, Option::Picdis,
                                            Option::Time,   Option::Height, Option::Width};

// The radio buttons of an option shown as a choice, one for each of its values in the order of the option
// table's rows; none for a size.
std::span<const OptionRadio> RadiosOf(Option option);

// The controls of the settings window other than the option radio buttons (OptionRadio), by their names in the
// system's design. The numbers are their identifiers in the form description.
enum class SettingsControl {
  cmdclose = 100,
  GroupBox6 = 200, GroupBox7 = 205, Label3 = 210, Label2 = 211, ScrollBarH = 212, ScrollBarW = 213,
  Lblwidth = 214, Lblheight = 215,
  Panel1 = 300, Label4 = 301,
  Panel2 = 400, Label5 = 401,
  Panel3 = 500, Label7 = 501,
  Panel4 = 600, Label6 = 601,
  Label1 = 700, ListBox1 = 701, ListBox2 = 702, GroupBox2 = 703, Button2 = 704, Button3 = 705, GroupBox4 = 706,
  cmdwav = 707, cmdwavd = 708, cmdhelp = 709,
};

// The controls of the disclaimer window.
enum class DisclaimerControl { GroupBox1 = 100, GroupBox2 = 110, Label1 = 111, Label2 = 112, Label3 = 113, Button1 = 120 };

constexpr int Id(SettingsControl control) { return static_cast<int>(control); }
constexpr int Id(OptionRadio radio) { return static_cast<int>(radio); }
constexpr int Id(DisclaimerControl control) { return static_cast<int>(control); }

}  // namespace lumora
