#pragma once
#include <stdexcept>
#include <string>

namespace lumora {

// An error meant for the user: event handlers let it reach the application's default error report.
class LumoraError : public std::runtime_error {
 public:
  explicit LumoraError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace lumora
