#include "TestSignal.h"

#include <cmath>
#include <numbers>

namespace vuhost {

AudioData TestSignal::make(int sampleRate) {
    AudioData audio;
    audio.sampleRate = sampleRate;
    audio.channels = 2;
    audio.encoding = SampleEncoding::Float32;
    const auto sineFrames = static_cast<std::size_t>(std::lround(kSineSeconds * sampleRate));
    const auto burstFrames = static_cast<std::size_t>(std::lround(kBurstSeconds * sampleRate));
    const double reference = std::pow(10.0, kReferenceDb / 20.0);
    const double step = 2.0 * std::numbers::pi * kFrequency / sampleRate;
    audio.samples.reserve(2 * (sineFrames + burstFrames));
    for (std::size_t n = 0; n < sineFrames + burstFrames; ++n) {
        const double peak = n < sineFrames ? reference : kBurstPeak;
        // Stored as float: the file holds exactly what every later stage reads.
        const double value = static_cast<float>(peak * std::sin(step * static_cast<double>(n)));
        audio.samples.push_back(value);
        audio.samples.push_back(value);
    }
    return audio;
}

} // namespace vuhost
