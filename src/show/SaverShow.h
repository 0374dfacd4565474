#pragma once
#include <optional>
#include <string>

#include "show/DisplayMode.h"
#include "show/NextPicture.h"
#include "show/SaverServices.h"
#include "show/SaverStage.h"
#include "show/SaverState.h"
#include "show/ShowView.h"
#include "show/SoundPlayback.h"

namespace lumora {

inline constexpr const char* kNoPicturesCaption =
    "You have not entered any pictures for display!  Go into screensaver \"settings\" for \"Lumora\", and enter "
    "some pictures for viewing.";
inline constexpr const char* kIniMissingMessage =
    "The ini file is missing. Please reinstall this software or copy the included ini file into your windows "
    "directory.";

// The full-screen show: start-up, a picture at each tick in the display mode of the settings, the next one prepared
// meanwhile, sound beside the pictures, and the end at the first input. The saver window drives it.
class SaverShow {
 public:
  SaverShow(SaverState& state, const SaverServices& services);

  // Reads the settings and lists; with a picture to show arms the timer, without one says why on a white screen.
  void Start();
  // The display timer's message: the next picture, and the one after it prepared.
  void OnTick();
  // Every message the application's loop takes from the queue, before it is dispatched; input ends the show.
  void OnInput(QueuedMessage message);
  // Ends the show: the timer, the next picture's preparation, a slide and the sound stop, then the system is told
  // and the window closes.
  void ShutDown();
  // The media device's notification of the sound's end (the outcome, when the device gave one).
  void OnMediaNotify(std::optional<MediaNotify> outcome);
  // What the show holds between ticks, read only.
  ShowView View() const;

 private:
  void SetTimer(bool enabled, int intervalMs);
  void Tick();
  PictureControl& Control(ControlId id);
  void Update(ControlId id);
  void ShowPlaced();
  void ShowSchemeColour();
  void Place(ControlId id);
  void ShowPictureInPicture();
  void LetGoOfHiddenBackdrop();
  void ShowOverlapping();
  void ShowSlide();
  void SlideIn(const Picture& picture);
  // Chooses the picture the next tick shows and has the worker prepare it, unless that is under way.
  void StartPreparation();
  NeedRule NextNeed();
  Picture LoadNextPicture();
  void ShowRowsSoFar(const Picture& rows);
  bool IsWindowsNT();
  void CheckPassword();
  PixelRect Screen() { return PixelRect{0, 0, services_.stage.ScreenWidth(), services_.stage.ScreenHeight()}; }

  SaverState& state_;
  SaverServices services_;
  DisplayMode mode_;
  NextPicture next_;
  SoundPlayback sound_;
  // The picture controls that can be shown; with four tiles, mainPicture and backdropPicture are the first two.
  PictureControl mainPicture_, backdropPicture_, thirdTile_, fourthTile_;
  const Picture placeholder_;
  bool timerEnabled_ = false;
  int timerInterval_ = kFirstTickIntervalMs;
};

}  // namespace lumora
