#include "meter/VuBallistics.h"

#include <cmath>

namespace meter {

VuBallistics::VuBallistics(float sampleRate, const FrameTable& frames) {
    setupFilter(static_cast<double>(sampleRate));
    for (std::size_t i = 0; i < kScaleMarkCount; ++i) {
        marks[i].frame = frames[i];
    }
    setReferenceLevel(kDefaultReferenceDb);
}

void VuBallistics::setupFilter(double sampleRate) {
    x0 = x1 = x2 = 0.0;
    y0.store(0.0, std::memory_order_relaxed);
    y1 = y2 = 0.0;

    // Bilinear transform, without pre-warping, of omega^2 / (s^2 + 2 zeta omega s + omega^2).
    const double t = 1.0 / sampleRate;
    const double p = t * kFourZetaOmega;
    const double q = t * t * kOmegaSquared;
    const double n = (p + 4.0) + q;
    a1 = (t * t * kTwoOmegaSquared - 8.0) / n;
    a2 = ((4.0 - p) + q) / n;
    b0 = q / n;
    b1 = (q * 2.0) / n;
    b2 = q / n;
}

void VuBallistics::setReferenceLevel(double referenceDb) {
    for (std::size_t i = 0; i < kScaleMarkCount; ++i) {
        const double db = (kScaleMarksDb[i] + referenceDb) - kMarkOffsetDb;
        marks[i].threshold.store(std::exp(db * kDbToLog), std::memory_order_relaxed);
    }
}

uint32_t VuBallistics::currentFrame() const {
    // One read of each threshold, so that a reference change running meanwhile cannot make the
    // interpolation leave the interval it found.
    std::array<double, kScaleMarkCount> thr;
    FrameTable frames;
    for (std::size_t i = 0; i < kScaleMarkCount; ++i) {
        thr[i] = marks[i].threshold.load(std::memory_order_relaxed);
        frames[i] = marks[i].frame;
    }
    return frameForScaledLevel(y0.load(std::memory_order_relaxed) * kLevelScale, thr, frames);
}

uint32_t VuBallistics::frameForScaledLevel(double v, const std::array<double, kScaleMarkCount>& thr,
                                           const FrameTable& frames) {
    if (v < 0.0) {
        v = 0.0;
    }
    double f;
    if (v < thr[0]) {
        f = (v / thr[0]) * static_cast<double>(frames[0]);
    } else {
        std::size_t i = 1;
        while (i < kScaleMarkCount && !(thr[i] > v)) {
            ++i;
        }
        if (i == kScaleMarkCount) {
            return frames[kScaleMarkCount - 1]; // at or above the last mark, or NaN
        }
        const uint32_t span = frames[i] - frames[i - 1];
        f = static_cast<double>(frames[i - 1]) +
            ((v - thr[i - 1]) / (thr[i] - thr[i - 1])) * static_cast<double>(span);
    }
    return static_cast<uint32_t>(f);
}

} // namespace meter
