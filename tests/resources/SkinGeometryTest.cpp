// The geometry that the needle strips and the printed scales share, and the committed images
// checked against it: each needle frame must point where the background prints its mark.
#include "MeterGeometry.h"
#include "SkinImages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace skingen;
using namespace skintest;

TEST(SkinGeometry, NeedleTurnsEvenlyFromStopToStop) {
    EXPECT_DOUBLE_EQ(needleDegrees(0), -43.5);
    EXPECT_DOUBLE_EQ(needleDegrees(129), 48.0);
    const double step = needleDegrees(1) - needleDegrees(0);
    EXPECT_NEAR(step, 0.7093, 1e-4);
    for (int n = 1; n < kNeedleFrameCount; ++n)
        ASSERT_NEAR(needleDegrees(n) - needleDegrees(n - 1), step, 1e-12);
}

TEST(SkinGeometry, MarksLieOnTheirFramesByTheMetersMapping) {
    for (std::size_t i = 0; i < kScaleMarksDb.size(); ++i)
        EXPECT_NEAR(frameForDb(kScaleMarksDb[i]), kNeedleFrames[i], 1e-9) << kScaleMarksDb[i] << " dB";
    struct Case {
        double fraction, frame;
    };
    const double minus20 = std::pow(10.0, -1.0);
    const double minus5 = std::pow(10.0, -5 / 20.0), minus3 = std::pow(10.0, -3 / 20.0);
    for (const Case c : {Case{0.0, 0.0}, {-1.0, 0.0}, {minus20 / 2, 2.0}, {1.0, 84.0},
                         {minus5 + 0.64 * (minus3 - minus5), 42 + 0.64 * 14}, {2.0, 129.0}, {100.0, 129.0}})
        EXPECT_NEAR(frameForLevel(c.fraction), c.frame, 1e-9) << c.fraction;
}

TEST(SkinGeometry, PercentScaleFollowsTheLevel) {
    EXPECT_NEAR(frameForPercent(0), 0.0, 1e-12);
    EXPECT_NEAR(frameForPercent(10), 4.0, 1e-9);   // 10 % is -20 dB
    EXPECT_NEAR(frameForPercent(100), 84.0, 1e-9); // 100 % is 0 VU
    // 20 % lies between the -20 and -10 marks, linear in level between them.
    const double t = (0.2 - 0.1) / (std::pow(10.0, -0.5) - 0.1);
    EXPECT_NEAR(frameForPercent(20), 4 + t * 17, 1e-9);
    for (int p = 1; p <= 100; ++p)
        ASSERT_LT(frameForPercent(p - 1), frameForPercent(p)) << p;
}

TEST(SkinGeometry, PivotsSitCentredBelowTheFrames) {
    const MeterGeometry s = smallMeter(), l = largeMeter();
    EXPECT_EQ(s.frameWidth, 190);
    EXPECT_EQ(s.frameHeight, 90);
    EXPECT_DOUBLE_EQ(s.pivot.x, 95);
    EXPECT_NEAR(s.pivot.y, 135, 2);
    EXPECT_EQ(l.frameWidth, 280);
    EXPECT_EQ(l.frameHeight, 130);
    EXPECT_DOUBLE_EQ(l.pivot.x, 140);
    EXPECT_NEAR(l.pivot.y, 189, 2);
    // Straight up at 0 degrees, and the needle leans left below it.
    const double upright = -kFirstFrameDegrees / (needleDegrees(1) - needleDegrees(0));
    const Point top = s.along(upright, 100);
    EXPECT_NEAR(top.x, 95, 1e-9);
    EXPECT_NEAR(top.y, 35, 1e-9);
    EXPECT_LT(s.along(0, 100).x, 95);
    EXPECT_GT(s.along(129, 100).x, 95);
}

namespace {

// Searches along the arc of the given radius, around an expected frame, for the frame position
// where weight() is largest, in steps of a twentieth of a frame.
double strongestFrame(const MeterGeometry& g, double radius, double expected, double window,
                      const std::function<double(Point)>& weight) {
    double best = expected, bestWeight = -1;
    for (double f = expected - window; f <= expected + window; f += 0.05) {
        const double w = weight(g.along(f, radius));
        if (w > bestWeight) {
            bestWeight = w;
            best = f;
        }
    }
    return best;
}

struct Size {
    MeterGeometry geometry;
    const char* background;
    const char* needle;
    const char* hold;
    int meterLeft, meterTop;
};

const Size kSizes[] = {
    {smallMeter(), "101-background-small.png", "102-needle-small.png", "103-hold-needle-small.png", 30, 53},
    {largeMeter(), "201-background-large.png", "202-needle-large.png", "203-hold-needle-large.png", 30, 60},
};

} // namespace

TEST(SkinGeometry, NeedleFramesPointAtThePrintedMarks) {
    for (const Size& size : kSizes) {
        SCOPED_TRACE(size.background);
        const MeterGeometry& g = size.geometry;
        const ScaleRadii r = scaleRadii(g);
        const Decoded bg = decodeFile(size.background);
        const Decoded needle = decodeFile(size.needle);
        const Decoded hold = decodeFile(size.hold);
        // Ink of a printed tick: how far the pixel is from the face's cream.
        auto ink = [&](Point p) {
            const double x = size.meterLeft + p.x, y = size.meterTop + p.y;
            return std::abs(bg.sample(x, y, 0) - 226) + std::abs(bg.sample(x, y, 1) - 188) +
                   std::abs(bg.sample(x, y, 2) - 88);
        };
        // Between the red band and the numbers only the long ticks are printed.
        const double tickRadius = (r.arc + r.band + r.majorTick) / 2;
        // Low enough that the needle is inside the frame at both stops.
        const double needleRadius = 100 * g.scale;
        for (std::size_t i = 0; i + 1 < kNeedleFrames.size(); ++i) {
            const double frame = kNeedleFrames[i];
            SCOPED_TRACE(kScaleMarksDb[i]);
            EXPECT_NEAR(strongestFrame(g, tickRadius, frame, 2.5, ink), frame, 0.35);
            for (const Decoded* strip : {&needle, &hold}) {
                auto alpha = [&](Point p) { return strip->sample(p.x, frame * g.frameHeight + p.y, 3); };
                EXPECT_NEAR(strongestFrame(g, needleRadius, frame, 2.5, alpha), frame, 0.35);
            }
        }
        // Percentage ticks, below the arc, where the needle stands for that share of 0 VU.
        for (int p = 20; p <= 100; p += 20) {
            SCOPED_TRACE(p);
            const double frame = frameForPercent(p);
            EXPECT_NEAR(strongestFrame(g, r.percentTick + 0.5 * g.scale, frame, 2.0, ink), frame, 0.35);
        }
    }
}

TEST(SkinGeometry, NeedlesReachFromTheBottomEdgeToTheScaleOnly) {
    for (const Size& size : kSizes) {
        SCOPED_TRACE(size.needle);
        const MeterGeometry& g = size.geometry;
        const ScaleRadii r = scaleRadii(g);
        const int clearRows = int(g.pivot.y - r.needleTip - 2 * g.scale);
        for (const char* file : {size.needle, size.hold}) {
            const Decoded d = decodeFile(file);
            const bool black = file == size.needle;
            int strongest = 0;
            const std::uint8_t* strongestPixel = nullptr;
            for (int n = 0; n < kNeedleFrameCount; ++n) {
                const int top = n * g.frameHeight;
                int bottomInk = 0;
                for (int x = 0; x < g.frameWidth; ++x) {
                    bottomInk = std::max<int>(bottomInk, d.at(x, top + g.frameHeight - 1)[3]);
                    for (int y = 0; y < clearRows; ++y)
                        ASSERT_EQ(d.at(x, top + y)[3], 0) << file << " frame " << n << " at " << x << "," << y;
                    for (int y = 0; y < g.frameHeight; ++y) {
                        if (d.at(x, top + y)[3] > strongest) {
                            strongest = d.at(x, top + y)[3];
                            strongestPixel = d.at(x, top + y);
                        }
                    }
                }
                ASSERT_GT(bottomInk, 60) << file << " frame " << n << " does not reach the bottom edge";
            }
            ASSERT_NE(strongestPixel, nullptr);
            if (black) {
                EXPECT_LE(strongestPixel[0] + strongestPixel[1] + strongestPixel[2], 10);
                if (g.scale == 1.0) {
                    EXPECT_LE(strongest, 140) << "the small needle is at most about half opaque";
                }
            } else {
                EXPECT_NEAR(strongestPixel[0], 165, 12);
                EXPECT_NEAR(strongestPixel[1], 9, 12);
                EXPECT_NEAR(strongestPixel[2], 1, 12);
            }
        }
    }
}
