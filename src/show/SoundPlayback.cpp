#include "show/SoundPlayback.h"

#include <exception>

#include "show/RandomDraw.h"

namespace lumora {

void SoundPlayback::Start(bool on, const std::vector<std::string>& sounds) {
  on_ = on;
  sounds_ = sounds;
  if (!on_ || sounds_.empty()) return;
  next_ = sounds_.front();
  PlayNext();
}

void SoundPlayback::OnTick() {
  if (on_ && player_.Mode() == MediaMode::Stopped) PlayNext();
}

void SoundPlayback::PickNext() {
  if (!on_ || sounds_.empty()) return;
  RandomDraw random = RandomDraw::FromClock(clock_);
  next_ = sounds_[random.Below(static_cast<uint32_t>(sounds_.size()))];
}

void SoundPlayback::OnNotify(std::optional<MediaNotify> outcome) {
  if (outcome) player_.Notified(*outcome);
  player_.Stop();
}

void SoundPlayback::Stop() {
  if (player_.Mode() == MediaMode::Playing) player_.Stop();
}

void SoundPlayback::PlayNext() {
  try {
    player_.Open(next_);
    player_.Play();
  } catch (const std::exception&) {
    // MediaDeviceError from the open, or no memory: sound is off for the rest of the run, silently.
    on_ = false;
  }
}

}  // namespace lumora
