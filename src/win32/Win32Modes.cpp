#include "win32/Win32Modes.h"

#include "settings_window/DisclaimerForm.h"
#include "settings_window/SettingsForm.h"
#include "show/SaverShow.h"
#include "win32/CrashGuard.h"
#include "win32/DisclaimerWindow.h"
#include "win32/SaverWindow.h"
#include "win32/SettingsWindow.h"
#include "win32/Win32Mci.h"
#include "win32/Win32System.h"
#include "win32/Win32Worker.h"
#include "win32_services/Win32Services.h"

namespace lumora::win32 {

void Win32Modes::RunSaverMode() {
  InstallSaverCrashGuard();
  SaverState state;  // the saver's one record, for as long as this run lasts
  Win32MessageBoxes boxes(kSaverTitle);
  Application application(kSaverTitle, boxes);
  Win32System system;
  Win32FileSystem files;
  Win32ProfileFiles profiles;
  Win32Passwords passwords;
  Win32Mci media;
  SaverWindow window(application, instance_);
  // Declared after the window, so that its thread is joined before the window goes, and before the show, which
  // cancels the job under way when it goes.
  Win32Worker worker;
  SaverShow show(state, SaverServices{system, files, profiles, system, boxes, window, passwords, media, worker});
  // Without its window and controls the saver could show nothing and wait forever: it ends before it starts.
  if (!window.Create(show)) return;
  passwords.SetOwner(window.Handle());
  media.SetNotifyWindow(window.PlayerHandle());
  application.Guarded([&] { show.Start(); });
  window.Show();
  application.Run();
}

void Win32Modes::RunSettingsMode() {
  SettingsFormState state;
  Win32MessageBoxes boxes(kSettingsTitle);
  Application application(kSettingsTitle, boxes);
  Win32System system;
  Win32FileSystem files;
  Win32ProfileFiles profiles;
  SettingsWindow window(application, instance_, files);
  SettingsForm form(state, SettingsServices{system, files, profiles, boxes, window});
  if (!window.Create(form)) return;
  // A failure while loading or creating the settings file is reported, and the window opens all the same.
  application.Guarded([&] { form.Open(); });
  DisclaimerWindow disclaimer(application, instance_);
  DisclaimerForm disclaimerForm(disclaimer);
  if (!disclaimer.Create(disclaimerForm, window.Handle())) return;
  window.SetDisclaimer(disclaimer);
  window.Show();
  window.RunMessageLoop();
}

}  // namespace lumora::win32
