#include "meter/ReferenceLevel.h"
#include "meter/VuBallistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <limits>
#include <numbers>

using meter::kLevelScale;
using meter::VuBallistics;

namespace {

constexpr meter::FrameTable kFrames = {4, 21, 32, 42, 56, 65, 74, 84, 97, 109, 123, 129};

std::array<double, meter::kScaleMarkCount> thresholdsOf(const VuBallistics& vu) {
    std::array<double, meter::kScaleMarkCount> thr;
    for (std::size_t i = 0; i < thr.size(); ++i) {
        thr[i] = vu.threshold(i);
    }
    return thr;
}

uint32_t frameAt(const VuBallistics& vu, double scaled) {
    return VuBallistics::frameForScaledLevel(scaled, thresholdsOf(vu), kFrames);
}

} // namespace

TEST(FrameMapping, ThresholdsAtMinusEighteen) {
    VuBallistics vu(44100.0f, kFrames);
    const double zeroMark = std::pow(10.0, (-18.0 - 5.0 / 6.0) / 20.0);
    EXPECT_NEAR(vu.threshold(7), zeroMark, 1e-15);
    EXPECT_GT(zeroMark, 0.11);
    for (std::size_t i = 1; i < meter::kScaleMarkCount; ++i) {
        EXPECT_LT(vu.threshold(i - 1), vu.threshold(i));
        EXPECT_EQ(vu.frame(i), kFrames[i]);
    }
}

TEST(FrameMapping, LevelsBetweenAndOnTheMarks) {
    VuBallistics vu(44100.0f, kFrames);
    const double t0 = vu.threshold(0);
    const double t3 = vu.threshold(3);
    const double t4 = vu.threshold(4);
    struct Case {
        double scaled;
        uint32_t frame;
    };
    const Case cases[] = {
        {0.0, 0},
        {-0.5, 0},
        {t0 / 2.0, 2},
        {std::nextafter(t0, 0.0), 3},
        {vu.threshold(7), 84},
        {std::nextafter(vu.threshold(7), 0.0), 83},
        {t3 + 0.64 * (t4 - t3), 50},
        {vu.threshold(11), 129},
        {std::nextafter(vu.threshold(11), 0.0), 128},
        {vu.threshold(11) * 10.0, 129},
        {std::numeric_limits<double>::infinity(), 129},
        {std::numeric_limits<double>::quiet_NaN(), 129},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(frameAt(vu, c.scaled), c.frame) << c.scaled;
    }
    for (std::size_t i = 0; i < meter::kScaleMarkCount; ++i) {
        EXPECT_EQ(frameAt(vu, vu.threshold(i)), kFrames[i]) << "mark " << i;
    }
}

TEST(FrameMapping, CurrentFrameReadsTheFilterOutput) {
    VuBallistics vu(44100.0f, kFrames);
    EXPECT_EQ(vu.currentFrame(), 0u);
    for (int n = 0; n < 44100 * 4; ++n) {
        vu.feedLevel(vu.threshold(7) / kLevelScale);
    }
    EXPECT_NEAR(static_cast<double>(vu.currentFrame()), 84.0, 1.0);
}

// Thresholds half way through a reference change are not ascending; the frame still stays in
// range for every level.
TEST(FrameMapping, HalfAppliedReferenceStaysInRange) {
    VuBallistics oldScale(44100.0f, kFrames);
    VuBallistics newScale(44100.0f, kFrames);
    newScale.setReferenceLevel(-12.0);
    oldScale.setReferenceLevel(-20.0);
    for (std::size_t split = 0; split <= meter::kScaleMarkCount; ++split) {
        std::array<double, meter::kScaleMarkCount> mixed = thresholdsOf(oldScale);
        for (std::size_t i = 0; i < split; ++i) {
            mixed[i] = newScale.threshold(i);
        }
        for (double v = 0.0; v < 2.0; v += 0.001) {
            EXPECT_LE(VuBallistics::frameForScaledLevel(v, mixed, kFrames), 129u);
        }
    }
}

TEST(FrameMapping, SineAtTheReferenceSettlesOnZeroVu) {
    for (double reference : {-12.0, -14.0, -18.0, -20.0}) {
        VuBallistics vu(48000.0f, kFrames);
        vu.setReferenceLevel(reference);
        const double amplitude = std::pow(10.0, reference / 20.0);
        uint32_t frame = 0;
        for (int n = 0; n < 48000 * 3; ++n) {
            vu.feedLevel(std::fabs(amplitude * std::sin(2.0 * std::numbers::pi * 1000.0 * n / 48000.0)));
            if (n % 480 == 0 && n > 48000 * 2) {
                frame = vu.currentFrame();
                EXPECT_EQ(frame, 84u) << reference << " dB at sample " << n;
            }
        }
    }
}

TEST(FrameMapping, ReferenceChangeMovesTheNeedleWithoutBallistics) {
    VuBallistics vu(44100.0f, kFrames);
    const double zeroVuAtEighteen = vu.threshold(7) / kLevelScale;
    for (int n = 0; n < 44100 * 4; ++n) {
        vu.feedLevel(zeroVuAtEighteen);
    }
    EXPECT_NEAR(static_cast<double>(vu.currentFrame()), 84.0, 1.0);
    const double before = vu.level();
    vu.setReferenceLevel(meter::referenceLevelForHeadroom(0.1f));
    EXPECT_EQ(vu.level(), before) << "the filter is not touched";
    // 6 dB lower on the scale: between the -7 and -5 marks (-6 VU).
    EXPECT_GT(vu.currentFrame(), 32u);
    EXPECT_LT(vu.currentFrame(), 42u);
}

TEST(FrameMapping, HeadroomSteps) {
    struct Case {
        float headroom;
        double reference;
    };
    const Case cases[] = {{0.0f, -12}, {std::nextafter(0.25f, 0.0f), -12}, {0.25f, -14},
                          {0.5f, -18}, {std::nextafter(0.75f, 0.0f), -18}, {0.75f, -20},
                          {1.0f, -20}, {0.625f, -18}, {std::numeric_limits<float>::quiet_NaN(), -20}};
    for (const Case& c : cases) {
        EXPECT_EQ(meter::referenceLevelForHeadroom(c.headroom), c.reference) << c.headroom;
    }
}
