#pragma once
// The files, settings file and console that the tests of lumora-lists run it on: a folder of their own, made
// for each test and removed after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "lumora-lists/LumoraLists.h"
#include "portable/PortableFileTree.h"
#include "portable/PortableProfileFiles.h"

namespace lumora::test {

namespace fs = std::filesystem;

class RecordingConsole : public ListsConsole {
 public:
  void Out(const std::string& line) override { out.push_back(line); }
  void Err(const std::string& line) override { err.push_back(line); }
  std::vector<std::string> out;
  std::vector<std::string> err;
};

// The tree on disk, but for what a test makes go wrong: the first rewrite of `halfWritten` ends as `rewrite` says,
// having written half the content when Failed (nothing: thrown, as a run that stops there); a folder of `listFailures`
// cannot be listed, a path of `kinds` is of that kind, `unreadable` cannot be read; `onList` runs as a folder is
// listed.
class FaultyFileTree : public PortableFileTree {
 public:
  struct Stopped {};
  using PortableFileTree::PortableFileTree;
  RewriteOutcome Rewrite(const std::string& path, const std::vector<uint8_t>& content) override {
    if (path != halfWritten || rewrite == RewriteOutcome::Written) return PortableFileTree::Rewrite(path, content);
    if (rewrite == RewriteOutcome::NotAllowed) return *rewrite;
    // As a write in place stopped half-way: the new content's first half over the old content.
    std::vector<uint8_t> left = PortableFileTree::ReadWhole(path, SIZE_MAX).value_or(std::vector<uint8_t>());
    left.resize(std::max(left.size(), content.size() / 2));
    std::copy(content.begin(), content.begin() + content.size() / 2, left.begin());
    PortableFileTree::Rewrite(path, left);
    halfWritten.clear();
    if (!rewrite) throw Stopped{};
    return *rewrite;
  }
  FolderListing List(const std::string& folder) override {
    if (onList) onList(folder);
    return listFailures.count(folder) ? FolderListing{{}, listFailures[folder]} : PortableFileTree::List(folder);
  }
  PathKind KindOf(const std::string& path) override {
    return kinds.count(path) ? kinds[path] : PortableFileTree::KindOf(path);
  }
  std::optional<std::vector<uint8_t>> ReadWhole(const std::string& path, size_t maxBytes) override {
    return path == unreadable ? std::nullopt : PortableFileTree::ReadWhole(path, maxBytes);
  }
  std::optional<std::vector<uint8_t>> ReadHead(const std::string& path, size_t count) override {
    return path == unreadable ? std::nullopt : PortableFileTree::ReadHead(path, count);
  }

  std::string halfWritten, unreadable;
  std::optional<RewriteOutcome> rewrite = RewriteOutcome::Written;
  std::map<std::string, ListFailure> listFailures;
  std::map<std::string, PathKind> kinds;
  std::function<void(const std::string&)> onList;
};

class ListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("lumora-lists-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            test.test_suite_name() + "-" + test.name());
    fs::create_directories(dir_ / "temp");
    ini_ = Path("lumora.ini");
    tree_ = FaultyFileTree(Path("temp"));
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& relative) const { return (dir_ / relative).string(); }
  // A file that starts as its extension says: the first bytes of a JPEG, a bitmap, a wave or a MIDI file.
  std::string MakeFile(const std::string& relative) {
    const std::string extension = fs::path(relative).extension().string();
    std::string head = "x";
    if (extension == ".jpg" || extension == ".JPG" || extension == ".jpeg") head = "\xFF\xD8\xFF\xE0";
    if (extension == ".bmp") head = "BM";
    if (extension == ".wav") head = std::string("RIFF\x24\0\0\0WAVE", 12);
    if (extension == ".mid" || extension == ".MID") head = "MThd";
    return MakeFileHolding(relative, head);
  }
  std::string MakeFileHolding(const std::string& relative, const std::string& bytes) {
    fs::create_directories((dir_ / relative).parent_path());
    std::ofstream(dir_ / relative, std::ios::binary) << bytes;
    return Path(relative);
  }
  void WriteIni(const std::string& text) { std::ofstream(ini_, std::ios::binary) << text; }
  std::string FileText() const {
    std::ifstream in(ini_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The settings as the saver reads them: without the section where this program remembers what was chosen.
  std::string IniText() const { return FileText().substr(0, FileText().find("[Lumora Lists]")); }
  std::string ChosenText() const {
    const std::string text = FileText();
    return text.find("[Lumora Lists]") == std::string::npos ? "" : text.substr(text.find("[Lumora Lists]"));
  }

  // `text` with each "%D" standing for the test's folder.
  std::string Expand(std::string text) const {
    for (size_t at = text.find("%D"); at != std::string::npos; at = text.find("%D")) text.replace(at, 2, dir_.string());
    return text;
  }
  std::vector<std::string> Arguments(const std::string& line) const {
    std::vector<std::string> arguments;
    std::istringstream words(line);
    for (std::string word; words >> word;) arguments.push_back(Expand(word));
    return arguments;
  }
  int Run(const std::vector<std::string>& arguments) { return Run(arguments, tree_); }
  int Run(const std::vector<std::string>& arguments, FileTree& tree) {
    return RunLumoraLists(arguments, {tree, std::nullopt, nullptr, nullptr, nullptr}, console_);
  }

  fs::path dir_;
  std::string ini_;
  PortableProfileFiles profiles_;
  FaultyFileTree tree_;
  RecordingConsole console_;
};

}  // namespace lumora::test
