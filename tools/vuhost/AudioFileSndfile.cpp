// Audio files for the native build, through libsndfile. Integer formats travel as 32-bit
// integers and floating-point formats as doubles, so that reading and writing the same file
// gives the same samples bit for bit.
#include "AudioFile.h"

#include "Error.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace vuhost {

namespace {

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using Sndfile = std::unique_ptr<SNDFILE, SndfileCloser>;

constexpr double kIntScale = 2147483648.0; // 2^31: libsndfile's integers are left-justified
constexpr sf_count_t kChunkFrames = 8192;

SampleEncoding encodingOf(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_16: return SampleEncoding::Pcm16;
    case SF_FORMAT_PCM_24: return SampleEncoding::Pcm24;
    case SF_FORMAT_PCM_32: return SampleEncoding::Pcm32;
    case SF_FORMAT_FLOAT: return SampleEncoding::Float32;
    case SF_FORMAT_DOUBLE: return SampleEncoding::Float64;
    default: return SampleEncoding::Other;
    }
}

bool isFloating(int format) {
    const int sub = format & SF_FORMAT_SUBMASK;
    return sub == SF_FORMAT_FLOAT || sub == SF_FORMAT_DOUBLE;
}

int wavFormatFor(SampleEncoding encoding) {
    switch (encoding) {
    case SampleEncoding::Pcm16: return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    case SampleEncoding::Pcm24: return SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    case SampleEncoding::Pcm32: return SF_FORMAT_WAV | SF_FORMAT_PCM_32;
    case SampleEncoding::Float64: return SF_FORMAT_WAV | SF_FORMAT_DOUBLE;
    default: return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    }
}

// The bit depth that integer samples are rounded to before they are handed to libsndfile, which
// would otherwise cut the lower bits off.
int integerBits(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8: return 8;
    case SF_FORMAT_PCM_16: return 16;
    case SF_FORMAT_PCM_24: return 24;
    default: return 32;
    }
}

std::int32_t toInteger(double value, int bits) {
    if (std::isnan(value)) return 0;
    const double scale = std::ldexp(1.0, bits - 1);
    const double step = std::clamp(std::nearbyint(value * scale), -scale, scale - 1.0);
    return static_cast<std::int32_t>(static_cast<std::int64_t>(step) << (32 - bits));
}

} // namespace

AudioData readAudioFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw Error(path + ": no such file");
    SF_INFO info{};
    Sndfile file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) throw Error(path + ": cannot read audio (" + sf_strerror(nullptr) + ")");
    if (info.channels < 1 || info.samplerate < 1)
        throw Error(path + ": cannot read audio (no channels or no sample rate)");

    AudioData audio;
    audio.sampleRate = info.samplerate;
    audio.channels = info.channels;
    audio.encoding = encodingOf(info.format);
    audio.nativeFormat = info.format;
    const bool floating = isFloating(info.format);
    std::vector<int> integers;
    std::vector<double> block(static_cast<std::size_t>(kChunkFrames * info.channels));
    if (!floating) integers.resize(block.size());
    for (;;) {
        const sf_count_t got = floating ? sf_readf_double(file.get(), block.data(), kChunkFrames)
                                        : sf_readf_int(file.get(), integers.data(), kChunkFrames);
        if (got <= 0) break;
        const auto count = static_cast<std::size_t>(got * info.channels);
        if (!floating)
            for (std::size_t i = 0; i < count; ++i) block[i] = integers[i] / kIntScale;
        audio.samples.insert(audio.samples.end(), block.begin(), block.begin() + count);
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
        throw Error(path + ": cannot read audio (" + sf_strerror(file.get()) + ")");
    return audio;
}

void writeAudioFile(const std::string& path, const AudioData& audio) {
    SF_INFO info{};
    info.samplerate = audio.sampleRate;
    info.channels = audio.channels;
    info.format = audio.nativeFormat ? audio.nativeFormat : wavFormatFor(audio.encoding);
    if (!sf_format_check(&info)) {
        // A format we can read but not write with these settings: fall back to float WAVE.
        info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
        if (!sf_format_check(&info))
            throw Error(path + ": cannot write audio with " + std::to_string(audio.channels) +
                        " channels at " + std::to_string(audio.sampleRate) + " Hz");
    }
    Sndfile file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file) throw Error(path + ": cannot write audio (" + sf_strerror(nullptr) + ")");

    const auto frames = static_cast<sf_count_t>(audio.frames());
    sf_count_t written = 0;
    if (isFloating(info.format)) {
        written = sf_writef_double(file.get(), audio.samples.data(), frames);
    } else {
        const int bits = integerBits(info.format);
        std::vector<int> integers(audio.samples.size());
        std::transform(audio.samples.begin(), audio.samples.end(), integers.begin(),
                       [bits](double v) { return toInteger(v, bits); });
        written = sf_writef_int(file.get(), integers.data(), frames);
    }
    if (written != frames)
        throw Error(path + ": cannot write audio (" + sf_strerror(file.get()) + ")");
    if (sf_close(file.release()) != 0) throw Error(path + ": cannot write audio (close failed)");
}

} // namespace vuhost
