#include "win32/Win32Mci.h"

#include <mmsystem.h>

namespace lumora::win32 {

uint32_t Win32Mci::Open(const std::string& elementName, uint32_t& deviceId) {
  MCI_OPEN_PARMSA parameters{};
  DWORD flags = MCI_WAIT;
  if (!elementName.empty()) {
    parameters.lpstrElementName = elementName.c_str();
    flags |= MCI_OPEN_ELEMENT;
  }
  MCIERROR result = mciSendCommandA(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&parameters));
  if (result == 0) deviceId = parameters.wDeviceID;
  return result;
}

uint32_t Win32Mci::Play(uint32_t deviceId) {
  MCI_PLAY_PARMS parameters{};
  parameters.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow_);
  return mciSendCommandA(deviceId, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&parameters));
}

uint32_t Win32Mci::Stop(uint32_t deviceId) {
  MCI_GENERIC_PARMS parameters{};
  return mciSendCommandA(deviceId, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parameters));
}

uint32_t Win32Mci::Close(uint32_t deviceId) {
  MCI_GENERIC_PARMS parameters{};
  return mciSendCommandA(deviceId, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parameters));
}

std::optional<MediaMode> Win32Mci::StatusMode(uint32_t deviceId) {
  MCI_STATUS_PARMS parameters{};
  parameters.dwItem = MCI_STATUS_MODE;
  if (mciSendCommandA(deviceId, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&parameters)) != 0)
    return std::nullopt;
  // MCI_MODE_NOT_READY to MCI_MODE_OPEN run in the order of MediaMode.
  if (parameters.dwReturn < MCI_MODE_NOT_READY || parameters.dwReturn > MCI_MODE_OPEN) return std::nullopt;
  return static_cast<MediaMode>(parameters.dwReturn - MCI_MODE_NOT_READY);
}

std::string Win32Mci::ErrorString(uint32_t code) {
  char buffer[4096] = {};
  if (!mciGetErrorStringA(code, buffer, sizeof(buffer))) return "";
  return buffer;
}

std::optional<MediaNotify> Win32Mci::NotifyOutcome(WPARAM code) {
  switch (code) {
    case MCI_NOTIFY_SUCCESSFUL: return MediaNotify::Successful;
    case MCI_NOTIFY_SUPERSEDED: return MediaNotify::Superseded;
    case MCI_NOTIFY_ABORTED: return MediaNotify::Aborted;
    case MCI_NOTIFY_FAILURE: return MediaNotify::Failure;
  }
  return std::nullopt;
}

}  // namespace lumora::win32
