// The 64-bit tick count that the program's files use where Windows has only the 32-bit one.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/win32/TickCount.h"

namespace vt::win32 {
namespace {

uint32_t reading = 0;
uint32_t Reading() {
    return reading;
}

TEST(WrappingTickCount, CountsEveryWrapItSees) {
    WrappingTickCount ticks(&Reading);
    reading = 0xFFFFFF00u;
    EXPECT_EQ(ticks.Now(), 0xFFFFFF00ull);
    reading = 0x10;
    EXPECT_EQ(ticks.Now(), 0x100000010ull);
    EXPECT_EQ(ticks.Now(), 0x100000010ull);  // the same reading is no wrap
    reading = 0xFFFFFFFFu;
    EXPECT_EQ(ticks.Now(), 0x1FFFFFFFFull);
    reading = 0;
    EXPECT_EQ(ticks.Now(), 0x200000000ull);
}

std::atomic<uint32_t> sharedClock{0};
uint32_t SharedReading() {
    return sharedClock.fetch_add(1);
}

// Threads asking at once across a wrap never see the count go back, and all see the wrap.
TEST(WrappingTickCount, NeverGoesBackWhileThreadsAskAtOnce) {
    sharedClock = 0xFFFF0000u;
    WrappingTickCount ticks(&SharedReading);
    std::vector<std::thread> threads;
    std::atomic<int> wentBack{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            uint64_t last = 0;
            for (int i = 0; i < 50000; ++i) {
                const uint64_t now = ticks.Now();
                if (now < last) ++wentBack;
                last = now;
            }
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wentBack, 0);
    EXPECT_GT(ticks.Now(), 0x100000000ull);
}

}  // namespace
}  // namespace vt::win32
