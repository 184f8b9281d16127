// A 64-bit millisecond tick count on systems whose own count has 32 bits and wraps every 49.7 days.
#pragma once

#include <atomic>
#include <cstdint>

namespace vt::win32 {

// Extends a wrapping 32-bit tick count to 64 bits by counting the wraps it sees. Exact as long as
// it is read at least once every 49.7 days; safe from any thread, and usable before any
// constructor runs (the runtime's thread support asks for the time while the process starts).
class WrappingTickCount {
  public:
    using Clock = uint32_t (*)();
    constexpr explicit WrappingTickCount(Clock clock) : clock_(clock) {}
    uint64_t Now();

  private:
    Clock clock_;
    std::atomic<uint64_t> last_{0};  // the wraps counted in the high half, the last reading low
};

}  // namespace vt::win32
