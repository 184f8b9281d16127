// The one error type: failures travel as exceptions that carry the message text shown to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace vt {

class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// A write the system refused because the process lacks the rights: same text, but a Windows with
// User Account Control can offer to do it again as administrator.
class AccessDenied : public Error {
  public:
    using Error::Error;
};

}  // namespace vt
