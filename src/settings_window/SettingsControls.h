#pragma once
#include <span>

#include "settings_file/OptionTable.h"

namespace lumora {

// The radio buttons of the settings window that stand for option values, with their captions. The numbers are
// the controls' identifiers in the window's form description.
// clang-format off
enum class OptionRadio {
  SoundOn = 302, SoundOff = 303,                    // "Sound ON", "Sound OFF"
  Delay8s = 402, Delay30s = 403, Delay60s = 404, Delay15s = 405, Delay45s = 406, Delay120s = 407,
  GreyColours = 502, DarkColours = 503, BrightColours = 504, BlackOnly = 505,  // the four colour schemes
  InOrder = 602, AtRandom = 603,                    // "In Order", "Random"
  Stretched = 201, NaturalSize = 202, PictureInPicture = 203, Tiled = 204, CustomSize = 206, Overlapping = 207,
  Slide = 208,                                      // the seven display modes
};
// clang-format on

// The options the window shows, in the order its OK writes them.
// clang-format off
inline constexpr Option kWindowOptions[] = {Option::Sound,  Option::InOrder,    Option::ColourScheme, Option::DisplayMode,
                                            Option::Delay,   Option::Height, Option::Width};
// clang-format on

// The radio buttons of an option shown as a choice, one for each of its values in the order of the option
// table's rows; none for a size.
std::span<const OptionRadio> RadiosOf(Option option);

// The controls of the settings window other than the option radio buttons (OptionRadio). The numbers are their
// identifiers in the form description.
// clang-format off
enum class SettingsControl {
  OkButton = 100,
  DisplayGroup = 200, CustomSizeGroup = 205, WidthHeading = 210, HeightHeading = 211, HeightScrollBar = 212,
  WidthScrollBar = 213, WidthValue = 214, HeightValue = 215,
  SoundPanel = 300, SoundHeading = 301,
  DelayPanel = 400, DelayHeading = 401,
  ColoursPanel = 500, ColoursHeading = 501,
  OrderPanel = 600, OrderHeading = 601,
  // The list controls, hidden: their heading, the two lists, and their "Add ..."/"Remove ..." buttons.
  ListsHeading = 700, PictureList = 701, SoundList = 702, PictureButtons = 703, AddPictureButton = 704,
  RemovePictureButton = 705, SoundButtons = 706, AddSoundButton = 707, RemoveSoundButton = 708, AboutButton = 709,
};
// clang-format on

// The controls of the disclaimer window: a frame, the "Disclaimer" group of three paragraphs, "Return".
// clang-format off
enum class DisclaimerControl {
  Frame = 100, DisclaimerGroup = 110, FirstParagraph = 111, SecondParagraph = 112, ThirdParagraph = 113,
  ReturnButton = 120,
};
// clang-format on

constexpr int Id(SettingsControl control) { return static_cast<int>(control); }
constexpr int Id(OptionRadio radio) { return static_cast<int>(radio); }
constexpr int Id(DisclaimerControl control) { return static_cast<int>(control); }

}  // namespace lumora
