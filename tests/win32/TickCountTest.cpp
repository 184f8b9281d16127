// The 64-bit tick count that the program's files use where Windows has only the 32-bit one.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/win32/TickCount.h"

namespace vt::win32 {
namespace {

std::atomic<uint32_t> clock32{0};
uint32_t Reading() {
    return clock32.fetch_add(1);
}

// Each wrap is counted once, also while threads ask at once across it: no count goes back.
TEST(WrappingTickCount, CountsEveryWrapAndNeverGoesBack) {
    WrappingTickCount ticks(&Reading);
    clock32 = 0xFFFFFFFFu;
    EXPECT_EQ(ticks.Now(), 0xFFFFFFFFull);
    EXPECT_EQ(ticks.Now(), 0x100000000ull);
    clock32 = 0xFFFF0000u;
    std::atomic<int> wentBack{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (uint64_t i = 0, last = 0, now; i < 50000; ++i, last = now)
                if ((now = ticks.Now()) < last) ++wentBack;
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wentBack, 0);
    EXPECT_GT(ticks.Now(), 0x200000000ull);
}

}  // namespace
}  // namespace vt::win32
