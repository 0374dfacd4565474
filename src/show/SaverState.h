#pragma once
#include <string>

#include "platform/Rgb.h"
#include "show/SaverSettings.h"

namespace lumora {

inline constexpr int kFirstTickIntervalMs = 1000;

// The one record of the saver per process.
struct SaverState {
  std::string iniFileName;
  SaverSettings settings{};  // as read at start-up

  int lastPictureIndex = 0;
  Rgb background = kBlack;
  bool firstTick = true;
  bool slideStop = false;
  int tickDepth = 0;          // ticks running: a second runs only behind a password dialog opened in the first
  bool tickPending = false;   // a tick came while one ran and runs when that one has ended
  bool inputBusy = false;
};

}  // namespace lumora
