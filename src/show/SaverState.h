#pragma once
#include <string>

#include "platform/Rgb.h"
#include "show/Reentry.h"
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
  Reentry reentry;
};

}  // namespace lumora
