#include "settings_window/SettingsControls.h"

namespace lumora {

namespace {

using enum OptionRadio;

constexpr OptionRadio kSoundRadios[] = {Radsndon, Radsndof};
constexpr OptionRadio kOrderRadios[] = {Radseq, Radran};
constexpr OptionRadio kColourSchemeRadios[] = {Radcol1, Radcol2, Radcol3, Radcol4};
constexpr OptionRadio kDisplayModeRadios[] = {radpicst, radpicde, radpicin, radpicti, Radpictcust, Radoverlap, Radslide};
constexpr OptionRadio kDelayRadios[] = {Radtime1, Radtime2, Radtime3, Radtime4, Rad8, Rad120};

static_assert(std::size(kSoundRadios) == std::size(kSoundRows) && std::size(kOrderRadios) == std::size(kOrderRows) &&
              std::size(kColourSchemeRadios) == std::size(kColourSchemeRows) &&
              std::size(kDisplayModeRadios) == std::size(kDisplayModeRows) &&
              std::size(kDelayRadios) == std::size(kDelayRows));

}  // namespace

std::span<const OptionRadio> RadiosOf(Option option) {
  switch (option) {
    case Option::Sound: return kSoundRadios;
    case Option::Seq: return kOrderRadios;
    case Option::Color: return kColourSchemeRadios;
    case Option::Picdis: return kDisplayModeRadios;
    case Option::Time: return kDelayRadios;
    default: return {};
  }
}

}  // namespace lumora
