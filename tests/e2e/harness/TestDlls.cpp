#include "harness/TestDlls.h"

#include <fstream>
#include <sstream>

#include "harness/Harness.h"

namespace lumora::e2e {
namespace {

// Log lines are tab-separated key=value fields; a window title may hold spaces but no tab.
std::vector<Record> ReadLogRecords(const std::string& fileName) {
  std::vector<Record> records;
  std::istringstream lines(ReadFile(TestDllFolder() / fileName));
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    Record record;
    std::istringstream fields(line);
    std::string field;
    while (std::getline(fields, field, '\t')) {
      const auto equals = field.find('=');
      if (equals != std::string::npos) record.Add(field.substr(0, equals), field.substr(equals + 1));
    }
    records.push_back(record);
  }
  return records;
}

}  // namespace

SystemFileInstall::SystemFileInstall(const std::filesystem::path& source, const std::filesystem::path& target)
    : target_(target), backup_(Session().RunDir() / ("system-original-" + target.filename().string())) {
  if (std::filesystem::exists(target_)) std::filesystem::rename(target_, backup_);
  std::filesystem::copy_file(source, target_);
}

SystemFileInstall::~SystemFileInstall() {
  std::error_code error;
  std::filesystem::remove(target_, error);
  if (std::filesystem::exists(backup_)) std::filesystem::rename(backup_, target_, error);
}

SystemFileInstall InstallTestMpr() {
  return SystemFileInstall(Session().SaverToolPath("mpr_test.dll"), Session().SaverSystemDir() / "mpr.dll");
}

SystemFileInstall InstallTestPasswordCpl() {
  return SystemFileInstall(Session().SaverToolPath("password_test.cpl"), Session().SaverSystemDir() / "password.cpl");
}

std::filesystem::path TestDllFolder() { return Session().DriveC() / "lumora-test"; }

void ClearTestDllFiles() { std::filesystem::remove_all(TestDllFolder()); }

std::vector<MprCall> ReadMprLog() {
  std::vector<MprCall> calls;
  for (const Record& record : ReadLogRecords("mpr.log")) {
    calls.push_back({record.Get("provider"), static_cast<Hwnd>(record.Number("owner")),
                     static_cast<unsigned long>(record.Number("reserved1")),
                     static_cast<unsigned long>(record.Number("reserved2")), record.Get("owner_class")});
  }
  return calls;
}

void WritePasswordAnswers(const std::vector<bool>& answers) {
  std::vector<std::string> lines;
  for (bool answer : answers) lines.push_back(answer ? "1" : "0");
  WritePasswordScript(lines);
}

void WritePasswordScript(const std::vector<std::string>& lines) {
  std::filesystem::create_directories(TestDllFolder());
  std::ofstream file(TestDllFolder() / "password-answers.txt", std::ios::binary);
  for (const std::string& line : lines) file << line << "\r\n";
  if (!file) throw HarnessError("cannot write the password answers");
}

std::vector<PasswordCheck> ReadPasswordLog() {
  std::vector<PasswordCheck> checks;
  for (const Record& record : ReadLogRecords("password.log")) {
    checks.push_back(
        {static_cast<Hwnd>(record.Number("owner")), record.Get("class"), record.Get("title"), record.Flag("answer")});
  }
  return checks;
}

}  // namespace lumora::e2e
