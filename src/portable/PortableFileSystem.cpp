#include "portable/PortableFileSystem.h"

#include <filesystem>
#include <fstream>

namespace lumora {

bool PortableFileSystem::FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::optional<std::vector<uint8_t>> PortableFileSystem::ReadFile(const std::string& path, size_t maxBytes) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > maxBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return std::nullopt;
  return bytes;
}

namespace {

class StreamReader : public FileReader {
 public:
  explicit StreamReader(std::ifstream in) : in_(std::move(in)) {}
  size_t Read(uint8_t* into, size_t count) override {
    in_.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(count));
    return static_cast<size_t>(in_.gcount());
  }

 private:
  std::ifstream in_;
};

}  // namespace

std::unique_ptr<FileReader> PortableFileSystem::OpenFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return nullptr;
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  return std::make_unique<StreamReader>(std::move(in));
}

std::optional<FileStamp> PortableFileSystem::Stamp(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const uintmax_t size = std::filesystem::file_size(path, error);
  const auto written = std::filesystem::last_write_time(path, error);
  if (error) return std::nullopt;
  return FileStamp{size, static_cast<uint64_t>(written.time_since_epoch().count())};
}

}  // namespace lumora
