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

AudioData TestSignal::programme(int sampleRate) {
    AudioData audio;
    audio.sampleRate = sampleRate;
    audio.channels = 2;
    audio.encoding = SampleEncoding::Float32;
    const auto at = [sampleRate](double seconds) {
        return static_cast<std::size_t>(std::lround(seconds * sampleRate));
    };
    const std::size_t loudStart = at(kProgrammeReferenceSeconds), burst = at(kProgrammeBurstSeconds);
    const std::size_t total = at(kProgrammeSeconds);
    const double reference = std::pow(10.0, kReferenceDb / 20.0);
    const double loud = std::pow(10.0, (kReferenceDb + kProgrammeLoudDb) / 20.0);
    const double step = 2.0 * std::numbers::pi * kFrequency / sampleRate;
    audio.samples.assign(2 * total, 0.0);
    for (std::size_t n = 0; n < burst && n < total; ++n) {
        const double peak = n < loudStart ? reference : loud;
        const double value = static_cast<float>(peak * std::sin(step * static_cast<double>(n)));
        audio.samples[2 * n] = audio.samples[2 * n + 1] = value;
    }
    if (burst < total) audio.samples[2 * burst] = audio.samples[2 * burst + 1] = kBurstPeak;
    return audio;
}

} // namespace vuhost
