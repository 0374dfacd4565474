#pragma once
#include <functional>
#include <memory>
#include <string>

#include "show/PictureJob.h"
#include "show/RowSteps.h"
#include "show/SaverServices.h"

namespace lumora {

// The picture the next tick shows, prepared by the worker while the show waits for that tick: one preparation at
// a time, taken by the tick that shows it. Once the show has ended it prepares nothing more and hands over
// nothing of a preparation that may still run.
class NextPicture {
 public:
  explicit NextPicture(const SaverServices& services) : services_(services) {}
  // The worker may still be busy: it stops at its next row, and its thread is joined by its owner.
  ~NextPicture() { End(); }
  NextPicture(const NextPicture&) = delete;
  NextPicture& operator=(const NextPicture&) = delete;

  // Shows the rows of a late picture decoded so far, the rest in `fill`.
  struct RowsSoFar {
    std::function<void(const Picture&)> show;
    Rgb fill;
  };

  // Has the worker read `path` and decode what `need` names; with `backdropPath`, it first makes that file's
  // picture stretched over the screen.
  void Start(const std::string& path, NeedRule need, const std::string& backdropPath);
  bool Started() const { return job_ != nullptr; }
  // The backdrop, as soon as the preparation has made it; nothing before the first tick or once the show ended.
  Picture TakeBackdrop();
  // The prepared picture, read again when its file changed since; `placeholder` when it cannot be read, nothing
  // once the show has ended. `rows`, when given, draws the picture while it is late.
  Picture Take(const Picture& placeholder, const RowsSoFar* rows);
  // The file of the picture the last Take handed over.
  const std::string& ShownPath() const { return shownPath_; }

  // A tick waits for its picture.
  bool Awaiting() const { return awaiting_; }
  // Cancels what runs and prepares nothing more.
  void End();
  bool Ended() const { return ended_; }

 private:
  std::shared_ptr<PictureJob> Request(const std::string& path, NeedRule need, const std::string& backdropPath) const;
  // Has the worker ask whether the prepared file changed since it was read, and read it again if so.
  void StartCheck();
  void Await(const RowsSoFar* rows, const std::function<bool()>& ready = {});
  void DrawDecodedRows(RowSteps& steps, const RowsSoFar& rows);

  SaverServices services_;
  std::shared_ptr<PictureJob> job_;  // while it is prepared and until a tick takes it
  std::string shownPath_;
  bool awaiting_ = false;
  bool ended_ = false;
};

}  // namespace lumora
