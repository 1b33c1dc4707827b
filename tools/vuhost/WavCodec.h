// A small RIFF WAVE reader and writer: 16-, 24- and 32-bit integer PCM and 32-bit float, mono or
// stereo. The Windows build reads and writes audio files with it; the reader takes any bytes
// and either decodes them or says why not, never reading outside what it is given.
#pragma once

#include "AudioData.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vuhost {

class WavCodec {
public:
    // Decodes a whole file's bytes; on failure answers nothing and puts the reason in error.
    static std::optional<AudioData> decode(std::span<const std::uint8_t> bytes, std::string& error);
    // Encodes audio in its encoding (Pcm16, Pcm24, Pcm32 or Float32); integer encodings are
    // rounded to the nearest step and clipped to full scale. Fails for other encodings, for
    // more than two channels and for data that does not fit in a RIFF file.
    static std::optional<std::vector<std::uint8_t>> encode(const AudioData& audio, std::string& error);
};

} // namespace vuhost
