// The refresh loop.
#include "ui/UpdateNetStatus.h"

namespace vt {

void TUpdateNetStatus::Execute(const std::function<void()>& refresh,
                               const std::function<void(unsigned)>& sleep) {
    while (!StopRequested) {
        try {
            refresh();
        } catch (...) {
            // This cycle's failure is not reported; the next cycle tries again.
        }
        if (StopRequested) break;
        sleep(kStatusRefreshPauseMs);
    }
}

}  // namespace vt
