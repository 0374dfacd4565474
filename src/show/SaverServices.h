#pragma once
#include "platform/FileSystem.h"
#include "platform/MediaDevice.h"
#include "platform/MessageBoxes.h"
#include "platform/PasswordServices.h"
#include "platform/ProfileFiles.h"
#include "platform/SystemServices.h"
#include "platform/Worker.h"
#include "show/SaverStage.h"

namespace lumora {

// Everything the saver window reaches the platform through.
struct SaverServices {
  SystemServices& system;
  FileSystem& files;
  ProfileFiles& profiles;
  Clock& clock;
  MessageBoxes& boxes;
  SaverStage& stage;
  PasswordServices& passwords;
  MediaDevice& media;
  Worker& worker;
};

}  // namespace lumora
