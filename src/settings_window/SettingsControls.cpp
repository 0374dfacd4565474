#include "settings_window/SettingsControls.h"

namespace lumora {

namespace {

using enum OptionRadio;

constexpr OptionRadio kSoundRadios[] = {SoundOn, SoundOff};
constexpr OptionRadio kOrderRadios[] = {InOrder, AtRandom};
constexpr OptionRadio kColourSchemeRadios[] = {GreyColours, DarkColours, BrightColours, BlackOnly};
constexpr OptionRadio kDisplayModeRadios[] = {Stretched,   NaturalSize, PictureInPicture, Tiled, CustomSize,
                                              Overlapping, Slide};
constexpr OptionRadio kDelayRadios[] = {Delay15s, Delay30s, Delay45s, Delay60s, Delay8s, Delay120s};

static_assert(std::size(kSoundRadios) == std::size(kSoundRows) && std::size(kOrderRadios) == std::size(kOrderRows) &&
              std::size(kColourSchemeRadios) == std::size(kColourSchemeRows) &&
              std::size(kDisplayModeRadios) == std::size(kDisplayModeRows) &&
              std::size(kDelayRadios) == std::size(kDelayRows));

}  // namespace

std::span<const OptionRadio> RadiosOf(Option option) {
  switch (option) {
    case Option::Sound: return kSoundRadios;
    case Option::InOrder: return kOrderRadios;
    case Option::ColourScheme: return kColourSchemeRadios;
    case Option::DisplayMode: return kDisplayModeRadios;
    case Option::Delay: return kDelayRadios;
    default: return {};
  }
}

}  // namespace lumora
