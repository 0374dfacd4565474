#include "show/SaverShow.h"

namespace lumora {

// Sees every message the application's loop takes from the queue, before it is dispatched; never marks one
// handled. While one input message is being checked, nested calls pass their messages over.
void SaverShow::OnInput(QueuedMessage message) {
  if (message == QueuedMessage::Other) return;
  const std::optional<Reentry::InputTurn> turn = state_.reentry.ArriveInput();
  if (!turn) return;
  if (IsWindowsNT()) ShutDown();
  else CheckPassword();
}

bool SaverShow::IsWindowsNT() { return services_.system.Platform() == PlatformKind::WindowsNT; }

// Windows 95 and 98: ends the show unless a screensaver password is in use and the user does not give it.
void SaverShow::CheckPassword() {
  std::optional<uint32_t> usePassword = services_.passwords.ScreenSaveUsePassword();
  if (!usePassword || *usePassword == 0) {
    ShutDown();
    return;
  }
  services_.system.ShowCursor(true);
  std::optional<bool> accepted =
      services_.passwords.VerifyPassword(LibraryPathIn(services_.system.SystemDirectory(), "PASSWORD.CPL"));
  if (!accepted || *accepted) ShutDown();
  services_.system.ShowCursor(false);
}

}  // namespace lumora
