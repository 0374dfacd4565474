#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumora {

// What tells one version of a file from another without reading it.
struct FileStamp {
  uint64_t size = 0;
  uint64_t lastWrite = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// A file open for reading from its start, a piece at a time.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Up to `count` bytes into `into`: fewer only at the end of the file, or where it cannot be read further. It
  // never throws: the JPEG decoder, which is C, calls it.
  virtual size_t Read(uint8_t* into, size_t count) = 0;
};

// A file's bytes held in memory, read from the start.
class HeldFileReader : public FileReader {
 public:
  explicit HeldFileReader(std::shared_ptr<const std::vector<uint8_t>> file) : file_(std::move(file)) {}
  size_t Read(uint8_t* into, size_t count) override {
    const size_t taken = std::min(count, file_->size() - done_);
    if (taken > 0) std::memcpy(into, file_->data() + done_, taken);
    done_ += taken;
    return taken;
  }

 private:
  std::shared_ptr<const std::vector<uint8_t>> file_;
  size_t done_ = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True only for an existing file; a directory does not count.
  virtual bool FileExists(const std::string& path) = 0;
  // The whole file, or nothing when it cannot be read or is larger than `maxBytes`.
  virtual std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, size_t maxBytes) = 0;
  // The file open for reading, or nothing when it cannot be opened.
  virtual std::unique_ptr<FileReader> OpenFile(const std::string& path) = 0;
  // The file's size and last write time, or nothing when there is no such file.
  virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
};

}  // namespace lumora
