#include "TestSupport.h"
#include "WavCodec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace vuhost;

namespace {

std::vector<std::uint8_t> encodeOrFail(const AudioData& audio) {
    std::string error;
    auto bytes = WavCodec::encode(audio, error);
    EXPECT_TRUE(bytes) << error;
    return bytes ? *bytes : std::vector<std::uint8_t>{};
}

void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = v >> 8;
}
void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A 16-bit stereo file of 4 frames, written by hand: header fields at their standard offsets.
std::vector<std::uint8_t> handMadePcm16() {
    AudioData audio = test::exactAudio(SampleEncoding::Pcm16, 2, 4);
    return encodeOrFail(audio);
}

} // namespace

TEST(WavCodec, EveryEncodingRoundTripsBitForBit) {
    for (auto encoding : {SampleEncoding::Pcm16, SampleEncoding::Pcm24, SampleEncoding::Pcm32,
                          SampleEncoding::Float32}) {
        for (int channels : {1, 2}) {
            SCOPED_TRACE(encodingName(encoding) + ", " + std::to_string(channels) + " channels");
            // 333 frames: an odd data length for 24-bit mono, which needs a pad byte.
            const AudioData audio = test::exactAudio(encoding, channels, 333, 96000);
            std::string error;
            const auto decoded = WavCodec::decode(encodeOrFail(audio), error);
            ASSERT_TRUE(decoded) << error;
            EXPECT_EQ(decoded->sampleRate, 96000);
            EXPECT_EQ(decoded->channels, channels);
            EXPECT_EQ(decoded->encoding, encoding);
            EXPECT_TRUE(compareAudio(audio, *decoded).identical) << compareAudio(audio, *decoded).summary;
        }
    }
}

TEST(WavCodec, IntegerEncodingsRoundToTheNearestStepAndClipAtFullScale) {
    AudioData audio;
    audio.sampleRate = 8000;
    audio.channels = 1;
    audio.encoding = SampleEncoding::Pcm16;
    audio.samples = {1.5, -1.5, 1.0, -1.0, 0.6 / 32768.0, -0.4 / 32768.0, std::nan("")};
    std::string error;
    const auto decoded = WavCodec::decode(encodeOrFail(audio), error);
    ASSERT_TRUE(decoded) << error;
    const std::vector<double> expected = {32767 / 32768.0, -1.0, 32767 / 32768.0, -1.0,
                                          1 / 32768.0, 0.0, 0.0};
    EXPECT_EQ(decoded->samples, expected);
}

TEST(WavCodec, ReadsExtensibleFormatsOddChunksAndCutShortData) {
    // WAVE_FORMAT_EXTENSIBLE with a float sub-format, an odd-sized chunk before the data, and a
    // data chunk that claims more bytes than the file has.
    std::vector<std::uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E',
                                   'f', 'm', 't', ' ', 40, 0, 0, 0};
    b.resize(b.size() + 40);
    put16(b, 20, 0xFFFE);
    put16(b, 22, 1);        // mono
    put32(b, 24, 22050);    // rate
    put32(b, 28, 22050 * 4);
    put16(b, 32, 4);        // block align
    put16(b, 34, 32);       // bits
    put16(b, 36, 22);       // extension size
    put16(b, 44, 3);        // sub-format: IEEE float
    const char junk[] = {'j', 'u', 'n', 'k', 3, 0, 0, 0, 1, 2, 3, 0};
    b.insert(b.end(), junk, junk + sizeof junk);
    const char data[] = {'d', 'a', 't', 'a', 100, 0, 0, 0};
    b.insert(b.end(), data, data + sizeof data);
    for (float v : {0.5f, -2.0f}) {
        std::uint8_t raw[4];
        std::memcpy(raw, &v, 4);
        b.insert(b.end(), raw, raw + 4);
    }
    b.push_back(0x7F); // half a frame: ignored
    std::string error;
    const auto decoded = WavCodec::decode(b, error);
    ASSERT_TRUE(decoded) << error;
    EXPECT_EQ(decoded->encoding, SampleEncoding::Float32);
    EXPECT_EQ(decoded->sampleRate, 22050);
    EXPECT_EQ(decoded->samples, (std::vector<double>{0.5, -2.0}));
}

TEST(WavCodec, RejectsMalformedFilesWithAReason) {
    const auto good = handMadePcm16();
    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", [](auto& b) { b.clear(); }, "not a RIFF WAVE file"},
        {"not RIFF", [](auto& b) { b[0] = 'X'; }, "not a RIFF WAVE file"},
        {"not WAVE", [](auto& b) { b[8] = 'A'; }, "not a RIFF WAVE file"},
        {"header only", [](auto& b) { b.resize(12); }, "no format chunk"},
        {"format cut short", [](auto& b) { b.resize(30); }, "format chunk too short"},
        {"no data chunk", [](auto& b) { b[36] = 'x'; }, "no data chunk"},
        {"no channels", [](auto& b) { put16(b, 22, 0); }, "unsupported channel count 0"},
        {"six channels", [](auto& b) { put16(b, 22, 6); }, "unsupported channel count 6"},
        {"rate zero", [](auto& b) { put32(b, 24, 0); }, "unsupported sample rate 0"},
        {"8-bit", [](auto& b) { put16(b, 34, 8); }, "unsupported sample format"},
        {"A-law", [](auto& b) { put16(b, 20, 6); }, "unsupported sample format"},
        {"64-bit float", [](auto& b) { put16(b, 20, 3); put16(b, 34, 64); }, "unsupported sample format"},
        {"block alignment", [](auto& b) { put16(b, 32, 3); }, "inconsistent block alignment"},
        {"format chunk size", [](auto& b) { put32(b, 16, 8); }, "format chunk too short"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto bytes = good;
        c.damage(bytes);
        std::string error;
        EXPECT_FALSE(WavCodec::decode(bytes, error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

TEST(WavCodec, SurvivesDamagedAndRandomBytes) {
    std::mt19937 random(47);
    std::vector<std::vector<std::uint8_t>> seeds;
    for (auto encoding : {SampleEncoding::Pcm16, SampleEncoding::Pcm24, SampleEncoding::Float32})
        seeds.push_back(encodeOrFail(test::exactAudio(encoding, 2, 16)));
    int decodedCount = 0;
    // Every truncation of a valid file.
    for (const auto& seed : seeds) {
        for (std::size_t length = 0; length <= seed.size(); ++length) {
            std::string error;
            const std::span<const std::uint8_t> cut(seed.data(), length);
            if (auto audio = WavCodec::decode(cut, error)) {
                ++decodedCount;
                EXPECT_EQ(audio->samples.size() % audio->channels, 0u);
            } else {
                EXPECT_FALSE(error.empty());
            }
        }
    }
    // Random changes of bytes in the header and beyond, including the chunk sizes.
    for (int round = 0; round < 20000; ++round) {
        auto bytes = seeds[round % seeds.size()];
        const int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % (round % 3 == 0 ? bytes.size() : 60);
            bytes[at] = static_cast<std::uint8_t>(random());
        }
        if (round % 5 == 0) bytes.resize(random() % (bytes.size() + 1));
        std::string error;
        if (auto audio = WavCodec::decode(bytes, error)) {
            ++decodedCount;
            ASSERT_TRUE(audio->channels == 1 || audio->channels == 2);
            ASSERT_LE(audio->samples.size() * 2, bytes.size());
        } else {
            ASSERT_FALSE(error.empty());
        }
    }
    // Pure noise, with and without a plausible RIFF header.
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> bytes(random() % 200);
        for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
        if (round % 2 == 0 && bytes.size() >= 16) std::memcpy(bytes.data(), "RIFF\0\0\0\0WAVEfmt ", 16);
        std::string error;
        (void)WavCodec::decode(bytes, error);
    }
    EXPECT_GT(decodedCount, 0); // the mutations also reach the decoding of sample data
}

TEST(WavCodec, RefusesToWriteWhatItCannotRepresent) {
    std::string error;
    AudioData audio = test::exactAudio(SampleEncoding::Pcm16, 2, 4);
    audio.channels = 3;
    EXPECT_FALSE(WavCodec::encode(audio, error));
    EXPECT_NE(error.find("3 channels"), std::string::npos);
    audio.channels = 2;
    audio.encoding = SampleEncoding::Other;
    EXPECT_FALSE(WavCodec::encode(audio, error));
}
