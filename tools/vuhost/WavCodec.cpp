#include "WavCodec.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace vuhost {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kMaxSampleRate = 4'000'000;

std::uint32_t read16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
bool isId(const std::uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putId(std::vector<std::uint8_t>& out, const char* id) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(id[i]));
}

int bitsOf(SampleEncoding encoding) {
    switch (encoding) {
    case SampleEncoding::Pcm16: return 16;
    case SampleEncoding::Pcm24: return 24;
    case SampleEncoding::Pcm32: return 32;
    case SampleEncoding::Float32: return 32;
    default: return 0;
    }
}

// A sample in [-1, 1) as a signed integer of the given width: nearest step, clipped.
std::int64_t quantise(double value, int bits) {
    if (std::isnan(value)) return 0;
    const double scale = std::ldexp(1.0, bits - 1);
    const double top = scale - 1.0;
    const double scaled = std::nearbyint(value * scale);
    return static_cast<std::int64_t>(std::clamp(scaled, -scale, top));
}

} // namespace

std::optional<AudioData> WavCodec::decode(std::span<const std::uint8_t> bytes, std::string& error) {
    const std::uint8_t* base = bytes.data();
    const std::size_t size = bytes.size();
    if (size < 12 || !isId(base, "RIFF") || !isId(base + 8, "WAVE")) {
        error = "not a RIFF WAVE file";
        return std::nullopt;
    }

    bool haveFormat = false;
    std::uint32_t tag = 0, channels = 0, rate = 0, blockAlign = 0, bits = 0;
    bool haveData = false;
    std::size_t dataOffset = 0, dataLength = 0;

    std::size_t offset = 12;
    while (size - offset >= 8 && !(haveFormat && haveData)) {
        const std::uint8_t* header = base + offset;
        const std::uint64_t declared = read32(header + 4);
        const std::size_t payload = offset + 8;
        const std::size_t available =
            static_cast<std::size_t>(std::min<std::uint64_t>(declared, size - payload));
        if (isId(header, "fmt ")) {
            if (available < 16) {
                error = "format chunk too short";
                return std::nullopt;
            }
            const std::uint8_t* f = base + payload;
            tag = read16(f);
            channels = read16(f + 2);
            rate = read32(f + 4);
            blockAlign = read16(f + 12);
            bits = read16(f + 14);
            if (tag == kFormatExtensible) {
                if (available < 40) {
                    error = "extensible format chunk too short";
                    return std::nullopt;
                }
                tag = read16(f + 24); // the first two bytes of the sub-format GUID
            }
            haveFormat = true;
        } else if (isId(header, "data")) {
            // A data chunk that claims more than the file holds (a recording cut short) is read
            // as far as it goes.
            dataOffset = payload;
            dataLength = available;
            haveData = true;
        }
        const std::uint64_t next = payload + declared + (declared & 1);
        if (next > size) break;
        offset = static_cast<std::size_t>(next);
    }

    if (!haveFormat) {
        error = "no format chunk";
        return std::nullopt;
    }
    if (!haveData) {
        error = "no data chunk";
        return std::nullopt;
    }
    if (channels != 1 && channels != 2) {
        error = "unsupported channel count " + std::to_string(channels) + " (mono or stereo only)";
        return std::nullopt;
    }
    if (rate == 0 || rate > kMaxSampleRate) {
        error = "unsupported sample rate " + std::to_string(rate);
        return std::nullopt;
    }
    AudioData audio;
    if (tag == kFormatPcm && bits == 16) audio.encoding = SampleEncoding::Pcm16;
    else if (tag == kFormatPcm && bits == 24) audio.encoding = SampleEncoding::Pcm24;
    else if (tag == kFormatPcm && bits == 32) audio.encoding = SampleEncoding::Pcm32;
    else if (tag == kFormatFloat && bits == 32) audio.encoding = SampleEncoding::Float32;
    else {
        error = "unsupported sample format (tag " + std::to_string(tag) + ", " +
                std::to_string(bits) + " bits)";
        return std::nullopt;
    }
    const std::uint32_t bytesPerSample = bits / 8;
    if (blockAlign != channels * bytesPerSample) {
        error = "inconsistent block alignment " + std::to_string(blockAlign);
        return std::nullopt;
    }

    audio.sampleRate = static_cast<int>(rate);
    audio.channels = static_cast<int>(channels);
    const std::size_t frames = dataLength / blockAlign;
    audio.samples.resize(frames * channels);
    const std::uint8_t* p = base + dataOffset;
    for (double& sample : audio.samples) {
        switch (audio.encoding) {
        case SampleEncoding::Pcm16:
            sample = static_cast<std::int16_t>(read16(p)) / 32768.0;
            break;
        case SampleEncoding::Pcm24: {
            std::int32_t v = static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
            if (v & 0x800000) v -= 0x1000000;
            sample = v / 8388608.0;
            break;
        }
        case SampleEncoding::Pcm32:
            sample = static_cast<std::int32_t>(read32(p)) / 2147483648.0;
            break;
        default: {
            const std::uint32_t raw = read32(p);
            float f;
            std::memcpy(&f, &raw, sizeof f);
            sample = f;
            break;
        }
        }
        p += bytesPerSample;
    }
    return audio;
}

std::optional<std::vector<std::uint8_t>> WavCodec::encode(const AudioData& audio, std::string& error) {
    const int bits = bitsOf(audio.encoding);
    if (bits == 0) {
        error = "cannot write " + encodingName(audio.encoding) + " samples";
        return std::nullopt;
    }
    if (audio.channels != 1 && audio.channels != 2) {
        error = "cannot write " + std::to_string(audio.channels) + " channels (mono or stereo only)";
        return std::nullopt;
    }
    if (audio.sampleRate <= 0 || audio.sampleRate > kMaxSampleRate) {
        error = "cannot write sample rate " + std::to_string(audio.sampleRate);
        return std::nullopt;
    }
    const bool isFloat = audio.encoding == SampleEncoding::Float32;
    const std::uint64_t bytesPerSample = static_cast<std::uint64_t>(bits / 8);
    const std::uint64_t frames = audio.frames();
    const std::uint64_t dataLength = frames * audio.channels * bytesPerSample;
    const std::uint64_t headerLength = isFloat ? 58 : 44;
    if (dataLength + headerLength + 1 > std::numeric_limits<std::uint32_t>::max()) {
        error = "too much audio for a WAVE file";
        return std::nullopt;
    }

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(headerLength + dataLength + 1));
    const std::uint32_t blockAlign = static_cast<std::uint32_t>(audio.channels * bytesPerSample);
    putId(out, "RIFF");
    put32(out, static_cast<std::uint32_t>(headerLength - 8 + dataLength + (dataLength & 1)));
    putId(out, "WAVE");
    putId(out, "fmt ");
    put32(out, isFloat ? 18 : 16);
    put16(out, isFloat ? kFormatFloat : kFormatPcm);
    put16(out, static_cast<std::uint32_t>(audio.channels));
    put32(out, static_cast<std::uint32_t>(audio.sampleRate));
    put32(out, static_cast<std::uint32_t>(audio.sampleRate) * blockAlign);
    put16(out, blockAlign);
    put16(out, static_cast<std::uint32_t>(bits));
    if (isFloat) {
        put16(out, 0); // no extension
        putId(out, "fact");
        put32(out, 4);
        put32(out, static_cast<std::uint32_t>(frames));
    }
    putId(out, "data");
    put32(out, static_cast<std::uint32_t>(dataLength));
    for (const double sample : audio.samples) {
        if (isFloat) {
            const float f = static_cast<float>(sample);
            std::uint32_t raw;
            std::memcpy(&raw, &f, sizeof raw);
            put32(out, raw);
            continue;
        }
        const auto v = static_cast<std::uint32_t>(quantise(sample, bits));
        for (int b = 0; b < bits / 8; ++b) out.push_back(static_cast<std::uint8_t>(v >> (8 * b)));
    }
    if (dataLength & 1) out.push_back(0);
    return out;
}

} // namespace vuhost
