// The committed images match the editor's catalogue: storage, sizes, frames and transparency.
#include "SkinImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

using namespace skintest;

namespace {

std::uint32_t be32(const unsigned char* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

struct PngLayout {
    std::uint32_t width = 0, height = 0;
    int bitDepth = -1, colourType = -1, interlace = -1;
    bool hasPalette = false, hasTransparency = false;
};

// Walks the chunks of a PNG file as stored.
PngLayout readLayout(const std::vector<unsigned char>& png) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PngLayout out;
    if (png.size() < 33 || std::memcmp(png.data(), kSignature, 8) != 0)
        return out;
    std::size_t pos = 8;
    while (pos + 12 <= png.size()) {
        const std::uint32_t length = be32(&png[pos]);
        const std::string type(reinterpret_cast<const char*>(&png[pos + 4]), 4);
        if (pos + 12 + length > png.size())
            break;
        const unsigned char* data = &png[pos + 8];
        if (type == "IHDR" && length == 13) {
            out.width = be32(data);
            out.height = be32(data + 4);
            out.bitDepth = data[8];
            out.colourType = data[9];
            out.interlace = data[12];
        }
        out.hasPalette |= type == "PLTE";
        out.hasTransparency |= type == "tRNS";
        pos += 12 + length;
    }
    return out;
}

} // namespace

TEST(SkinCatalogue, EveryImageIsStoredAsTheCatalogueSays) {
    for (const CatalogueEntry& e : catalogue()) {
        SCOPED_TRACE(e.file);
        const auto bytes = readFile(e.file);
        const PngLayout layout = readLayout(bytes);
        EXPECT_EQ(layout.width, std::uint32_t(e.width));
        EXPECT_EQ(layout.height, std::uint32_t(e.height));
        EXPECT_EQ(layout.bitDepth, 8);
        EXPECT_EQ(layout.interlace, 0);
        if (e.stored == Stored::Rgba) {
            EXPECT_EQ(layout.colourType, 6);
        } else {
            EXPECT_EQ(layout.colourType, 3);
            EXPECT_TRUE(layout.hasPalette);
            EXPECT_EQ(layout.hasTransparency, e.stored == Stored::PaletteAlpha);
        }

        const Decoded d = decode(bytes);
        EXPECT_EQ(d.width, e.width);
        EXPECT_EQ(d.height, e.height);
        EXPECT_EQ(d.channels, e.stored == Stored::PaletteOpaque ? 3 : 4);
        EXPECT_EQ(d.height % e.frameHeight, 0);
    }
}

TEST(SkinCatalogue, StripsHoldTheirFrameCounts) {
    struct Expect {
        int id, frames;
    };
    for (const Expect x : {Expect{102, 130}, {103, 130}, {202, 130}, {203, 130}, {104, 4}, {105, 3},
                           {106, 2}, {107, 2}, {109, 2}, {209, 2}, {101, 1}, {201, 1}, {108, 1}, {208, 1}}) {
        const auto& e = *std::find_if(catalogue().begin(), catalogue().end(),
                                      [&](const CatalogueEntry& c) { return c.id == x.id; });
        SCOPED_TRACE(e.file);
        EXPECT_EQ(e.height / e.frameHeight, x.frames);
    }
}

TEST(SkinCatalogue, SizeButtonIsInvisibleInBothFrames) {
    const Decoded d = decodeFile("107-size-button.png");
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x)
            ASSERT_EQ(d.at(x, y)[3], 0) << x << "," << y;
}

TEST(SkinCatalogue, LedStripsKeepTheirRightColumnsClearAndLightUpRed) {
    struct Led {
        const char* file;
        int size, clear;
    };
    for (const Led led : {Led{"109-led-small.png", 28, 2}, Led{"209-led-large.png", 40, 3}}) {
        SCOPED_TRACE(led.file);
        const Decoded d = decodeFile(led.file);
        for (int y = 0; y < d.height; ++y)
            for (int x = led.size - led.clear; x < led.size; ++x)
                ASSERT_EQ(d.at(x, y)[3], 0) << x << "," << y;
        // The column just left of the clear ones is where the glow may still reach; the lamp's
        // own centre is opaque in both frames, dark when off and red when lit.
        const int c = led.size / 2;
        const auto* off = d.at(c, c);
        const auto* on = d.at(c, led.size + c);
        EXPECT_EQ(off[3], 255);
        EXPECT_EQ(on[3], 255);
        EXPECT_LT(off[0] + off[1] + off[2], 200);
        EXPECT_GT(on[0], 200);
        EXPECT_LT(on[1], 120);
        // The glow fades out: the frame's corners are clear.
        EXPECT_EQ(d.at(0, 0)[3], 0);
        EXPECT_EQ(d.at(0, led.size + 0)[3], 0);
        EXPECT_EQ(d.at(0, 2 * led.size - 1)[3], 0);
    }
}

TEST(SkinCatalogue, LabelTapeIsOpaqueInTheMiddleAndTornAtTheEnds) {
    for (const char* file : {"108-label-small.png", "208-label-large.png"}) {
        SCOPED_TRACE(file);
        const Decoded d = decodeFile(file);
        const int mid = d.height / 2;
        const auto* centre = d.at(d.width / 4, mid);
        EXPECT_EQ(centre[3], 255);
        EXPECT_NEAR(centre[0], 223, 20);
        EXPECT_NEAR(centre[1], 214, 20);
        EXPECT_NEAR(centre[2], 177, 20);
        for (int x : {0, d.width - 1}) {
            int clear = 0, partial = 0;
            for (int y = 0; y < d.height; ++y) {
                const int a = d.at(x, y)[3];
                clear += a == 0;
                partial += a > 0 && a < 255;
            }
            EXPECT_GT(clear, 0) << "column " << x;
            EXPECT_EQ(partial + clear, d.height) << "column " << x << " must not be solid tape";
        }
        // Some partly transparent fibres just inside each end.
        int frayed = 0;
        for (int y = 0; y < d.height; ++y)
            for (int x : {3, 4, d.width - 5, d.width - 4})
                frayed += d.at(x, y)[3] > 0 && d.at(x, y)[3] < 255;
        EXPECT_GT(frayed, 0);
    }
}

TEST(SkinCatalogue, BackgroundsShowPanelTopBarAndFaces) {
    struct Bg {
        const char* file;
        int width, meterLeft, meterTop, faceX, faceY;
    };
    for (const Bg bg : {Bg{"101-background-small.png", 250, 30, 53, 60, 60},
                        Bg{"201-background-large.png", 340, 30, 60, 70, 100}}) {
        SCOPED_TRACE(bg.file);
        const Decoded d = decodeFile(bg.file);
        for (int x = 0; x < bg.width; ++x) {
            for (int y : {0, 2, 19, 20}) { // the bar above and below its captions
                const auto* p = d.at(x, y);
                ASSERT_LE(p[0] + p[1] + p[2], 30) << x << "," << y;
            }
            const auto* line = d.at(x, 21); // the grey line under the bar
            ASSERT_GT(line[0], 90) << x;
            ASSERT_NEAR(line[0], line[1], 12) << x;
        }
        // Captions REF and MODE are printed left of the two switches.
        auto inked = [&](int x0, int x1) {
            int n = 0;
            for (int y = 4; y < 18; ++y)
                for (int x = x0; x < x1; ++x)
                    n += d.at(x, y)[0] > 100;
            return n;
        };
        EXPECT_GT(inked(0, 26), 10);
        EXPECT_GT(inked(106, 143), 10);
        const auto* panel = d.at(2, 150);
        EXPECT_NEAR(panel[0], 29, 12);
        EXPECT_NEAR(panel[1], 65, 12);
        EXPECT_NEAR(panel[2], 68, 12);
        const auto* face = d.at(bg.meterLeft + bg.faceX, bg.meterTop + bg.faceY);
        EXPECT_NEAR(face[0], 226, 20);
        EXPECT_NEAR(face[1], 188, 20);
        EXPECT_NEAR(face[2], 88, 20);
    }
}
