// Random and truncated chunks, and random dispatcher calls. Meant to run under the address and
// undefined-behaviour sanitizers: any read past a chunk or write past a buffer fails there.
#include "ChunkBuilder.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

using testhost::Instance;

namespace {

void expectSaneState(Instance& plugin) {
    for (VstInt32 i = 0; i < 4; ++i) {
        const float v = plugin.effect().getParameter(i);
        ASSERT_TRUE(v >= 0.0f && v <= 1.0f) << "parameter " << i << " = " << v;
    }
    ASSERT_LT(std::strlen(plugin.effect().getLabelText().data()), 256u);
    const auto chunk = plugin.chunk();
    ASSERT_TRUE(chunk.size() == 16 || (chunk.size() >= 22 && chunk.size() <= 276));
}

// Hands `bytes` to setChunk in a buffer of exactly that size.
void load(Instance& plugin, const std::vector<unsigned char>& bytes) {
    std::unique_ptr<unsigned char[]> exact(new unsigned char[bytes.size()]);
    if (!bytes.empty()) {
        std::memcpy(exact.get(), bytes.data(), bytes.size());
    }
    plugin.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bytes.size()), exact.get());
}

} // namespace

TEST(Fuzz, RandomAndTruncatedChunks) {
    std::mt19937 gen(4711);
    Instance plugin;
    // The first rounds reach an open editor (sizes, hold needle and label follow every load); the
    // rest fuzz the parsing alone, where each size change would otherwise decode the skin again.
    constexpr int kRoundsWithEditor = 200;
    plugin.openEditor();
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> size(0, 300);
    std::uniform_real_distribution<float> lengths(-10.0f, 400.0f);
    for (int round = 0; round < 4000; ++round) {
        if (round == kRoundsWithEditor) plugin.closeEditor();
        std::vector<unsigned char> bytes;
        switch (round % 4) {
        case 0: // pure noise
            bytes.resize(static_cast<std::size_t>(size(gen)));
            for (auto& b : bytes) {
                b = static_cast<unsigned char>(byte(gen));
            }
            break;
        case 1: { // a labelled header with a random length and a random amount of text
            bytes = testhost::floatChunk({lengths(gen), 0.3f, 0.6f, 0.9f, 0.2f});
            bytes.resize(20 + static_cast<std::size_t>(size(gen)), 'q');
            break;
        }
        case 2: { // a valid chunk cut anywhere
            bytes = testhost::labelledChunk(std::string(static_cast<std::size_t>(size(gen) % 255 + 1), 'k'),
                                            0.1f, 0.2f, 0.3f, 0.4f);
            bytes.resize(static_cast<std::size_t>(size(gen)) % (bytes.size() + 1));
            break;
        }
        default: { // random floats, including NaN and infinities
            for (int i = 0; i < 5; ++i) {
                uint32_t bits = gen();
                float f;
                std::memcpy(&f, &bits, 4);
                testhost::appendFloat(bytes, f);
            }
            bytes.resize(static_cast<std::size_t>(size(gen)) % 40);
            break;
        }
        }
        load(plugin, bytes);
        expectSaneState(plugin);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(Fuzz, RandomDispatcherCalls) {
    std::mt19937 gen(1234);
    std::uniform_int_distribution<int> opcode(-4, 140);
    std::uniform_int_distribution<int> smallIndex(-3, 8);
    std::uniform_int_distribution<int> coin(0, 3);
    Instance plugin;
    // Every pointer the plug-in may write through or read from is a valid one; only numbers are
    // random.
    alignas(16) static unsigned char scratch[4096];
    VstSpeakerArrangement arrangement{};
    VstSpeakerArrangement* arrangementOut = nullptr;
    void* chunkOut = nullptr;
    char text[512];
    float samples[2][64] = {};
    float* io[2] = {samples[0], samples[1]};
    for (int round = 0; round < 20000; ++round) {
        const VstInt32 op = opcode(gen);
        const VstInt32 index = coin(gen) == 0 ? static_cast<VstInt32>(gen()) : smallIndex(gen);
        VstIntPtr value = coin(gen) == 0 ? static_cast<VstIntPtr>(gen()) : smallIndex(gen);
        const float opt = coin(gen) == 0 ? static_cast<float>(static_cast<int32_t>(gen())) * 1e3f
                                         : static_cast<float>(smallIndex(gen)) * 11025.0f;
        void* ptr = text;
        std::strcpy(text, "receiveVstMidiEvent");
        switch (op) {
        case effEditGetRect:
            ptr = &arrangementOut; // any pointer-sized place will do
            break;
        case effGetChunk:
            ptr = &chunkOut;
            break;
        case effSetChunk:
            for (auto& b : scratch) {
                b = static_cast<unsigned char>(gen());
            }
            ptr = scratch;
            value = static_cast<VstIntPtr>(gen() % sizeof scratch);
            break;
        case effSetSpeakerArrangement:
            arrangement.numChannels = smallIndex(gen);
            value = reinterpret_cast<VstIntPtr>(&arrangement);
            ptr = &arrangement;
            break;
        case effGetSpeakerArrangement:
            value = reinterpret_cast<VstIntPtr>(&arrangementOut);
            ptr = &arrangementOut;
            break;
        case effClose:
            continue; // closing ends the instance; done by the fixture
        default:
            break;
        }
        plugin.dispatch(op, index, value, ptr, opt);
        if (round % 64 == 0) {
            plugin.record->processReplacing(plugin.record, io, io, 64);
            plugin.record->setParameter(plugin.record, smallIndex(gen),
                                        static_cast<float>(smallIndex(gen)) / 4.0f);
        }
    }
    expectSaneState(plugin);
    EXPECT_EQ(plugin.dispatch(effGetVstVersion), 2400);
}
