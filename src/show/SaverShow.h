#pragma once
#include <optional>
#include <string>

#include "show/DisplayMode.h"
#include "show/NextPicture.h"
#include "show/SaverStage.h"
#include "show/SaverServices.h"
#include "show/SaverState.h"
#include "show/SoundPlayback.h"

namespace lumora {

inline constexpr const char* kSaverWindowClass = "TForm1";
inline constexpr const char* kSaverWindowTitle = "zurarize";
inline constexpr const char* kNoPicturesCaption =
    "You have not entered any pictures for display!  Go into screensaver \"settings\" for \"Lumora\", and enter "
    "some pictures for viewing.";
inline constexpr const char* kIniMissingMessage =
    "The ini file is missing. Please reinstall this software or copy the included ini file into your windows "
    "directory.";

// The full-screen saver window: start-up, the display cycle, picture choice, input and shut-down, and sound.
class SaverShow {
 public:
  SaverShow(SaverState& state, const SaverServices& services);
  SaverShow(const SaverShow&) = delete;
  SaverShow& operator=(const SaverShow&) = delete;

  // Start-up.
  void Start();

  // Display cycle.
  void OnTick();
  const DisplayMode& mode() const { return mode_; }

  // Picture choice and loading.
  void LoadNextPicture();
  // Chooses the picture the next tick shows and has the worker prepare it, unless that is under way.
  void StartPreparation();

  // Input and shut-down.
  void OnInput(QueuedMessage message);
  bool IsWindowsNT();
  void ShutDown();

  // The media device's notification of the sound's end (the outcome, when the device gave one).
  void OnMediaNotify(std::optional<MediaNotify> outcome);
  const SoundPlayback& sound() const { return sound_; }

  // The picture controls; only the first four are ever shown.
  PictureControl mainPicture, backdropPicture, thirdTile, fourthTile, staging, placeholder;
  bool timerEnabled() const { return timerEnabled_; }
  int timerInterval() const { return timerInterval_; }

 private:
  void SetTimer(bool enabled, int intervalMs);
  void Tick();
  PictureControl& Control(ControlId id);
  void Update(ControlId id);
  void ShowPlaced();
  void ShowSchemeColour();
  void Place(ControlId id);
  NeedRule NextNeed();
  void ShowRowsSoFar(const Picture& rows);
  void ShowPictureInPicture();
  void LetGoOfHiddenBackdrop();
  void ShowOverlapping();
  void ShowSlide();
  void SlideIn(const Picture& picture);
  PixelRect Screen() { return PixelRect{0, 0, services_.stage.ScreenWidth(), services_.stage.ScreenHeight()}; }
  void CheckPassword();

  SaverState& state_;
  SaverServices services_;
  DisplayMode mode_;
  NextPicture next_;
  SoundPlayback sound_;
  bool timerEnabled_ = false;
  int timerInterval_ = kFirstTickIntervalMs;
};

// The pause before a control is shown: a countdown in an empty loop that lets no messages through.
void BusyPause();

}  // namespace lumora
