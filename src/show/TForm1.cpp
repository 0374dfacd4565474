#include "show/TForm1.h"

#include "image/Placeholder.h"

namespace lumora {

TForm1::TForm1(SaverState& state, const SaverServices& services)
    : MediaPlayer1(services.media), state_(state), services_(services) {
  Image1.stretch = true;
  Image1.autoSize = true;
  image2.stretch = true;
  imagjunk.picture = PlaceholderPicture();
}

// The worker may still be busy with the next picture: it stops at its next row, and its thread is joined by
// its owner.
TForm1::~TForm1() {
  if (job_) job_->watch.Cancel();
}

PictureControl& TForm1::Control(ControlId id) {
  switch (id) {
    case ControlId::Image1: return Image1;
    case ControlId::image2: return image2;
    case ControlId::Image3: return Image3;
    case ControlId::Image4: return Image4;
  }
  return Image1;
}

void TForm1::Update(ControlId id) { services_.stage.UpdateControl(id, Control(id)); }

void TForm1::SetTimer(bool enabled, int intervalMs) {
  timerEnabled_ = enabled;
  timerInterval_ = intervalMs;
  services_.stage.SetTimer(enabled, intervalMs);
}

// The shared random draw starts again from the time of day before each use.
void TForm1::RandomizeFromClock() { state_.random.Restart(services_.clock.MillisecondsSinceMidnightUtc()); }

}  // namespace lumora
