// Audio as vuhost reads and writes it: interleaved samples in double precision, with full scale
// at 1.0, and the encoding they came in so that output can be written the same way.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vuhost {

enum class SampleEncoding { Pcm16, Pcm24, Pcm32, Float32, Float64, Other };

struct AudioData {
    int sampleRate = 0;
    int channels = 0;
    SampleEncoding encoding = SampleEncoding::Float32;
    // The file format as the reading library names it (libsndfile's format word natively), so
    // that a file it read can be written back in the same format; 0 when there is none.
    int nativeFormat = 0;
    std::vector<double> samples; // frame after frame, channel after channel within a frame

    std::size_t frames() const {
        return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0;
    }
};

std::string encodingName(SampleEncoding encoding);

// The result of comparing the sample data of two files.
struct Comparison {
    bool identical = false;
    std::string summary; // one line: what is equal or where they first differ
};

// Bit-for-bit comparison of sample data: same channel count, same length, and every sample
// value with the same bits (rate and encoding are reported but do not make files differ).
Comparison compareAudio(const AudioData& a, const AudioData& b);

} // namespace vuhost
