// Runs a piece of code when the scope ends, on every path out of it, exceptions included.
#pragma once

#include <utility>

namespace vt {

template <typename F>
class ScopeExit {
  public:
    explicit ScopeExit(F action) : action_(std::move(action)) {}
    ~ScopeExit() { action_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

  private:
    F action_;
};

}  // namespace vt
