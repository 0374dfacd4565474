#pragma once
// A saver window for the benchmarks: SaverShow on the machine's own files, its stage rendered by the compositor,
// the rest of the system the tests' fakes: no sound, passwords or message boxes reach the machine.
#include <string>

#include "compositor/Compositor.h"
#include "portable/PortableFileSystem.h"
#include "portable/PortableProfileFiles.h"
#include "show/SaverShow.h"
#include "support/FakePlatform.h"
#include "support/ThreadWorker.h"

namespace lumora::bench {

// The saver reading `folder`/lumora.ini, shown on a screen of the given size.
struct BenchSaver {
  BenchSaver(const std::string& folder, int screenWidth, int screenHeight)
      : stage(screenWidth, screenHeight),
        saverShow(state, SaverServices{system, files, profiles, system, boxes, stage, passwords, media, worker}) {
    system.windowsDir = system.systemDir = folder;
  }

  test::FakeSystem system;
  PortableFileSystem files;
  PortableProfileFiles profiles;
  test::FakeMessageBoxes boxes;
  test::FakePasswords passwords;
  test::FakeMediaDevice media;
  test::ThreadWorker worker;
  Compositor stage;
  SaverState state;
  SaverShow saverShow;
};

}  // namespace lumora::bench
