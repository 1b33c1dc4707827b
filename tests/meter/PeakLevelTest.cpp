#include "meter/PeakLevel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

using meter::PeakLevel;

TEST(PeakLevel, KeepsTheLargestLevelAndIgnoresNaN) {
    PeakLevel led;
    for (double level : {0.5, 1.2, 0.7}) {
        led.feedLevel(level);
    }
    EXPECT_EQ(led.peak(), 1.2);
    led.feedLevel(std::nan(""));
    EXPECT_EQ(led.peak(), 1.2);
    EXPECT_EQ(led.takePeak(), 1.2);
    EXPECT_EQ(led.peak(), 0.0);
    led.feedLevel(-1.0);
    EXPECT_EQ(led.takePeak(), 0.0);
}

// A feeding thread and a taking thread: every peak that was fed is seen by some take.
TEST(PeakLevel, NoPeakIsLostBetweenReadAndReset) {
    PeakLevel led;
    constexpr int kFeeds = 200000;
    std::atomic<bool> done{false};
    double highestTaken = 0.0;
    std::thread taker([&] {
        while (!done.load()) {
            highestTaken = std::max(highestTaken, led.takePeak());
        }
        highestTaken = std::max(highestTaken, led.takePeak());
    });
    double expected = 0.0;
    int lost = 0;
    for (int n = 1; n <= kFeeds; ++n) {
        // Rising then falling sawtooth: each tooth's top must show up in a take.
        const double level = (n % 1000) + 1.0;
        led.feedLevel(level);
        expected = std::max(expected, level);
    }
    done.store(true);
    taker.join();
    EXPECT_EQ(highestTaken, expected);
    EXPECT_EQ(lost, 0);
}
