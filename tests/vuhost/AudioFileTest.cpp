#include "AudioFile.h"
#include "Error.h"
#include "FileBytes.h"
#include "TestSignal.h"
#include "TestSupport.h"
#include "WavCodec.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vuhost;

TEST(AudioFile, WritesAndReadsBackEveryEncodingBitForBit) {
    test::ScratchDir dir;
    for (auto encoding : {SampleEncoding::Pcm16, SampleEncoding::Pcm24, SampleEncoding::Pcm32,
                          SampleEncoding::Float32}) {
        for (int channels : {1, 2}) {
            SCOPED_TRACE(encodingName(encoding) + ", " + std::to_string(channels) + " channels");
            const AudioData audio = test::exactAudio(encoding, channels, 1001, 48000);
            const std::string path = dir.file("roundtrip.wav");
            writeAudioFile(path, audio);
            const AudioData back = readAudioFile(path);
            EXPECT_EQ(back.sampleRate, 48000);
            EXPECT_EQ(back.encoding, encoding);
            EXPECT_TRUE(compareAudio(audio, back).identical) << compareAudio(audio, back).summary;
        }
    }
}

#if !defined(_WIN32)
// Our own codec (the Windows build's) and libsndfile agree on the files each of them writes.
TEST(AudioFile, OwnCodecAndLibsndfileReadEachOthersFiles) {
    test::ScratchDir dir;
    for (auto encoding : {SampleEncoding::Pcm16, SampleEncoding::Pcm24, SampleEncoding::Pcm32,
                          SampleEncoding::Float32}) {
        SCOPED_TRACE(encodingName(encoding));
        const AudioData audio = test::exactAudio(encoding, 2, 257);
        const std::string byLibrary = dir.file("library.wav");
        writeAudioFile(byLibrary, audio);
        std::string error;
        const auto decoded = WavCodec::decode(readFileBytes(byLibrary), error);
        ASSERT_TRUE(decoded) << error;
        EXPECT_TRUE(compareAudio(audio, *decoded).identical);

        const std::string byCodec = dir.file("codec.wav");
        writeFileBytes(byCodec, *WavCodec::encode(audio, error));
        const AudioData read = readAudioFile(byCodec);
        EXPECT_EQ(read.encoding, encoding);
        EXPECT_TRUE(compareAudio(audio, read).identical);
    }
}
#endif

TEST(AudioFile, ReportsMissingAndUnreadableFiles) {
    test::ScratchDir dir;
    EXPECT_THROW(
        {
            try {
                readAudioFile(dir.file("missing.wav"));
            } catch (const Error& e) {
                EXPECT_NE(std::string(e.what()).find("no such file"), std::string::npos);
                throw;
            }
        },
        Error);
    writeFileBytes(dir.file("text.wav"), {'h', 'e', 'l', 'l', 'o'});
    EXPECT_THROW(readAudioFile(dir.file("text.wav")), Error);
    EXPECT_THROW(writeAudioFile(dir.file("no-such-folder/out.wav"), test::exactAudio(SampleEncoding::Pcm16, 1, 4)),
                 Error);
}

TEST(TestSignal, IsAReferenceLevelSineFollowedByABurstAboveFullScale) {
    const AudioData signal = TestSignal::make(48000);
    ASSERT_EQ(signal.channels, 2);
    ASSERT_EQ(signal.frames(), 96000u + 2400u);
    double sinePeak = 0.0, burstPeak = 0.0;
    int crossings = 0;
    for (std::size_t n = 0; n < signal.frames(); ++n) {
        const double left = signal.samples[2 * n];
        EXPECT_EQ(left, signal.samples[2 * n + 1]);
        EXPECT_EQ(left, static_cast<float>(left)); // exact in a float file
        if (n < 96000) {
            sinePeak = std::max(sinePeak, std::fabs(left));
            if (n > 0 && signal.samples[2 * (n - 1)] < 0.0 && left >= 0.0) ++crossings;
        } else {
            burstPeak = std::max(burstPeak, std::fabs(left));
        }
    }
    EXPECT_NEAR(20.0 * std::log10(sinePeak), -18.0, 0.001);
    EXPECT_GT(burstPeak, 1.0);
    EXPECT_NEAR(crossings, 2000, 1); // 1 kHz for two seconds
}
