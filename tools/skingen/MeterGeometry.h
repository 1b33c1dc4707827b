// Where the needle points and where the scale is printed. The needle strips and the printed scale
// of the backgrounds are both drawn from these functions, so a needle frame always points at the
// mark the meter's frame table assigns to it.
#pragma once

#include <array>
#include <cstdint>

namespace skingen {

inline constexpr int kNeedleFrameCount = 130;
inline constexpr double kFirstFrameDegrees = -43.5; // frame 0, the left stop
inline constexpr double kLastFrameDegrees = 48.0;   // frame 129, the right stop

// The meter's scale: marks in VU decibels and the needle frame that stands on each.
inline constexpr std::array<double, 12> kScaleMarksDb{-20, -10, -7, -5, -3, -2, -1, 0, 1, 2, 3, 3.5};
inline constexpr std::array<std::uint32_t, 12> kNeedleFrames{4, 21, 32, 42, 56, 65, 74, 84, 97, 109, 123, 129};

// Constants of the meter's level-to-frame mapping.
inline constexpr double kMarkOffsetDb = 0.8333333333333334;
inline constexpr double kDbToLog = 0.11512925464970228;

// Needle angle in degrees from vertical (negative: left) for a frame number; fractional frames
// interpolate, because printed marks may fall between two frames.
double needleDegrees(double frame);

// Continuous frame position for a level given as a fraction of the 0 VU level, by the meter's
// own rule: linear from frame 0 at silence to the -20 mark, then linear in level between
// neighbouring marks. Levels at or above the +3.5 mark give the last frame.
double frameForLevel(double fractionOfZeroMark);

// Frame position of a level in VU decibels (frameForLevel of 10^(dB/20)).
double frameForDb(double db);

// Frame position of a percentage of the 0 VU level (the lower, percentage scale).
double frameForPercent(double percent);

struct Point {
    double x = 0;
    double y = 0;
};

// One meter's needle geometry, in the coordinates of one needle frame (origin top left).
struct MeterGeometry {
    int frameWidth;
    int frameHeight;
    Point pivot;
    double scale; // length and font scale of this size relative to the small meter

    // The point at distance radius from the pivot, in the direction the needle has at frame.
    Point along(double frame, double radius) const;
};

// Radii of the printed scale and of the needle tip, in frame pixels from the pivot. The faces
// print their marks and the strips end their needles at these.
struct ScaleRadii {
    double arc;        // the scale line; the red band starts here and grows outward
    double band;       // width of the red band
    double majorTick;  // outer end of the long ticks
    double minorTick;  // outer end of the short ticks
    double numbers;    // centre line of the dB numbers
    double percentArc; // the percentage scale's line
    double percentTick;
    double percentNumbers;
    double needleTip;  // where the needle ends
};

ScaleRadii scaleRadii(const MeterGeometry& g);

MeterGeometry smallMeter();
MeterGeometry largeMeter();

} // namespace skingen
