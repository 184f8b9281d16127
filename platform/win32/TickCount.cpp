// The wrapping tick count's extension to 64 bits.
#include "platform/win32/TickCount.h"

namespace vt::win32 {

uint64_t WrappingTickCount::Now() {
    uint64_t last = last_.load(std::memory_order_acquire);
    for (;;) {
        // Read after the state: a reading older than the state it is compared with cannot occur.
        const uint32_t now = clock_();
        uint64_t wraps = last >> 32;
        if (now < static_cast<uint32_t>(last)) ++wraps;
        const uint64_t next = (wraps << 32) | now;
        if (last_.compare_exchange_weak(last, next, std::memory_order_acq_rel)) return next;
    }
}

}  // namespace vt::win32
