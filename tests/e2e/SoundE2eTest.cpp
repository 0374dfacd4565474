// Sound under Wine, heard rather than assumed: the saver runs with an ALSA "file" device as its default sound
// output, so every sample Wine plays lands in a file the test reads.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "SaverRun.h"
#include "support/ShowFixture.h"

namespace lumora::e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kSampleRate = 22050;

// A mono 16-bit wave file of a tone; every file of a test gets its own frequency.
std::vector<uint8_t> WaveFile(double frequency, double seconds, std::vector<int16_t>* samplesOut = nullptr) {
  std::vector<int16_t> samples(static_cast<size_t>(seconds * kSampleRate));
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(9000 * std::sin(2 * M_PI * frequency * static_cast<double>(i) / kSampleRate));
  if (samplesOut) *samplesOut = samples;
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> file;
  const auto put = [&](const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    file.insert(file.end(), bytes, bytes + size);
  };
  const auto put32 = [&](uint32_t value) { put(&value, 4); };
  const auto put16 = [&](uint16_t value) { put(&value, 2); };
  put("RIFF", 4);
  put32(36 + dataBytes);
  put("WAVEfmt ", 8);
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(kSampleRate);
  put32(kSampleRate * 2);
  put16(2);
  put16(16);
  put("data", 4);
  put32(dataBytes);
  put(samples.data(), dataBytes);
  return file;
}

// The default ALSA device of the saver's process, writing everything played into one file.
class SoundCapture {
 public:
  SoundCapture() : folder_(Session().RunDir() / ("sound-" + std::to_string(++count_))) {
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "asound.conf")
        << "</usr/share/alsa/alsa.conf>\n"
           "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \""
        << (folder_ / "played.raw").string() << "\"\n  format \"raw\"\n  truncate false\n}\n";
  }
  WineRunOptions Options() const { return {.environment = {{"ALSA_CONFIG_PATH", (folder_ / "asound.conf").string()}}}; }
  // What each opening of the device received, in order: the device writes played.raw, then played.raw.0001, ...
  std::vector<std::vector<int16_t>> Plays() const {
    std::vector<std::vector<int16_t>> plays;
    for (int n = 0;; ++n) {
      char suffix[16] = "";
      if (n > 0) std::snprintf(suffix, sizeof(suffix), ".%04d", n);
      const auto path = folder_ / ("played.raw" + std::string(suffix));
      if (!std::filesystem::exists(path)) return plays;
      const std::string bytes = ReadFile(path);
      std::vector<int16_t> samples(bytes.size() / 2);
      std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
      plays.push_back(std::move(samples));
    }
  }

 private:
  static inline int count_ = 0;
  std::filesystem::path folder_;
};

struct SoundShow {
  ShowFiles files;
  void Install(const SlotValues& sounds) {
    const std::string picture = files.AddPicture("p.bmp", test::Solid(16, 16, lumora::Rgb{0, 150, 0}));
    WriteWindowsFile("lumora.ini", SettingsFileText("Sound=1\r\nPicdis=1\r\nTime=8\r\n", {{1, picture}}, sounds));
  }
};

// A play holds the sound from its start, sample for sample (a play cut short holds a beginning of it).
bool IsPlayOf(const std::vector<int16_t>& play, const std::vector<int16_t>& sound) {
  return !play.empty() && play.size() <= sound.size() && std::equal(play.begin(), play.end(), sound.begin());
}

// The samples between the first and the last sound: under load Wine's mixer pads a play with silence, a period
// at a time, which the device receives as the saver's.
std::vector<int16_t> Unpadded(const std::vector<int16_t>& play) {
  const auto loud = [](int16_t sample) { return sample != 0; };
  const auto first = std::find_if(play.begin(), play.end(), loud);
  const auto last = std::find_if(play.rbegin(), play.rend(), loud).base();
  return first < last ? std::vector<int16_t>(first, last) : std::vector<int16_t>();
}

// " 8820/12 6615/9": each play's length and its samples of silence, to tell a play cut short from one that Wine
// padded with silence.
std::string SampleCounts(const std::vector<std::vector<int16_t>>& plays) {
  std::string counts;
  for (const auto& play : plays)
    counts += " " + std::to_string(play.size()) + "/" + std::to_string(std::count(play.begin(), play.end(), 0));
  return counts;
}

TEST(SoundPlayback, EntryOnePlaysAtStartUpThenTheDrawnSoundsFollow) {
  SoundCapture capture;
  SoundShow show;
  std::vector<int16_t> first, other;
  const std::string firstPath = show.files.AddFile("first.wav", WaveFile(440, 0.4, &first));
  const std::string otherPath = show.files.AddFile("other.wav", WaveFile(660, 0.3, &other));
  SlotValues sounds{{1, firstPath}};
  for (int slot = 2; slot <= 9; ++slot) sounds[slot] = otherPath;
  show.Install(sounds);
  RunningSaver saver(capture.Options());
  saver.WaitForWindow();
  // Entry 1 at start-up; it ends before the first tick, which starts entry 1 again; the next tick plays the
  // sound drawn at the first picture load.
  std::vector<std::vector<int16_t>> plays;
  const bool thirdPlayed = WaitFor(
      [&] {
        plays = capture.Plays();
        return plays.size() >= 3 && (Unpadded(plays[2]) == Unpadded(first) || Unpadded(plays[2]) == Unpadded(other));
      },
      20s);
  ASSERT_TRUE(thirdPlayed) << plays.size() << " plays (samples/silent ones):" << SampleCounts(plays)
                           << "; sounds:" << SampleCounts({first, other});
  EXPECT_EQ(Unpadded(plays[0]), Unpadded(first));
  EXPECT_EQ(Unpadded(plays[1]), Unpadded(first));
}

TEST(SoundPlayback, MissingOrUndecodableSoundsLeaveTheShowSilentAndRunning) {
  for (const bool missing : {true, false}) {
    SoundCapture capture;
    SoundShow show;
    const std::string path =
        missing ? "C:\\lumora-files\\gone.wav" : show.files.AddFile("noise.wav", std::vector<uint8_t>(5000, 0x5A));
    show.Install({{1, path}});
    const char* sound = missing ? "missing" : "undecodable";
    RunningSaver saver(capture.Options());
    saver.WaitForWindow();
    EXPECT_TRUE(WaitFor([] { return IsUniform(Screenshot(), {0, 0, 50, 50}, Rgb{0, 150, 0}); }, 10s)) << sound;
    EXPECT_EQ(saver.WaitForExit(1s), std::nullopt) << sound;
    EXPECT_EQ(capture.Plays().size(), 0u) << sound;
    const auto dialogs = Inspector(Session()).Dialogs();
    EXPECT_TRUE(dialogs.empty()) << sound << ": a box \"" << dialogs.front().caption << "\"";
  }
}

TEST(SoundPlayback, ASoundPlayingAtAKeyPressStopsBeforeTheSaverEnds) {
  SoundCapture capture;
  SoundShow show;
  std::vector<int16_t> longTone;
  show.Install({{1, show.files.AddFile("long.wav", WaveFile(330, 8.0, &longTone))}});
  RunningSaver saver(capture.Options());
  saver.WaitForWindow();
  ASSERT_TRUE(WaitFor([&] { return !capture.Plays().empty() && capture.Plays()[0].size() > kSampleRate / 2; }, 10s));
  TapKey(XK_Escape);
  EXPECT_EQ(saver.WaitForExit(10s), 0);
  const auto plays = capture.Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_TRUE(IsPlayOf(plays[0], longTone));
  EXPECT_LT(plays[0].size(), longTone.size() / 2) << "stopped, not played to its end";
}

// A MIDI file of one note.
std::vector<uint8_t> MidiFile() {
  return {'M', 'T', 'h',  'd',  0,    0,   0, 6,  0,    0,    0,  1,   0,    96,    // format 0, one track, 96 ticks
          'M', 'T', 'r',  'k',  0,    0,   0, 13, 0x00, 0x90, 60, 100, 0x60, 0x80,  // note on, a beat, note off
          60,  0,   0x00, 0xFF, 0x2F, 0x00};                                        // end of track
}

TEST(SoundPlayback, MidiThatWineCannotPlayLeavesTheShowRunning) {
  SoundCapture capture;
  SoundShow show;
  show.Install({{1, show.files.AddFile("tune.mid", MidiFile())}});
  RunningSaver saver(capture.Options());
  saver.WaitForWindow();
  EXPECT_TRUE(WaitFor([] { return IsUniform(Screenshot(), {0, 0, 50, 50}, Rgb{0, 150, 0}); }, 10s));
  EXPECT_FALSE(saver.WaitForExit(1s).has_value());
  EXPECT_TRUE(Inspector(Session()).Dialogs().empty());
}

}  // namespace
}  // namespace lumora::e2e
