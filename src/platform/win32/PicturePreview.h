#pragma once
#include <windows.h>

#include <string>

#include "image/Picture.h"
#include "platform/FileSystem.h"

namespace lumora::win32 {

// The preview area of the picture dialog: the selected picture, decoded by our own decoders and shrunk to fit
// with its proportions kept; empty for anything that is not a readable picture.
class PicturePreview {
 public:
  static constexpr const wchar_t* kClassName = L"LumoraPreview";
  static void RegisterWindowClass(HINSTANCE instance);

  explicit PicturePreview(FileSystem& files) : files_(files) {}
  void Attach(HWND control);
  void ShowFile(const std::string& path);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  FileSystem& files_;
  HWND control_ = nullptr;
  std::string path_;
  Picture shown_;  // already at the size it is drawn
};

}  // namespace lumora::win32
