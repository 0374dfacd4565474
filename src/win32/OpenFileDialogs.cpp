#include "win32/OpenFileDialogs.h"

#include <commdlg.h>

#include <cstring>
#include <memory>
#include <vector>

#include "settings_window/SettingsLayout.h"
#include "win32/PicturePreview.h"
#include "win32_services/Handles.h"

namespace lumora::win32 {

namespace {

// Where the preview stands in the area the template adds under the dialog's own controls, in dialog units.
constexpr RECT kPreviewPlace{8, 4, 8 + 150, 4 + 104};
constexpr size_t kPathBufferSize = 1024;

// "name|pattern|name|pattern" as the dialog takes it: each part ended by a NUL, the list by a second one.
std::string DialogFilter(const char* filter) {
  std::string result(filter);
  for (char& c : result)
    if (c == '|') c = '\0';
  result.push_back('\0');
  return result;
}

// The dialog's own controls go above this template; it adds an empty area under them, where the hook puts the
// preview. Sizes in dialog units.
class PreviewTemplate {
 public:
  PreviewTemplate() {
    AddDword(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL);
    AddDword(0);
    words_.push_back(0);  // no controls
    AddRect(0, 0, 230, 112);
    words_.insert(words_.end(), {0, 0, 0});  // no menu, default class, no title
  }

  // The template in memory that stays put, as the dialog wants it.
  UniqueGlobalMemory Copy() const {
    const size_t bytes = words_.size() * sizeof(WORD);
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_FIXED, bytes));
    if (memory) std::memcpy(memory.get(), words_.data(), bytes);
    return memory;
  }

 private:
  void AddDword(DWORD value) { words_.insert(words_.end(), {LOWORD(value), HIWORD(value)}); }
  void AddRect(short x, short y, short cx, short cy) {
    words_.insert(words_.end(),
                  {static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(cx), static_cast<WORD>(cy)});
  }
  std::vector<WORD> words_;
};

UINT_PTR CALLBACK PictureDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* preview = reinterpret_cast<PicturePreview*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(preview));
    RECT place = kPreviewPlace;
    MapDialogRect(dialog, &place);
    // Without its preview the dialog still picks files.
    preview->Create(dialog, place);
    return TRUE;
  }
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_SELCHANGE) {
    auto* preview = reinterpret_cast<PicturePreview*>(GetWindowLongPtrA(dialog, DWLP_USER));
    char path[kPathBufferSize] = "";
    const LRESULT length =
        SendMessageA(GetParent(dialog), CDM_GETFILEPATH, sizeof(path), reinterpret_cast<LPARAM>(path));
    try {
      if (preview) preview->ShowFile(length > 0 ? path : "");
    } catch (const std::exception&) {
      // Out of memory while shrinking the picture: the preview stays empty; choosing the file stays possible.
    }
  }
  return 0;
}

std::optional<std::string> RunOpenDialog(OPENFILENAMEA& request, std::vector<char>& path) {
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.nFilterIndex = 1;
  request.Flags |= OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&request)) return std::nullopt;
  return std::string(path.data());
}

}  // namespace

std::optional<std::string> AskForPictureFile(HWND owner, HINSTANCE instance, FileSystem& files) {
  PicturePreview preview(files, instance);
  const UniqueGlobalMemory dialogTemplate = PreviewTemplate().Copy();
  const std::string filter = DialogFilter(kPictureDialogFilter);
  std::vector<char> path(kPathBufferSize, '\0');
  OPENFILENAMEA request{};
  request.hwndOwner = owner;
  request.lpstrFilter = filter.c_str();
  request.lCustData = reinterpret_cast<LPARAM>(&preview);
  request.lpfnHook = PictureDialogHook;
  if (dialogTemplate) {
    request.hInstance = static_cast<HINSTANCE>(dialogTemplate.get());
    request.Flags = OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE;
  }
  return RunOpenDialog(request, path);
}

std::optional<std::string> AskForSoundFile(HWND owner) {
  const std::string filter = DialogFilter(kSoundDialogFilter);
  std::vector<char> path(kPathBufferSize, '\0');
  OPENFILENAMEA request{};
  request.hwndOwner = owner;
  request.lpstrFilter = filter.c_str();
  return RunOpenDialog(request, path);
}

}  // namespace lumora::win32
