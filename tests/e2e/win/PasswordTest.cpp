// Stand-in for the system's PASSWORD.CPL: answers password checks from a script file and records each check. A
// line "crash" in the script makes the check fault, as a broken library would.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kFolder[] = "C:\\lumora-test";
constexpr char kAnswersFile[] = "C:\\lumora-test\\password-answers.txt";
constexpr char kLogFile[] = "C:\\lumora-test\\password.log";
constexpr long kMaxAnswersSize = 4096;

// Takes the first line of the answers file and writes the rest back: '1' accepts, 'c' faults, anything else
// (no file or no line too) is a wrong password.
char NextScriptedAnswer() {
  char content[kMaxAnswersSize + 1] = "";
  size_t size = 0;
  if (FILE* file = std::fopen(kAnswersFile, "rb")) {
    size = std::fread(content, 1, kMaxAnswersSize, file);
    std::fclose(file);
  }
  content[size] = '\0';
  if (size == 0) return '0';
  char* rest = std::strchr(content, '\n');
  rest = rest != nullptr ? rest + 1 : content + size;
  const char answer = content[0];
  if (FILE* file = std::fopen(kAnswersFile, "wb")) {
    std::fwrite(rest, 1, std::strlen(rest), file);
    std::fclose(file);
  }
  return answer;
}

void AppendLine(const char* line) {
  CreateDirectoryA(kFolder, nullptr);  // already there on every call but the first
  if (FILE* file = std::fopen(kLogFile, "ab")) {
    std::fputs(line, file);
    std::fclose(file);
  }
}

}  // namespace

extern "C" BOOL WINAPI VerifyScreenSavePwd(HWND owner) {
  char ownerClass[256] = "";
  char ownerTitle[512] = "";
  if (owner != nullptr) {
    GetClassNameA(owner, ownerClass, sizeof ownerClass);
    GetWindowTextA(owner, ownerTitle, sizeof ownerTitle);
  }
  const char script = NextScriptedAnswer();
  if (script == 'c') {
    AppendLine("crash\n");
    *static_cast<volatile int*>(nullptr) = 1;
  }
  const bool answer = script == '1';
  char line[1024];
  std::snprintf(line, sizeof line, "owner=0x%llx\tclass=%s\ttitle=%s\tanswer=%d\n",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(owner)), ownerClass, ownerTitle,
                answer ? 1 : 0);
  AppendLine(line);
  return answer ? TRUE : FALSE;
}
