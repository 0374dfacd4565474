// main() of the end-to-end tests: one Wine session for the whole run, a screenshot of every failing test, and its
// failure messages again at the end of the run, where a log cut to its head and tail still shows them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "harness/Harness.h"
#include "harness/Prefix.h"

namespace lumora::e2e {
namespace {

// The session is the one piece of state every test shares; the environment sets this while the session is up.
WineSession* runningSession = nullptr;

class SessionEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    try {
      session_ = std::make_unique<WineSession>(ConfigFromBuild());
    } catch (const std::exception& error) { FAIL() << "the Wine session did not start: " << error.what(); }
    runningSession = session_.get();
    std::printf("[ session  ] %s lumora.scr, X display %s (%dx%dx%d), prefix %s, ready in %.1f s\n",
                ArchName(session_->Arch()), session_->DisplayName().c_str(), session_->Screen().width,
                session_->Screen().height, session_->Screen().depth, session_->Prefix().c_str(),
                session_->StartDuration().count() / 1000.0);
  }

  void TearDown() override {
    runningSession = nullptr;
    session_.reset();
  }

 private:
  std::unique_ptr<WineSession> session_;
};

// Saves what the screen showed at a test's first failure, before the test's own clean-up changes it, and keeps
// every failure's message for the end of the run.
class FailureRecord : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo& test) override {
    saved_ = false;
    testName_ = std::string(test.test_suite_name()) + "." + test.name();
    std::replace(testName_.begin(), testName_.end(), '/', '-');  // rows of a table: Rows/Suite.Test/Row
  }

  void OnTestEnd(const ::testing::TestInfo&) override { testName_.clear(); }

  void OnTestProgramEnd(const ::testing::UnitTest&) override {
    for (const std::string& failure : failures_) std::printf("[ failure  ] %s\n", failure.c_str());
  }

  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (!result.failed()) return;
    failures_.push_back(testName_ + " at " + (result.file_name() ? result.file_name() : "?") + ":" +
                        std::to_string(result.line_number()) + ": " + result.summary());
    if (saved_ || runningSession == nullptr) return;
    saved_ = true;
    // Runs of one build on two screen sizes may fail the same test at the same time.
    const auto folder = runningSession->WorkDir() / "failures" / ArchName(runningSession->Arch());
    const ScreenSize screen = runningSession->Screen();
    const std::string size = std::to_string(screen.width) + "x" + std::to_string(screen.height);
    const auto path = folder / ((testName_.empty() ? std::string("environment") : testName_) + "-" + size + ".png");
    try {
      std::filesystem::create_directories(folder);
      runningSession->X().Screenshot().SavePng(path);
      std::printf("[ screen   ] %s\n", path.c_str());
    } catch (const std::exception& error) { std::printf("[ screen   ] no screenshot: %s\n", error.what()); }
  }

 private:
  bool saved_ = false;
  std::vector<std::string> failures_;
  std::string testName_;  // gtest's current_test_info() would deadlock inside OnTestPartResult
};

// Entries of the 32-bit build are skipped (ctest's SKIP_RETURN_CODE) where Wine's 32-bit side cannot run, rather
// than fail on every test; an entry that stands in for a 32-bit one there is skipped where the 32-bit one runs.
bool SkippedOnThisHost() {
  if (ConfigFromBuild().arch == SaverArch::I686 && !HostRuns32BitWine()) {
    std::printf(
        "[ skipped  ] Wine's 32-bit loader does not run on this host (a kernel without 32-bit programs, "
        "or no wine32)\n");
    return true;
  }
  if (std::getenv("LUMORA_E2E_IN_PLACE_OF_32_BIT") != nullptr && HostRuns32BitWine()) {
    std::printf("[ skipped  ] the 32-bit entry runs these tests on this host\n");
    return true;
  }
  return false;
}

}  // namespace

WineSession& Session() {
  if (runningSession == nullptr) throw HarnessError("the Wine session is not running");
  return *runningSession;
}

}  // namespace lumora::e2e

constexpr int kSkippedExitCode = 77;

int main(int argc, char** argv) {
  // The first step of a test run: the prefix its entries copy, made afresh.
  if (argc == 2 && std::string(argv[1]) == "--make-prefix-template") {
    lumora::e2e::RemakePrefixTemplate(lumora::e2e::ConfigFromBuild().workDir);
    return 0;
  }
  if (lumora::e2e::SkippedOnThisHost()) return kSkippedExitCode;
  ::testing::InitGoogleMock(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new lumora::e2e::SessionEnvironment);
  ::testing::UnitTest::GetInstance()->listeners().Append(new lumora::e2e::FailureRecord);
  return RUN_ALL_TESTS();
}
