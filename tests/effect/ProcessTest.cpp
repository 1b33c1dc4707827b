#include "TestHost.h"
#include "effect/ChannelMode.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <random>
#include <thread>
#include <vector>

using testhost::Instance;

namespace {

void setMode(Instance& plugin, float mode) {
    plugin.record->setParameter(plugin.record, 1, mode);
}

// Processes one frame in single precision and answers the pair the LEDs received.
std::pair<double, double> levelsOf(Instance& plugin, float l, float r) {
    float left[1] = {l};
    float right[1] = {r};
    float* in[2] = {left, right};
    float outL[1], outR[1];
    float* out[2] = {outL, outR};
    plugin.gui().ledAt(0)->takePeak();
    plugin.gui().ledAt(1)->takePeak();
    plugin.record->processReplacing(plugin.record, in, out, 1);
    return {plugin.gui().ledAt(0)->takePeak(), plugin.gui().ledAt(1)->takePeak()};
}

template <typename Sample>
std::vector<Sample> noise(std::size_t count, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-2.0, 2.0);
    std::vector<Sample> v(count);
    for (auto& s : v) {
        s = static_cast<Sample>(dist(gen));
    }
    v[0] = std::numeric_limits<Sample>::quiet_NaN();
    v[1] = -std::numeric_limits<Sample>::infinity();
    v[2] = std::numeric_limits<Sample>::denorm_min();
    v[3] = -0.0;
    return v;
}

template <typename Sample>
bool sameBits(const std::vector<Sample>& a, const std::vector<Sample>& b) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(Sample)) == 0;
}

template <typename Sample>
void process(Instance& plugin, Sample** in, Sample** out, VstInt32 frames) {
    if constexpr (std::is_same_v<Sample, float>) {
        plugin.record->processReplacing(plugin.record, in, out, frames);
    } else {
        plugin.record->processDoubleReplacing(plugin.record, in, out, frames);
    }
}

template <typename Sample>
void expectPassThrough() {
    constexpr std::size_t kFrames = 512;
    for (float mode : {0.0f, 0.5f, 1.0f}) {
        for (bool mono : {false, true}) {
            for (bool editorOpen : {false, true}) {
                Instance plugin;
                setMode(plugin, mode);
                VstSpeakerArrangement arr{};
                arr.numChannels = mono ? 1 : 2;
                plugin.dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&arr),
                                &arr);
                if (editorOpen) {
                    plugin.openEditor();
                }
                const auto left = noise<Sample>(kFrames, 1);
                const auto right = noise<Sample>(kFrames, 2);
                std::vector<Sample> outL(kFrames), outR(kFrames);
                std::vector<Sample> inL = left, inR = right;
                Sample* in[2] = {inL.data(), inR.data()};
                Sample* out[2] = {outL.data(), outR.data()};
                process(plugin, in, out, kFrames);
                EXPECT_TRUE(sameBits(outL, left));
                EXPECT_TRUE(sameBits(outR, right));
                EXPECT_TRUE(sameBits(inL, left)) << "inputs are only read";
                // The same buffers as input and output.
                process(plugin, in, in, kFrames);
                EXPECT_TRUE(sameBits(inL, left));
                EXPECT_TRUE(sameBits(inR, right));
            }
        }
    }
}

} // namespace

TEST(Processing, SinglePrecisionPassesEverySampleUnchanged) { expectPassThrough<float>(); }

TEST(Processing, DoublePrecisionPassesEverySampleUnchanged) { expectPassThrough<double>(); }

TEST(Processing, LevelPairOfEachMode) {
    struct Case {
        float mode;
        double first, second;
    };
    const float third = std::bit_cast<float>(uint32_t{0x3EAAAAAB});
    const Case cases[] = {
        {0.5f, 0.8, 0.4},
        {0.0f, 0.6, 0.6},
        {1.0f, 0.6, 0.2},
        {third, 0.8, 0.4},                         // 0.33333334: mode 1
        {std::nextafter(third, 0.0f), 0.6, 0.6},   // 0.3333333: mode 0
        {0.6666666f, 0.8, 0.4},                    // mode 1
        {0.6666667f, 0.6, 0.2},                    // mode 2
    };
    Instance plugin;
    plugin.openEditor();
    for (const Case& c : cases) {
        setMode(plugin, c.mode);
        const auto [first, second] = levelsOf(plugin, 0.8f, -0.4f);
        EXPECT_NEAR(first, c.first, 1e-7) << c.mode;
        EXPECT_NEAR(second, c.second, 1e-7) << c.mode;
    }
}

TEST(Processing, ModeThatIsNotANumberMeansLeftAndRight) {
    EXPECT_EQ(effect::channelModeFor(std::numeric_limits<float>::quiet_NaN()),
              effect::ChannelMode::leftRight);
}

// The host changes Mode from another thread while a long block is being processed: the block
// keeps the mode it started with, the next block takes the new one.
TEST(Processing, ModeChangeDuringABlockWaitsForTheNextBlock) {
    Instance plugin;
    plugin.openEditor();
    setMode(plugin, 0.5f);
    constexpr VstInt32 kFrames = 1 << 21;
    std::vector<float> left(kFrames, 0.8f), right(kFrames, -0.4f);
    float* io[2] = {left.data(), right.data()};
    std::thread audio([&] { plugin.record->processReplacing(plugin.record, io, io, kFrames); });
    while (plugin.gui().ledAt(1)->peak() == 0.0) {
        std::this_thread::yield(); // the block has started feeding
    }
    setMode(plugin, 0.0f);
    audio.join();
    EXPECT_NEAR(plugin.gui().ledAt(1)->takePeak(), 0.4, 1e-7) << "mode 1 for the whole block";
    plugin.record->processReplacing(plugin.record, io, io, 1);
    EXPECT_NEAR(plugin.gui().ledAt(1)->takePeak(), 0.6, 1e-7) << "mode 0 from the next block";
}

TEST(Processing, MonoArrangementFeedsTheLeftChannelTwice) {
    Instance plugin;
    plugin.openEditor();
    VstSpeakerArrangement mono{};
    mono.numChannels = 1;
    plugin.dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &mono);
    for (float mode : {0.0f, 0.5f, 1.0f}) {
        setMode(plugin, mode);
        const auto [first, second] = levelsOf(plugin, -0.5f, 0.9f);
        EXPECT_EQ(first, 0.5);
        EXPECT_EQ(second, 0.5);
    }
}

TEST(Processing, EmptyAndNegativeBlocksWriteAndFeedNothing) {
    Instance plugin;
    plugin.openEditor();
    float in0[4] = {1.5f, 1.5f, 1.5f, 1.5f}, in1[4] = {1.5f, 1.5f, 1.5f, 1.5f};
    float out0[4] = {}, out1[4] = {};
    float* in[2] = {in0, in1};
    float* out[2] = {out0, out1};
    for (VstInt32 frames : {0, -1, std::numeric_limits<VstInt32>::min()}) {
        plugin.record->processReplacing(plugin.record, in, out, frames);
        EXPECT_EQ(out0[0], 0.0f);
        EXPECT_EQ(plugin.gui().ledAt(0)->peak(), 0.0);
        EXPECT_EQ(plugin.gui().meterAt(0)->measuring().level(), 0.0);
    }
}

TEST(Processing, MissingBuffersAreSkipped) {
    Instance plugin;
    plugin.openEditor();
    float buf[4] = {2.0f, 2.0f, 2.0f, 2.0f};
    float* partial[2] = {buf, nullptr};
    float* full[2] = {buf, buf};
    plugin.record->processReplacing(plugin.record, partial, full, 4);
    plugin.record->processReplacing(plugin.record, full, partial, 4);
    plugin.record->processReplacing(plugin.record, nullptr, full, 4);
    plugin.record->processDoubleReplacing(plugin.record, nullptr, nullptr, 4);
    EXPECT_EQ(plugin.gui().ledAt(0)->peak(), 0.0);
}

TEST(Processing, ClosedEditorIsFedNothing) {
    Instance plugin;
    plugin.openEditor();
    plugin.closeEditor();
    std::vector<float> loud(4096, 1.5f);
    float* io[2] = {loud.data(), loud.data()};
    plugin.record->processReplacing(plugin.record, io, io, 4096);
    EXPECT_EQ(plugin.gui().meterAt(0), nullptr);
    plugin.openEditor();
    EXPECT_EQ(plugin.gui().meterAt(0)->measuring().level(), 0.0) << "meters start at rest";
    EXPECT_EQ(plugin.gui().meterAt(0)->currentFrame(), 0u);
    EXPECT_EQ(plugin.gui().ledAt(0)->peak(), 0.0);
}
