#include "MeterGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skingen {

double needleDegrees(double frame) {
    const double step = (kLastFrameDegrees - kFirstFrameDegrees) / (kNeedleFrameCount - 1);
    return kFirstFrameDegrees + frame * step;
}

double frameForLevel(double fraction) {
    // The meter compares scaled levels with thresholds exp((mark + reference - offset) * k). The
    // reference only scales every threshold alike, so measuring against the 0 mark leaves it out.
    std::array<double, kScaleMarksDb.size()> thr{};
    for (std::size_t i = 0; i < thr.size(); ++i)
        thr[i] = std::exp((kScaleMarksDb[i] - kMarkOffsetDb) * kDbToLog);
    const double v = std::max(0.0, fraction) * thr[7];
    if (v < thr[0])
        return v / thr[0] * kNeedleFrames[0];
    for (std::size_t i = 1; i < thr.size(); ++i) {
        if (thr[i] > v) {
            const double t = (v - thr[i - 1]) / (thr[i] - thr[i - 1]);
            return kNeedleFrames[i - 1] + t * (kNeedleFrames[i] - kNeedleFrames[i - 1]);
        }
    }
    return kNeedleFrames.back();
}

double frameForDb(double db) { return frameForLevel(std::pow(10.0, db / 20.0)); }

double frameForPercent(double percent) { return frameForLevel(percent / 100.0); }

Point MeterGeometry::along(double frame, double radius) const {
    const double a = needleDegrees(frame) * std::numbers::pi / 180.0;
    return {pivot.x + radius * std::sin(a), pivot.y - radius * std::cos(a)};
}

ScaleRadii scaleRadii(const MeterGeometry& g) {
    const double k = g.scale;
    return {106 * k, 4.5 * k, 115 * k, 111 * k, 123 * k, 101 * k, 96.5 * k, 90 * k, 114 * k};
}

// The pivot lies centred below each frame: 45 pixels below the small frame, 59 below the large.
MeterGeometry smallMeter() { return {190, 90, {95.0, 135.0}, 1.0}; }
MeterGeometry largeMeter() { return {280, 130, {140.0, 189.0}, 1.4}; }

} // namespace skingen
