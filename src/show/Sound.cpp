#include "show/SaverShow.h"

#include <exception>

namespace lumora {

// Opens and plays the next sound; any failure turns sound off for the rest of the run, silently.
void SaverShow::StartSound() {
  try {
    mediaPlayer.FileName = state_.nextSound;
    mediaPlayer.Open();
    mediaPlayer.Play();
  } catch (const std::exception&) {
    // MediaDeviceError from the open, or no memory: sound is off for the rest of the run, silently.
    state_.soundOn = false;
  }
}

// A sound is never cut short: the next one starts at the first tick after the player has stopped.
void SaverShow::SoundTick() {
  if (state_.soundOn && mediaPlayer.Mode() == MediaMode::Stopped) StartSound();
}

void SaverShow::PickNextSound() {
  if (!state_.soundOn || state_.sounds.empty()) return;
  RandomizeFromClock();
  const uint32_t k = state_.random.Below(static_cast<uint32_t>(state_.sounds.size())) + 1;
  state_.nextSound = state_.sounds[k - 1];
}

void SaverShow::OnMediaNotify() { mediaPlayer.Stop(); }

void SaverShow::StopSound() {
  if (mediaPlayer.Mode() == MediaMode::Playing) mediaPlayer.Stop();
}

}  // namespace lumora
