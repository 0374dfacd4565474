// What lumora-lists does with a large library besides reading its folders: CollectFiles over a tree held in
// memory, shaped as the listing benchmark under Wine shapes its library (100,000 pictures in 1,000 folders, each
// folder's names in no order), so that the figures are the walk's own work. Prints figures; asserts nothing.
// Usage: lumora_listing_bench [runs]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "Timing.h"
#include "lumora-lists/CollectFiles.h"

namespace lumora::bench {

namespace {

constexpr int kYears = 10, kEventsPerYear = 99, kFilesPerFolder = 100;
constexpr char kLibrary[] = "C:\\library";

// Folders and their entries; every file starts as a JPEG does.
class TreeInMemory : public FileTree {
 public:
  TreeInMemory() {
    std::mt19937 shuffle(27);
    const auto fill = [&](const std::string& folder, std::vector<FolderEntry> entries) {
      for (int file = 1; file <= kFilesPerFolder; ++file)
        entries.push_back({"img" + std::to_string(file) + ".jpg", false, {}});
      std::shuffle(entries.begin(), entries.end(), shuffle);
      folders_[folder] = std::move(entries);
    };
    std::vector<FolderEntry> years;
    for (int year = 0; year < kYears; ++year) {
      const std::string name = std::to_string(2010 + year), yearFolder = Join(kLibrary, name);
      years.push_back({name, true, {}});
      std::vector<FolderEntry> events;
      for (int event = 1; event <= kEventsPerYear; ++event) {
        const std::string eventName = "event " + std::to_string(event);
        events.push_back({eventName, true, "EVENT~" + std::to_string(event)});
        fill(Join(yearFolder, eventName), {});
      }
      fill(yearFolder, events);
    }
    folders_[kLibrary] = years;
  }

  PathKind KindOf(const std::string& path) override { return folders_.count(path) ? PathKind::Folder : PathKind::File; }
  std::string FullPath(const std::string& path) override { return path; }
  std::string Join(const std::string& folder, const std::string& name) override { return folder + "\\" + name; }
  FolderListing List(const std::string& folder) override { return {folders_.at(folder)}; }
  std::optional<std::vector<uint8_t>> ReadHead(const std::string&, size_t) override {
    return std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xE0};
  }
  std::optional<std::vector<uint8_t>> ReadWhole(const std::string&, size_t) override { return std::nullopt; }
  RewriteOutcome Rewrite(const std::string&, const std::vector<uint8_t>&) override { return RewriteOutcome::Failed; }
  std::string TempFolder() override { return "C:\\temp"; }
  void Remove(const std::string&) override {}
  std::unique_ptr<Turn> WaitForTurn(const std::string&) override { return nullptr; }
  const CodePage& PathCodePage() override { return codePage_; }

 private:
  std::map<std::string, std::vector<FolderEntry>> folders_;
  CodePage codePage_;
};

int Run(int runs) {
  TreeInMemory tree;
  const std::vector<ChosenPlace> library{{kLibrary, true}};
  const Selection first{500, std::nullopt};
  const std::string middle = CollectFiles(tree, SlotList::Pictures, library, {50000, std::nullopt}).next.value();
  const Selection atMiddle{500, middle}, afterAGoneFile{500, middle + ".gone"};
  const auto listing = [&](const Selection& selection) {
    return [&tree, &library, selection] {
      return TimeInProcess([&] { CollectFiles(tree, SlotList::Pictures, library, selection); });
    };
  };
  std::printf("CollectFiles over a tree in memory: %d pictures in %d folders, medians of %d runs\n",
              kYears * (kEventsPerYear + 1) * kFilesPerFolder, kYears * (kEventsPerYear + 1), runs);
  Contender fromStart{"the first 500", listing(first), {}};
  Contender fromMiddle{"500 from the middle (the next listing of a refresh)", listing(atMiddle), {}};
  Contender afterGone{"500 after a start file that is gone", listing(afterAGoneFile), {}};
  RunInterleaved({&fromStart, &fromMiddle, &afterGone}, runs);
  PrintTable({&fromStart, &fromMiddle, &afterGone});
  return 0;
}

}  // namespace

}  // namespace lumora::bench

int main(int argc, char** argv) { return lumora::bench::Run(argc > 1 ? std::atoi(argv[1]) : 5); }
