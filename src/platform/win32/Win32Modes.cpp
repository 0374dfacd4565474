#include "platform/win32/Win32Modes.h"

#include "platform/win32/SaverWindow.h"
#include "platform/win32/Win32Mci.h"
#include "platform/win32/Win32Services.h"
#include "usave1/TForm1.h"

namespace lumora::win32 {

void Win32Modes::RunSaverMode() {
  // The saver's record lives as long as the process.
  static SaverState state;
  Win32MessageBoxes boxes(kSaverTitle);
  Application application(kSaverTitle, boxes);
  Win32System system;
  Win32FileSystem files;
  Win32ProfileFiles profiles;
  Win32Passwords passwords;
  Win32Mci media;
  SaverWindow window(application, instance_);
  TForm1 form(state, SaverServices{system, files, profiles, system, boxes, window, passwords, media});
  window.Create(form);
  passwords.SetOwner(window.Handle());
  media.SetNotifyWindow(window.PlayerHandle());
  application.Guarded([&] { form.FormCreate(); });
  window.Show();
  application.Run();
}

void Win32Modes::RunSettingsMode() {}

}  // namespace lumora::win32
