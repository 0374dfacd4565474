#pragma once
#include <optional>
#include <string>
#include <utility>

#include "image/Picture.h"

namespace lumora {

// Why a file does not show as a picture.
enum class DecodeFailure {
  Unreadable,   // the file cannot be read, or is larger than any picture file may be
  UnknownKind,  // its extension names no decoder
  BadHeader,    // its headers are missing, inconsistent, or of a kind that is not supported
  TooLarge,     // its pixels would exceed the picture size limit
  BadData,      // its pixel data is truncated or inconsistent
  OutOfMemory,  // within the limits, but the memory was not there
};

struct DecodeError {
  DecodeFailure failure;
  std::string reason;  // what was being attempted and what was wrong, e.g. "RLE8 run past the end of a row"
};

// A decoded picture or the reason there is none.
class DecodeResult {
 public:
  DecodeResult(Picture picture) : picture_(std::move(picture)) {}
  DecodeResult(DecodeError error) : error_(std::move(error)) {}
  DecodeResult(DecodeFailure failure, std::string reason) : error_(DecodeError{failure, std::move(reason)}) {}

  bool has_value() const { return picture_.has_value(); }
  explicit operator bool() const { return has_value(); }
  const Picture& operator*() const { return *picture_; }
  const Picture* operator->() const { return &*picture_; }
  // Only for a result without a picture.
  const DecodeError& error() const { return *error_; }

 private:
  std::optional<Picture> picture_;
  std::optional<DecodeError> error_;
};

}  // namespace lumora
