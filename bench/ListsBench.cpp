// lumora-lists.exe under Wine against a bare walk of the same folder tree (FindFirstFileA and FindNextFileA alone,
// bare_walk.exe): a library of 100,000 pictures in 1,000 folders, listed into a settings file and only checked,
// each timed as a whole run of its program, the runs interleaved. Prints figures; asserts nothing.
// Usage: LUMORA_E2E_ARCH=i686 lumora_lists_bench [runs]   (the lists tool is a 32-bit program)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Timing.h"
#include "WineBenchMain.h"
#include "harness/Harness.h"
#include "harness/WindowsFiles.h"
#include "harness/WineSession.h"
#include "support/SettingsFiles.h"

namespace lumora::e2e {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Ten year folders of 99 event folders each: 1,000 folders, each holding 100 files that start as a JPEG does.
constexpr int kYears = 10, kEventsPerYear = 99, kFilesPerFolder = 100;
constexpr char kJpegHead[] = "\xFF\xD8\xFF\xE0\x00\x10JFIF";
constexpr char kLibrary[] = "C:\\lumora-bench\\library";
constexpr char kEmptyFolder[] = "C:\\lumora-bench\\empty";
constexpr char kIni[] = "C:\\lumora-bench\\lumora.ini";

void FillFolder(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  for (int file = 1; file <= kFilesPerFolder; ++file)
    std::ofstream(folder / ("img" + std::to_string(file) + ".jpg"), std::ios::binary)
        .write(kJpegHead, sizeof kJpegHead - 1);
}

void WriteLibrary() {
  const std::filesystem::path library = FromWindowsPath(kLibrary);
  std::filesystem::remove_all(library);
  for (int year = 0; year < kYears; ++year) {
    const std::filesystem::path yearFolder = library / std::to_string(2010 + year);
    FillFolder(yearFolder);
    for (int event = 1; event <= kEventsPerYear; ++event) FillFolder(yearFolder / ("event " + std::to_string(event)));
  }
  std::filesystem::create_directories(FromWindowsPath(kEmptyFolder));
}

double Ms(const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; }

// One whole run of a Windows program: its wall time, and the processor time of the Wine process that was started
// (the Wine server's share not counted; a 64-bit program runs in a process of its own, which this does not count).
bench::Sample TimedRun(const std::string& program, const std::vector<std::string>& arguments) {
  rusage before{}, after{};
  getrusage(RUSAGE_CHILDREN, &before);
  const Clock::time_point start = Clock::now();
  const int exitCode = Session().Run(program, arguments, 600s);
  const double wall = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  getrusage(RUSAGE_CHILDREN, &after);
  if (exitCode != 0) throw HarnessError(program + " ended with exit code " + std::to_string(exitCode));
  const double cpu = Ms(after.ru_utime) + Ms(after.ru_stime) - Ms(before.ru_utime) - Ms(before.ru_stime);
  return {wall, cpu, after.ru_minflt - before.ru_minflt};
}

int Run(int runs, const std::string&) {
  std::printf(
      "lumora-lists.exe (%s) under Wine against a bare walk of the same tree: %d pictures in %d folders, "
      "medians of %d runs\n",
      ArchName(Session().Arch()), kYears * (kEventsPerYear + 1) * kFilesPerFolder, kYears * (kEventsPerYear + 1), runs);
  WriteLibrary();
  const std::string walker = Session().SaverToolPath("bare_walk.exe").string();
  const std::string lists = Session().ListsToolPath().string();
  bench::Contender start{
      "program start alone (bare_walk.exe of an empty folder)", [&] { return TimedRun(walker, {kEmptyFolder}); }, {}};
  bench::Contender walk{
      "bare walk (bare_walk.exe: FindFirstFileA, FindNextFileA)", [&] { return TimedRun(walker, {kLibrary}); }, {}};
  bench::Contender write{"lumora-lists --ini FILE --pictures ROOT --recursive",
                         [&] {
                           std::ofstream(FromWindowsPath(kIni), std::ios::binary) << SettingsFileText("Sound=0\r\n");
                           return TimedRun(lists, {"--ini", kIni, "--pictures", kLibrary, "--recursive"});
                         },
                         {}};
  bench::Contender check{"lumora-lists --check --pictures ROOT --recursive",
                         [&] {
                           return TimedRun(lists, {"--check", "--pictures", kLibrary, "--recursive"});
                         },
                         {}};
  bench::RunInterleaved({&start, &walk, &write, &check}, runs);
  bench::PrintTable({&start, &walk, &write, &check});
  std::printf("\n");
  bench::PrintRatio("listing into the settings file / bare walk (wall, run by run)", bench::RatioOf(write, walk), 1.3);
  bench::PrintRatio("checking only / bare walk (wall, run by run)", bench::RatioOf(check, walk), 1.3);
  return 0;
}

}  // namespace

}  // namespace lumora::e2e

int main(int argc, char** argv) { return lumora::e2e::RunBench(argc, argv, "lists bench", lumora::e2e::Run); }
