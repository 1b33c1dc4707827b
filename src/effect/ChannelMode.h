// How a stereo sample frame becomes the two levels the meters show.
#pragma once

#include <cmath>

namespace effect {

enum class ChannelMode {
    mean,           // both meters: the mean of both channels
    leftRight,      // left and right
    meanDifference, // the mean, and half the difference
};

// Mode 0 below 0x3EAAAAAB, mode 2 above 0x3F2AAAAA, mode 1 otherwise (and for NaN).
ChannelMode channelModeFor(float mode);

struct LevelPair {
    double first;
    double second;
};

inline LevelPair levelsFor(ChannelMode mode, bool mono, double left, double right) {
    const double l = std::fabs(left);
    if (mono) {
        return {l, l};
    }
    const double r = std::fabs(right);
    switch (mode) {
    case ChannelMode::mean: {
        const double m = (l + r) * 0.5;
        return {m, m};
    }
    case ChannelMode::meanDifference: {
        return {(l + r) * 0.5, std::fabs(l - r) * 0.5};
    }
    case ChannelMode::leftRight:
        break;
    }
    return {l, r};
}

} // namespace effect
