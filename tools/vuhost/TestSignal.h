// The built-in test signal: a 1 kHz sine with its peak at the -18 dBFS reference level for two
// seconds, then a short burst above full scale that must light the peak LEDs. Stereo, 32-bit
// float, so that the samples above full scale survive in the file.
#pragma once

#include "AudioData.h"

namespace vuhost {

struct TestSignal {
    static constexpr double kFrequency = 1000.0;
    static constexpr double kReferenceDb = -18.0;
    static constexpr double kSineSeconds = 2.0;
    static constexpr double kBurstSeconds = 0.05;
    static constexpr double kBurstPeak = 1.5; // about +3.5 dBFS
    static constexpr int kMinRate = 8000;
    static constexpr int kMaxRate = 768000;

    static AudioData make(int sampleRate);

    // The demonstration programme: 1 kHz at the reference (0 VU at -18 dB headroom) for
    // kProgrammeReferenceSeconds, then kProgrammeLoudDb above it (+3 VU) until
    // kProgrammeBurstSeconds, where one sample pair of kBurstPeak (above full scale) follows, then
    // silence up to kProgrammeSeconds: the needles' rise, the hold needle's fall one second after
    // its last maximum (the loud passage is short, so the needles fall while it still holds),
    // the LEDs' 300 ms and the needles' return.
    static constexpr double kProgrammeReferenceSeconds = 1.4;
    static constexpr double kProgrammeLoudDb = 3.0;
    static constexpr double kProgrammeBurstSeconds = 2.0;
    static constexpr double kProgrammeSeconds = 4.0;
    static AudioData programme(int sampleRate);
};

} // namespace vuhost
