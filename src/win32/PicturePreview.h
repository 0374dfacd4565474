#pragma once
#include <windows.h>

#include <string>

#include "image/Picture.h"
#include "platform/FileSystem.h"
#include "win32/Window.h"

namespace lumora::win32 {

// The preview area of the picture dialog: the selected picture, decoded by our own decoders and shrunk to fit
// with its proportions kept; empty for anything that is not a readable picture.
class PicturePreview : public Window {
 public:
  PicturePreview(FileSystem& files, HINSTANCE instance) : files_(files), instance_(instance) {}
  bool Create(HWND dialog, const RECT& place);
  void ShowFile(const std::string& path);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint();

  FileSystem& files_;
  HINSTANCE instance_;
  std::string path_;
  Picture shown_;  // already at the size it is drawn
};

}  // namespace lumora::win32
