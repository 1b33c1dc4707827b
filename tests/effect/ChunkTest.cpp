#include "ChunkBuilder.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using testhost::floatAt;
using testhost::floatChunk;
using testhost::Instance;
using testhost::labelledChunk;

namespace {

std::vector<float> values(Instance& plugin) {
    std::vector<float> v;
    for (VstInt32 i = 0; i < 4; ++i) {
        v.push_back(plugin.effect().getParameter(i));
    }
    return v;
}

} // namespace

TEST(Chunk, NewInstanceGivesTheParameterOnlyForm) {
    Instance plugin;
    EXPECT_EQ(plugin.chunk(), floatChunk({0.625f, 0.5f, 0.0f, 0.0f}));
    EXPECT_EQ(plugin.chunk(true), plugin.chunk(false));
}

TEST(Chunk, LabelGivesTheLabelledForm) {
    Instance plugin;
    plugin.effect().storeLabelText("abc");
    const auto bytes = plugin.chunk();
    EXPECT_EQ(bytes, labelledChunk("abc", 0.625f, 0.5f, 0.0f, 0.0f));
    EXPECT_EQ(bytes.size(), 24u);
    EXPECT_EQ(floatAt(bytes, 0), 4.0f);
    EXPECT_EQ(plugin.chunk(true), bytes);
}

TEST(Chunk, LongestLabel) {
    Instance plugin;
    const std::string text(255, 'w');
    plugin.effect().storeLabelText((text + "cut").c_str());
    const auto bytes = plugin.chunk();
    EXPECT_EQ(bytes.size(), 276u);
    EXPECT_EQ(floatAt(bytes, 0), 256.0f);
    EXPECT_EQ(bytes.back(), 0);
    Instance other;
    other.loadChunk(bytes);
    EXPECT_EQ(std::string(other.effect().getLabelText().data()), text);
    EXPECT_EQ(other.chunk(), bytes);
}

TEST(Chunk, LabelledChunkRoundTrips) {
    Instance plugin;
    const auto chunk = labelledChunk("abc", 0.625f, 0.5f, 0.0f, 0.0f);
    plugin.loadChunk(chunk);
    EXPECT_STREQ(plugin.effect().getLabelText().data(), "abc");
    EXPECT_EQ(values(plugin), (std::vector<float>{0.625f, 0.5f, 0.0f, 0.0f}));
    EXPECT_EQ(plugin.chunk(), chunk);
}

TEST(Chunk, ParameterOnlyChunkAppliesValuesAndKeepsTheLabel) {
    Instance plugin;
    plugin.effect().storeLabelText("keep");
    plugin.openEditor();
    plugin.loadChunk(floatChunk({1.0f, 0.0f, 1.0f, 1.0f}));
    EXPECT_EQ(values(plugin), (std::vector<float>{1.0f, 0.0f, 1.0f, 1.0f}));
    EXPECT_STREQ(plugin.effect().getLabelText().data(), "keep");
    // Applied: reference -20 dB, hold needle on, large editor.
    const double zeroMark = plugin.gui().meterAt(0)->measuring().threshold(7);
    EXPECT_NEAR(20.0 * std::log10(zeroMark), -20.0 - 5.0 / 6.0, 1e-9);
    EXPECT_TRUE(plugin.holdNeedleShown());
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    EXPECT_EQ(rect->right, 340);
    EXPECT_EQ(rect->bottom, 400);
    EXPECT_EQ(plugin.controlValue(3), 1.0f);
}

TEST(Chunk, ValuesOutsideTheRangeAreClamped) {
    struct Case {
        std::vector<unsigned char> chunk;
        std::vector<float> stored;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {floatChunk({-0.5f, 7.0f, 0.25f, 1.0f}), {0.0f, 1.0f, 0.25f, 1.0f}},
        {labelledChunk("x", -0.5f, 7.0f, 0.0f, 0.0f), {0.0f, 1.0f, 0.0f, 0.0f}},
        // Not a number keeps the value that was there.
        {floatChunk({nan, 0.0f, 0.0f, 0.0f}), {0.625f, 0.0f, 0.0f, 0.0f}},
        {labelledChunk("x", 0.1f, nan, 0.0f, 0.0f), {0.1f, 0.5f, 0.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        Instance plugin;
        plugin.loadChunk(c.chunk);
        EXPECT_EQ(values(plugin), c.stored);
    }
}

TEST(Chunk, FirstFloatDecidesTheForm) {
    Instance plugin;
    plugin.effect().storeLabelText("old");
    // Exactly 1.0 at the start: parameter-only.
    plugin.loadChunk(floatChunk({1.0f, 0.25f, 0.0f, 0.0f}));
    EXPECT_EQ(values(plugin), (std::vector<float>{1.0f, 0.25f, 0.0f, 0.0f}));
    EXPECT_STREQ(plugin.effect().getLabelText().data(), "old");
}

TEST(Chunk, ShortAndBrokenChunksStayInBoundsAndTerminated) {
    struct Case {
        const char* what;
        std::vector<unsigned char> chunk;
        const char* label;
        float headroom;
    };
    auto truncated = [](std::vector<unsigned char> bytes, std::size_t size) {
        bytes.resize(size);
        return bytes;
    };
    auto unterminated = [](float length, std::size_t textBytes) {
        auto bytes = floatChunk({length, 0.0f, 0.5f, 0.0f, 0.0f});
        bytes.insert(bytes.end(), textBytes, 'z');
        return bytes;
    };
    const Case cases[] = {
        {"empty", {}, "old", 0.625f},
        {"three bytes", {1, 2, 3}, "old", 0.625f},
        {"param-only, 12 bytes", floatChunk({0.1f, 0.1f, 0.1f}), "old", 0.625f},
        {"labelled header cut", truncated(labelledChunk("abc", 0.1f, 0, 0, 0), 19), "old", 0.625f},
        {"text cut", truncated(labelledChunk("abcdef", 0.1f, 0, 0, 0), 23), "abc", 0.1f},
        {"length beyond chunk", unterminated(200.0f, 10), "zzzzzzzzzz", 0.0f},
        {"length beyond label", unterminated(1e30f, 300), nullptr, 0.0f},
        {"infinite length", unterminated(std::numeric_limits<float>::infinity(), 3), "zzz", 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Instance plugin;
        plugin.effect().storeLabelText("old");
        std::vector<unsigned char> exact = c.chunk; // sized exactly, so ASan sees any overread
        plugin.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(exact.size()),
                        exact.empty() ? nullptr : exact.data());
        const std::string label = plugin.effect().getLabelText().data();
        if (c.label != nullptr) {
            EXPECT_EQ(label, c.label);
        } else {
            EXPECT_EQ(label, std::string(255, 'z'));
        }
        EXPECT_EQ(plugin.effect().getParameter(0), c.headroom);
    }
}

TEST(Chunk, OpenEditorFollowsTheLoadedLabel) {
    Instance plugin;
    plugin.openEditor();
    plugin.loadChunk(labelledChunk("live", 0.625f, 0.5f, 0.0f, 0.0f));
    EXPECT_EQ(plugin.shownLabel(), "live");
    plugin.closeEditor();
    plugin.loadChunk(labelledChunk("later", 0.625f, 0.5f, 0.0f, 0.0f));
    EXPECT_EQ(plugin.gui().userLabel(), nullptr) << "closed: nothing shown";
    plugin.openEditor();
    EXPECT_EQ(plugin.shownLabel(), "later");
}

TEST(Chunk, NullArgumentsAreHarmless) {
    Instance plugin;
    EXPECT_EQ(plugin.dispatch(effGetChunk, 0, 0, nullptr), 0);
    EXPECT_EQ(plugin.dispatch(effSetChunk, 0, 16, nullptr), 0);
    unsigned char bytes[4] = {};
    EXPECT_EQ(plugin.dispatch(effSetChunk, 0, -4, bytes), 0);
    EXPECT_EQ(plugin.chunk(), floatChunk({0.625f, 0.5f, 0.0f, 0.0f}));
}
