// The least a listing of a folder tree must do: every folder read with FindFirstFileA and FindNextFileA, nothing
// else. The listing benchmark measures lumora-lists against it. Prints the files and folders it met.
// Usage: bare_walk.exe FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Counts {
  long files = 0, folders = 0;
};

void Walk(const std::string& folder, Counts& counts) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  ++counts.folders;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Walk(folder + "\\" + name, counts);
    else ++counts.files;
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bare_walk.exe FOLDER\n");
    return 2;
  }
  Counts counts;
  Walk(argv[1], counts);
  std::printf("%ld files in %ld folders\n", counts.files, counts.folders);
  return counts.folders > 0 ? 0 : 1;
}
