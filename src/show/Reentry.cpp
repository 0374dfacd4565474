#include "show/Reentry.h"

#include <utility>

namespace lumora {

Reentry::TickTurn::TickTurn(Reentry& reentry, bool behindDialog) : reentry_(reentry), behindDialog_(behindDialog) {
  ++reentry_.tickDepth_;
  reentry_.tickHeld_ = false;
}

std::optional<Reentry::TickTurn> Reentry::ArriveTick(bool awaitingPicture) {
  const bool behindDialog = tickDepth_ == 1 && inputBusy_ && !awaitingPicture;
  if (tickDepth_ > 0 && !behindDialog) {
    slideStopped_ = true;
    tickHeld_ = true;
    return std::nullopt;
  }
  return std::optional<TickTurn>(std::in_place, *this, behindDialog);
}

bool Reentry::TakeHeldTick() { return std::exchange(tickHeld_, false); }

std::optional<Reentry::InputTurn> Reentry::ArriveInput() {
  if (inputBusy_) return std::nullopt;
  return std::optional<InputTurn>(std::in_place, *this);
}

}  // namespace lumora
