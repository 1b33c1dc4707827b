// vuhost render against the real plug-in: the frames of a fixed programme at fixed times compared
// with reference pictures (exactly on the headless backend; under Wine, where the window is real
// and the clock too, by size, background and moving needles), the files it writes, the host's
// answers to the editor's resize request, and its errors.
// After a deliberate change of the pictures, RV_UPDATE_GOLDEN=1 (natively) writes the frames as
// the new references into tests/vuhost/golden/; look at every one of them before committing.
#include "AudioFile.h"
#include "ContactSheet.h"
#include "Image.h"
#include "TestSignal.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace vuhost;
using test::runCli;
using test::ScratchDir;

namespace {

const std::string plugin = RV47T_PLUGIN;
const std::filesystem::path goldenDir = GOLDEN_DIR;

// Frames of the programme at 10 frames per second: rest, 0 VU, just after the burst (LED lit, hold
// needle at +3 while the needles fall), 200 ms later (LED still lit), LED dark, hold needle
// dropped.
constexpr int kGoldenFrames[] = {0, 10, 21, 23, 25, 30};
constexpr const char* kSeconds = "3";

struct Layout {
    const char* size;
    int width, height;
    int meterLeft, meterTop, meterRight, meterBottom; // the left meter
    int labelLeft, labelTop, labelRight, labelBottom;
};
constexpr Layout kLayouts[] = {
    {"small", 250, 303, 30, 53, 220, 143, 20, 153, 230, 173},
    {"large", 340, 400, 30, 60, 310, 190, 20, 195, 320, 225},
};

std::string frameFile(const std::string& dir, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04d.png", index);
    return (std::filesystem::path(dir) / name).string();
}

std::string goldenFile(const Layout& layout, int index) {
    char name[48];
    std::snprintf(name, sizeof name, "%s-%04d.png", layout.size, index);
    return (goldenDir / name).string();
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

int channelDistance(std::uint32_t a, std::uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

class Render : public ::testing::Test {
protected:
    // Renders the programme in one size with Hold on and a label restored from a chunk.
    test::CliResult render(const Layout& layout, const std::string& outDir) {
        const std::string wav = scratch.file("programme.wav");
        if (!std::filesystem::exists(wav)) writeAudioFile(wav, TestSignal::programme(48000));
        return runCli({"render", plugin, wav, "--out", outDir, "--fps", "10", "--seconds", kSeconds,
                       "--set", "Hold=1", "--label", "Golden", "--size", layout.size, "--log"});
    }
    ScratchDir scratch;
};

TEST_F(Render, FramesAtFixedTimesMatchTheReferences) {
    const bool update = std::getenv("RV_UPDATE_GOLDEN") != nullptr;
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.size);
        const std::string dir = scratch.file(layout.size);
        const auto r = render(layout, dir);
        ASSERT_EQ(r.code, 0) << r.err;
        for (int index : kGoldenFrames) {
            SCOPED_TRACE(index);
            const Image frame = readPng(frameFile(dir, index));
            if (update) {
                std::filesystem::copy_file(frameFile(dir, index), goldenFile(layout, index),
                                           std::filesystem::copy_options::overwrite_existing);
                continue;
            }
            const Image golden = readPng(goldenFile(layout, index));
            ASSERT_EQ(frame.width, golden.width);
            ASSERT_EQ(frame.height, golden.height);
#if !defined(_WIN32)
            // The headless backend on a virtual clock: every pixel.
            int differing = 0, firstX = -1, firstY = -1;
            for (int y = 0; y < frame.height; ++y)
                for (int x = 0; x < frame.width; ++x)
                    if (frame.at(x, y) != golden.at(x, y) && differing++ == 0) {
                        firstX = x;
                        firstY = y;
                    }
            EXPECT_EQ(differing, 0) << "first at (" << firstX << ", " << firstY << ")";
#else
            // A real window on the real clock, drawn by GDI: the background outside the meters,
            // the LEDs and the label is the skin's, pixel for pixel within a small tolerance.
            int compared = 0, matching = 0;
            for (int y = 0; y < frame.height; ++y)
                for (int x = 0; x < frame.width; ++x) {
                    const bool meterColumn = x >= layout.meterLeft && x < layout.meterRight;
                    const bool inMeters = meterColumn && y >= layout.meterTop &&
                                          y < layout.height - 20 && !(y >= layout.labelTop && y < layout.labelBottom);
                    const bool inLabel = x >= layout.labelLeft && x < layout.labelRight &&
                                         y >= layout.labelTop && y < layout.labelBottom;
                    if (inMeters || inLabel) continue;
                    ++compared;
                    if (channelDistance(frame.at(x, y), golden.at(x, y)) <= 2) ++matching;
                }
            EXPECT_GE(matching, compared * 97 / 100) << matching << " of " << compared;
#endif
        }
        if (update) continue;
        // The needles move: the meter area at 0 VU is not the one at rest.
        const Image rest = readPng(frameFile(dir, 0)), reading = readPng(frameFile(dir, 10));
        int changed = 0;
        for (int y = layout.meterTop; y < layout.meterBottom; ++y)
            for (int x = layout.meterLeft; x < layout.meterRight; ++x)
                if (channelDistance(rest.at(x, y), reading.at(x, y)) > 40) ++changed;
        EXPECT_GT(changed, 100);
    }
    if (update) GTEST_SKIP() << "references written to " << goldenDir.string();
}

TEST_F(Render, WritesEveryFrameASheetAndTheFinalFrameAndResizesTheHostWindow) {
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.size);
        const std::string dir = scratch.file(layout.size);
        const auto r = render(layout, dir);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_TRUE(contains(r.out, "rendered 31 frames of " + std::to_string(layout.width) + " x " +
                                        std::to_string(layout.height) + " at 10 fps"))
            << r.out;
        // The large editor opens small (the plug-in's size before opening) and asks for its new
        // size when Xtnd changes: the host's window follows.
        EXPECT_EQ(contains(r.out, "host: size window 340 x 400"), std::string(layout.size) == "large")
            << r.out;
        EXPECT_FALSE(std::filesystem::exists(frameFile(dir, 31)));
        const Image last = readPng(frameFile(dir, 30));
        EXPECT_EQ(last.width, layout.width);
        EXPECT_EQ(last.height, layout.height);
        EXPECT_EQ(readPng((std::filesystem::path(dir) / "final.png").string()).pixels, last.pixels);
        // All 31 frames at half size, eight to a row, each with its time stamp.
        const Image sheet = readPng((std::filesystem::path(dir) / "contact-sheet.png").string());
        EXPECT_EQ(sheet.width, 6 + ContactSheet::kColumns * (layout.width / 2 + 6));
        EXPECT_EQ(sheet.at(6, 6), readPng(frameFile(dir, 0)).halved().at(0, 0));
    }
}

TEST_F(Render, SilenceWithoutAnInputFileAndBadRequests) {
    const std::string dir = scratch.file("silence");
    auto r = runCli({"render", plugin, "--out", dir, "--fps", "4", "--seconds", "0.5"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "rendered 3 frames of 250 x 303 at 4 fps")) << r.out;

    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"render", plugin}, "render needs --out DIR"},
        {{"render", plugin, "--out", dir, "--size", "huge"}, "--size takes small or large"},
        {{"render", plugin, "--out", dir, "--fps", "0"}, "--fps must be a whole number"},
        {{"render", plugin, "--out", dir, "--seconds", "-1"}, "--seconds must lie from 0 to 3600"},
        {{"render", plugin, "--out", dir, "--label", std::string(256, 'x')}, "at most 255 bytes"},
        {{"render", plugin, "--out", dir, "--set", "Volume=1"}, "no parameter named 'Volume'"},
        {{"render", FIXTURE_PASSTHROUGH, "--out", dir}, "the plug-in has no editor"},
        {{"render", plugin, "a.wav", "b.wav", "--out", dir}, "render takes 1 or 2 file arguments"},
    };
    for (const Case& c : cases) {
        r = runCli(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_TRUE(contains(r.err, c.message)) << r.err;
    }
}

} // namespace
