#include "AudioData.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>

namespace vuhost {

std::string encodingName(SampleEncoding encoding) {
    switch (encoding) {
    case SampleEncoding::Pcm16: return "16-bit integer";
    case SampleEncoding::Pcm24: return "24-bit integer";
    case SampleEncoding::Pcm32: return "32-bit integer";
    case SampleEncoding::Float32: return "32-bit float";
    case SampleEncoding::Float64: return "64-bit float";
    case SampleEncoding::Other: break;
    }
    return "other encoding";
}

Comparison compareAudio(const AudioData& a, const AudioData& b) {
    std::ostringstream line;
    if (a.channels != b.channels) {
        line << "different: " << a.channels << " against " << b.channels << " channels";
        return {false, line.str()};
    }
    if (a.frames() != b.frames()) {
        line << "different: " << a.frames() << " against " << b.frames() << " frames";
        return {false, line.str()};
    }
    std::size_t differing = 0;
    std::size_t first = 0;
    double largest = 0.0;
    for (std::size_t i = 0; i < a.samples.size(); ++i) {
        if (std::memcmp(&a.samples[i], &b.samples[i], sizeof(double)) == 0) continue;
        if (differing++ == 0) first = i;
        const double delta = std::fabs(a.samples[i] - b.samples[i]);
        if (!(delta <= largest)) largest = delta; // NaN makes the largest difference NaN
    }
    if (differing == 0) {
        line << "identical: " << a.frames() << " frames of " << a.channels << " channel"
             << (a.channels == 1 ? "" : "s");
        if (a.sampleRate != b.sampleRate)
            line << " (sample rates differ: " << a.sampleRate << " and " << b.sampleRate << " Hz)";
        return {true, line.str()};
    }
    const auto channels = static_cast<std::size_t>(a.channels);
    line.precision(17);
    line << "different: " << differing << " sample" << (differing == 1 ? "" : "s")
         << " differ, first at frame " << first / channels << " channel " << first % channels
         << " (" << a.samples[first] << " against " << b.samples[first]
         << "), largest difference " << largest;
    return {false, line.str()};
}

} // namespace vuhost
