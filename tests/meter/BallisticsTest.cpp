#include "meter/VuBallistics.h"

#include <gtest/gtest.h>

#include <cmath>

using meter::VuBallistics;

namespace {

constexpr meter::FrameTable kFrames = {4, 21, 32, 42, 56, 65, 74, 84, 97, 109, 123, 129};

class StepResponse : public ::testing::TestWithParam<float> {};

} // namespace

// A level of 1.0 from rest: 99 % at 300 ms, about 1.25 % overshoot near 400 ms, settles at 1.0.
TEST_P(StepResponse, ReachesNinetyNinePercentAtThreeHundredMilliseconds) {
    const float rate = GetParam();
    VuBallistics vu(rate, kFrames);
    const long limit = static_cast<long>(rate) * 3;
    long firstAbove = -1;
    long peakAt = 0;
    double peak = 0.0;
    for (long n = 1; n <= limit; ++n) {
        vu.feedLevel(1.0);
        if (firstAbove < 0 && vu.level() >= 0.99) {
            firstAbove = n;
        }
        if (vu.level() > peak) {
            peak = vu.level();
            peakAt = n;
        }
    }
    EXPECT_NEAR(static_cast<double>(firstAbove), 0.3 * rate, 1.0);
    EXPECT_NEAR(peak, 1.0125, 0.0005);
    EXPECT_NEAR(static_cast<double>(peakAt) / rate, 0.4, 0.01);
    EXPECT_NEAR(vu.level(), 1.0, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Rates, StepResponse, ::testing::Values(44100.0f, 48000.0f, 96000.0f));

TEST(Ballistics, CoefficientsGiveUnityGainAtZeroFrequency) {
    for (float rate : {22050.0f, 44100.0f, 192000.0f}) {
        VuBallistics vu(rate, kFrames);
        const auto c = vu.coefficients();
        EXPECT_NEAR((c.b0 + c.b1 + c.b2) / (1.0 + c.a1 + c.a2), 1.0, 1e-6);
        EXPECT_EQ(c.b1, c.b0 * 2.0);
        EXPECT_EQ(c.b2, c.b0);
    }
}

TEST(Ballistics, CoefficientsFollowTheFormulaBitForBit) {
    VuBallistics vu(44100.0f, kFrames);
    const double t = 1.0 / 44100.0;
    const double p = t * 43.92448452;
    const double q = t * t * 182.57144161000002;
    const double n = (p + 4) + q;
    const auto c = vu.coefficients();
    EXPECT_EQ(c.a1, (t * t * 365.14288322000004 - 8) / n);
    EXPECT_EQ(c.a2, ((4 - p) + q) / n);
    EXPECT_EQ(c.b0, q / n);
    EXPECT_EQ(c.b1, (q * 2) / n);
}

TEST(Ballistics, FallingLevelUndershootsAndShowsFrameZero) {
    VuBallistics vu(44100.0f, kFrames);
    for (int n = 0; n < 44100 * 3; ++n) {
        vu.feedLevel(1.0);
    }
    double lowest = 1.0;
    bool sawNegativeAtFrameZero = false;
    for (int n = 0; n < 44100 * 2; ++n) {
        vu.feedLevel(0.0);
        lowest = std::min(lowest, vu.level());
        if (vu.level() < 0.0) {
            sawNegativeAtFrameZero = vu.currentFrame() == 0;
            if (!sawNegativeAtFrameZero) {
                break;
            }
        }
    }
    EXPECT_LT(lowest, 0.0);
    EXPECT_TRUE(sawNegativeAtFrameZero);
}

TEST(Ballistics, SetupFilterPutsTheFilterAtRest) {
    VuBallistics vu(44100.0f, kFrames);
    for (int n = 0; n < 1000; ++n) {
        vu.feedLevel(0.8);
    }
    ASSERT_GT(vu.level(), 0.0);
    vu.setupFilter(96000.0);
    EXPECT_EQ(vu.level(), 0.0);
    EXPECT_EQ(vu.currentFrame(), 0u);
    vu.feedLevel(0.0);
    EXPECT_EQ(vu.level(), 0.0) << "no history left behind";
}

TEST(Ballistics, NonFiniteLevelStaysUntilTheNextSetup) {
    VuBallistics vu(44100.0f, kFrames);
    vu.feedLevel(std::nan(""));
    for (int n = 0; n < 10; ++n) {
        vu.feedLevel(0.0);
    }
    EXPECT_TRUE(std::isnan(vu.level()));
    EXPECT_EQ(vu.currentFrame(), 129u);
    vu.setupFilter(44100.0);
    vu.feedLevel(0.0);
    EXPECT_EQ(vu.level(), 0.0);
}

TEST(Ballistics, EveryStepRaisesTheDirtyFlagItIsPointedAt) {
    VuBallistics vu(44100.0f, kFrames);
    std::atomic<bool> controlFlag{false};
    vu.setDirtyFlag(&controlFlag);
    vu.feedLevel(0.1);
    EXPECT_TRUE(controlFlag.load());
    vu.setDirtyFlag(nullptr);
    vu.dirtyFlag().store(false);
    vu.feedLevel(0.1);
    EXPECT_TRUE(vu.dirtyFlag().load());
}
