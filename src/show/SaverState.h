#pragma once
#include <string>
#include <vector>

#include "platform/Rgb.h"
#include "settings_file/OptionTable.h"

namespace lumora {

inline constexpr int kFirstTickIntervalMs = 1000;

// The one record of the saver per process.
struct SaverState {
  std::string windowsDir;
  std::string iniFileName;

  // Options, as loaded from the settings file.
  bool soundOn = false;
  bool inOrder = true;
  ColourScheme colourScheme = ColourScheme::BlackOnly;
  DisplayModeKind displayMode = DisplayModeKind::PictureInPicture;
  int delayMs = 0;
  int customHeight = 0;
  int customWidth = 0;

  // Files that existed at start-up, numbered from 1 (entry k is element k - 1).
  std::vector<std::string> pictures;
  std::vector<std::string> sounds;

  int lastPictureIndex = 0;
  Rgb background = kBlack;
  bool firstTick = true;
  bool slideStop = false;
  int tickDepth = 0;          // ticks running: a second runs only behind a password dialog opened in the first
  bool tickPending = false;   // a tick came while one ran and runs when that one has ended
  bool inputBusy = false;
};

}  // namespace lumora
