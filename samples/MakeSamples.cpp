// Writes the demo's sample pictures into a folder and, optionally, a settings file that lists them.
// Usage: lumora_make_samples FOLDER [SETTINGS_FILE WINDOWS_FOLDER [Key=value...]]
//   FOLDER          where the pictures go (a Unix path)
//   SETTINGS_FILE   the settings file to write (a Unix path)
//   WINDOWS_FOLDER  FOLDER as the saver sees it, e.g. C:\Lumora\Samples
//   Key=value       Options lines, e.g. Picdis=4 Time=8
#include <cstdio>
#include <filesystem>
#include <string>

#include "samples/SamplePictures.h"
#include "support/PictureFiles.h"
#include "support/SettingsFiles.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc < 4) {
    std::fprintf(stderr, "usage: %s FOLDER [SETTINGS_FILE WINDOWS_FOLDER [Key=value...]]\n", argv[0]);
    return 2;
  }
  try {
    std::filesystem::create_directories(argv[1]);
    const std::string windowsFolder = argc >= 4 ? argv[3] : "";
    lumora::SlotValues pictures;
    for (const auto& sample : lumora::samples::MakeSamplePictures()) {
      const auto bytes = sample.format == lumora::samples::SampleFormat::Jpeg ? lumora::JpegFileOf(sample.picture)
                                                                              : lumora::BmpFileOf(sample.picture);
      lumora::WriteFile((std::filesystem::path(argv[1]) / sample.fileName).string(), bytes);
      pictures[static_cast<int>(pictures.size()) + 1] = windowsFolder + "\\" + sample.fileName;
      std::printf("%s\n", sample.fileName.c_str());
    }
    if (argc == 2) return 0;
    std::string options;
    for (int i = 4; i < argc; ++i) options += std::string(argv[i]) + "\r\n";
    const std::string text = lumora::SettingsFileText(options, pictures);
    lumora::WriteFile(argv[2], std::vector<uint8_t>(text.begin(), text.end()));
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
    return 1;
  }
}
