// The one error type: failures travel as exceptions that carry the message text shown to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace vt {

class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace vt
