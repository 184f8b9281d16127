// The status refresh thread's loop: hand a refresh to the GUI thread, wait for it, sleep 350 ms,
// repeat until asked to stop.
#pragma once

#include <atomic>
#include <functional>

namespace vt {

inline constexpr unsigned kStatusRefreshPauseMs = 350;

class TUpdateNetStatus {
  public:
    std::atomic<bool> StopRequested{false};

    // `refresh` runs one refresh on the GUI thread and returns when it has run; `sleep` pauses
    // (and returns early once StopRequested is set). A cycle whose refresh fails is skipped: the
    // loop goes on, so the panel never freezes for the rest of the run.
    void Execute(const std::function<void()>& refresh, const std::function<void(unsigned)>& sleep);
};

}  // namespace vt
