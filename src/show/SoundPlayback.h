#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/SystemServices.h"
#include "show/MediaPlayer.h"

namespace lumora {

// The show's sounds, one after another beside the pictures: the first at start-up, each next one at the first tick
// after the one before has ended, the entry drawn at the latest picture load. Silent about its failures: any
// failure to start a sound turns sound off for the rest of the run.
class SoundPlayback {
 public:
  SoundPlayback(MediaDevice& device, Clock& clock) : player_(device), clock_(clock) {}

  // With sound on and sounds listed, plays the first.
  void Start(bool on, const std::vector<std::string>& sounds);
  // A sound is never cut short: the next one starts once the player has stopped.
  void OnTick();
  // Draws the sound that plays next, any of the list, the one playing included.
  void PickNext();
  // The device's end of play: the player stops, whatever the outcome. Without a device open that raises
  // MediaDeviceError.
  void OnNotify(std::optional<MediaNotify> outcome);
  // Stops a sound that plays.
  void Stop();

  bool On() const { return on_; }
  const std::string& NextSound() const { return next_; }
  const MediaPlayer& Player() const { return player_; }

 private:
  void PlayNext();

  MediaPlayer player_;
  Clock& clock_;
  bool on_ = false;  // as loaded at start-up, and off from the first failure
  std::vector<std::string> sounds_;
  std::string next_;
};

}  // namespace lumora
