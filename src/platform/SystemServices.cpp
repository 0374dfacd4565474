#include "platform/SystemServices.h"

namespace lumora {

std::string LibraryPathIn(const std::string& directory, const std::string& libraryName) {
  if (directory.empty() || directory.back() == '\\') return directory + libraryName;
  return directory + "\\" + libraryName;
}

}  // namespace lumora
