#include "show/TForm1.h"

#include <exception>

namespace lumora {

// Opens and plays the next sound; any failure turns sound off for the rest of the run, silently.
void TForm1::StartSound() {
  try {
    MediaPlayer1.FileName = state_.nextSound;
    MediaPlayer1.Open();
    MediaPlayer1.Play();
  } catch (const std::exception&) {
    // EMCIDeviceError from the open, or no memory: sound is off for the rest of the run, silently.
    state_.soundOn = false;
  }
}

// A sound is never cut short: the next one starts at the first tick after the player has stopped.
void TForm1::SoundTick() {
  if (state_.soundOn && MediaPlayer1.Mode() == MPModes::Stopped) StartSound();
}

void TForm1::PickNextSound() {
  if (!state_.soundOn || state_.sounds.empty()) return;
  RandomizeFromClock();
  const uint32_t k = state_.random.Below(static_cast<uint32_t>(state_.sounds.size())) + 1;
  state_.nextSound = state_.sounds[k - 1];
}

void TForm1::MediaPlayer1Notify() { MediaPlayer1.Stop(); }

void TForm1::StopSound() {
  if (MediaPlayer1.Mode() == MPModes::Playing) MediaPlayer1.Stop();
}

}  // namespace lumora
