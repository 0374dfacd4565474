#include "SaverRun.h"

#include <X11/keysym.h>

#include <filesystem>

#include "settings_file/SettingsFile.h"
#include "support/PictureFiles.h"
#include "support/ShowFixture.h"

namespace lumora::e2e {

using namespace std::chrono_literals;

namespace {

constexpr char kFilesFolder[] = "lumora-files";

}  // namespace

ShowFiles::ShowFiles() { std::filesystem::create_directories(Session().DriveC() / kFilesFolder); }

std::string ShowFiles::AddPicture(const std::string& fileName, const lumora::Picture& picture) {
  const bool jpeg = fileName.ends_with(".jpg");
  return AddFile(fileName, jpeg ? lumora::JpegFileOf(picture) : lumora::BmpFileOf(picture));
}

std::string ShowFiles::AddFile(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  const auto path = Session().DriveC() / kFilesFolder / fileName;
  std::filesystem::create_directories(path.parent_path());
  lumora::WriteFile(path.string(), bytes);
  const std::string windowsPath = ToWindowsPath(path);
  Include(windowsPath, bytes);
  return windowsPath;
}

Image ToImage(const lumora::Picture& frame) {
  Image image(frame.Width(), frame.Height());
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x) {
      const lumora::Rgb pixel = frame.PixelAt(x, y);
      image.Set(x, y, Rgb{pixel.r, pixel.g, pixel.b});
    }
  return image;
}

Image ExpectedFrame(const std::string& settingsText, const ShowFiles& files, int ticks) {
  test::ShowFixture show(Session().PrimaryScreen().width, Session().PrimaryScreen().height);
  for (const auto& [path, bytes] : files.Files()) show.files.Add(path, bytes);
  show.WriteIni(settingsText);
  show.saverShow.Start();
  show.Ticks(ticks);
  return ToImage(show.stage.Render());
}

DialogInfo WaitForDialogSaying(Inspector& inspector, const std::string& words) {
  std::optional<DialogInfo> found;
  const auto shows = [&] {
    for (const DialogInfo& box : inspector.Dialogs())
      for (const std::string& text : box.statics)
        if (box.visible && text.find(words) != std::string::npos) found = box;
    // Wine gives the X keyboard focus a moment after it makes the box the foreground window.
    return found.has_value() && inspector.Foreground() == found->hwnd &&
           Session().X().FocusedWindowName() == found->caption;
  };
  if (!WaitFor(shows, 60s)) throw HarnessError("nothing says \"" + words + "\" with the keyboard's focus");
  return *found;
}

void WriteAlbums() {
  const auto shade = [](uint8_t red) {
    return lumora::MakePicture(16, 12, [=](int x, int y) {
      return lumora::Rgb{red, static_cast<uint8_t>(x * 9), static_cast<uint8_t>(y * 9)};
    });
  };
  const std::filesystem::path albums = Session().DriveC() / "Albums";
  std::filesystem::remove_all(albums);
  std::filesystem::create_directories(albums / "trip");
  lumora::WriteFile((albums / "a.jpg").string(), lumora::JpegFileOf(shade(40)));
  lumora::WriteFile((albums / "b.bmp").string(), lumora::BmpFileOf(shade(120)));
  lumora::WriteFile((albums / "trip" / "c.jpg").string(), lumora::JpegFileOf(shade(200)));
  lumora::WriteFile((albums / "notes.txt").string(), {'n'});
}

void SelectFirstFolderOfDriveC() {
  TapKey(XK_Tab);
  TapKey(XK_Tab);
  TapKey(XK_m);
  for (int step = 0; step < 4; ++step) TapKey(XK_Right);
}

RunningSaver::RunningSaver(const WineRunOptions& options, const std::vector<std::string>& args)
    : process_(StartScr(args, options)) {}

RunningSaver::~RunningSaver() {
  if (process_.Running()) process_.Kill();
  WaitUntilNoSaverRuns();
}

Hwnd RunningSaver::WaitForWindow(std::chrono::milliseconds timeout) {
  std::optional<Hwnd> window = Inspector(Session()).Wait(kSaverWindowClass, kSaverWindowTitle, timeout);
  if (!window) throw HarnessError("no saver window; stderr in " + process_.StderrFile().string());
  return *window;
}

Image WaitForScreen(const Image& expected, std::chrono::milliseconds timeout) {
  Image shot;
  WaitFor(
      [&] {
        shot = Screenshot();
        return Matches(shot, expected.Bounds(), expected);
      },
      timeout);
  return shot;
}

namespace {

constexpr char kDesktopKey[] = "HKCU\\Control Panel\\desktop";
constexpr char kWineKey[] = "HKCU\\Software\\Wine";

void DeleteIfPresent(const std::string& key, const std::string& name) {
  try {
    Session().DeleteRegistryValue(key, name);
  } catch (const HarnessError&) {
    // Not there: nothing to delete.
  }
}

}  // namespace

Windows98::Windows98(std::optional<std::string> usePassword, const std::string& type)
    : passwordCpl_(InstallTestPasswordCpl()) {
  ClearTestDllFiles();
  Session().SetRegistryValue(kWineKey, "Version", "REG_SZ", "win98");
  if (usePassword) Session().SetRegistryValue(kDesktopKey, "ScreenSaveUsePassword", type, *usePassword);
  else DeleteIfPresent(kDesktopKey, "ScreenSaveUsePassword");
}

Windows98::~Windows98() {
  DeleteIfPresent(kWineKey, "Version");
  DeleteIfPresent(kDesktopKey, "ScreenSaveUsePassword");
}

bool PressOkOn(const std::string& caption) {
  Inspector inspector(Session());
  for (const DialogInfo& dialog : inspector.Dialogs()) {
    if (dialog.caption != caption) continue;
    for (const ChildInfo& child : inspector.Children(dialog.hwnd))
      if (child.className == "Button" && child.text == "OK") {
        inspector.Click(child.hwnd);
        return true;
      }
  }
  return false;
}

}  // namespace lumora::e2e
