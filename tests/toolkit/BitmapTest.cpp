// Loading bitmaps: channel conversion, palettes, resource ids, failures, and drawing edge cases.
#include "LiveObjects.h"
#include "PngMaker.h"
#include "TestPlatform.h"

#include "toolkit/CBitmap.h"
#include "toolkit/COffscreenContext.h"

#include <gtest/gtest.h>

#include <string>

using namespace toolkit;

namespace {

class Bitmaps : public testsupport::NoLeaks {
protected:
    uint32_t pixel(CDrawContext* c, int x, int y) {
        return platform::getPixel(c->getSystemContext(), x, y) & 0xFFFFFF;
    }
    // The first pixel of the top image row as blue, green, red, alpha.
    std::vector<uint8_t> topLeft(const CBitmap& b) {
        const uint8_t* p = b.getPixels() + size_t(b.getHeight() - 1) * size_t(b.getWidth()) * 4;
        return {p[0], p[1], p[2], p[3]};
    }
    testsupport::ImageLibrary library;
};

TEST_F(Bitmaps, ChannelsAndPalettesConvertToPremultipliedBgra) {
    struct Case {
        const char* what;
        std::vector<unsigned char> png;
        std::vector<uint8_t> expected;
    };
    const Case cases[] = {
        {"rgba", testsupport::makePng(1, 1, 4, {200, 100, 50, 128}), {25, 50, 100, 128}},
        {"opaque rgba unchanged", testsupport::makePng(1, 1, 4, {7, 8, 9, 255}), {9, 8, 7, 255}},
        {"alpha zero", testsupport::makePng(1, 1, 4, {70, 80, 90, 0}), {0, 0, 0, 0}},
        {"rgb", testsupport::makePng(1, 1, 3, {10, 20, 30}), {30, 20, 10, 255}},
        {"palette", testsupport::makePalettePng(1, 1, {10, 20, 30}, {}, {0}), {30, 20, 10, 255}},
        {"palette with transparency",
         testsupport::makePalettePng(1, 1, {200, 100, 50}, {128}, {0}), {25, 50, 100, 128}},
        {"grey widened", testsupport::makePng(1, 1, 1, {77}), {77, 77, 77, 255}},
    };
    for (const Case& k : cases) {
        auto* b = new CBitmap(k.png.data(), k.png.size());
        ASSERT_TRUE(b->isLoaded()) << k.what;
        EXPECT_FALSE(b->hasNoAlpha()) << k.what;
        EXPECT_EQ(topLeft(*b), k.expected) << k.what;
        b->release();
    }
}

TEST_F(Bitmaps, FailedLoadsLeaveAnEmptyBitmapThatDrawsNothing) {
    const std::string garbage = "\x89PNG not really";
    auto* bad = new CBitmap(reinterpret_cast<const unsigned char*>(garbage.data()), garbage.size());
    EXPECT_FALSE(bad->isLoaded());
    EXPECT_EQ(bad->getWidth(), 0);
    auto* missing = new CBitmap(4242);
    EXPECT_FALSE(missing->isLoaded());
    auto* c = new COffscreenContext(nullptr, 4, 4, kBlackCColor);
    for (CBitmap* b : {bad, missing}) {
        b->draw(c, CRect(0, 0, 4, 4));
        b->drawWithTransparency(c, CRect(0, 0, 4, 4));
        b->drawBlended(c, CRect(0, 0, 4, 4), CPoint(), 200);
    }
    EXPECT_EQ(pixel(c, 1, 1), 0u);
    // Loading from a file is not supported: it empties a loaded bitmap.
    const auto png = testsupport::makePng(2, 2, 3, std::vector<unsigned char>(12, 255));
    auto* loaded = new CBitmap(png.data(), png.size());
    EXPECT_FALSE(loaded->loadFromFile("image.png"));
    EXPECT_FALSE(loaded->isLoaded());
    EXPECT_EQ(loaded->getWidth(), 0);
    for (CReferenceCounter* o : std::initializer_list<CReferenceCounter*>{bad, missing, c, loaded})
        o->release();
}

TEST_F(Bitmaps, ASourceBlockOutsideTheBitmapIsCutOff) {
    const auto png = testsupport::makePng(2, 2, 3, std::vector<unsigned char>(12, 255));
    auto* b = new CBitmap(png.data(), png.size());
    auto* c = new COffscreenContext(nullptr, 8, 8, kBlackCColor);
    b->draw(c, CRect(2, 2, 8, 8), CPoint(1, 1)); // only one source pixel exists there
    EXPECT_EQ(pixel(c, 2, 2), 0xFFFFFFu);
    EXPECT_EQ(pixel(c, 3, 2), 0u);
    EXPECT_EQ(pixel(c, 2, 3), 0u);
    b->draw(c, CRect(5, 5, 7, 7), CPoint(-1, -1)); // the block starts before the bitmap
    EXPECT_EQ(pixel(c, 5, 5), 0u);
    EXPECT_EQ(pixel(c, 6, 6), 0xFFFFFFu);
    b->release();
    c->release();
}

TEST_F(Bitmaps, ResourceLookupUsesTheLow16BitsOfTheId) {
    auto* b = new CBitmap(0x70000 + 101); // the small background
    EXPECT_TRUE(b->isLoaded());
    EXPECT_EQ(b->getWidth(), 250);
    EXPECT_EQ(b->getHeight(), 303);
    EXPECT_EQ(b->getResourceId(), 0x70000 + 101);
    EXPECT_EQ(b->getTransparentColor(), kTransparentCColor);
    EXPECT_TRUE(b->loadFromResource(109));
    EXPECT_EQ(b->getWidth(), 28);
    EXPECT_FALSE(b->loadFromResource(999));
    EXPECT_FALSE(b->isLoaded());
    b->release();
}

} // namespace

namespace {

// Damaged image data must give an empty or a valid bitmap, never a crash or a stray write
// (AddressSanitizer watches the native runs).
TEST_F(Bitmaps, DamagedPngBytesAreRejectedSafely) {
    std::vector<unsigned char> samples;
    for (int i = 0; i < 8 * 6; ++i)
        samples.insert(samples.end(), {(unsigned char)(i * 5), (unsigned char)(i * 3), 7,
                                       (unsigned char)(i * 11)});
    const auto good = testsupport::makePng(8, 6, 4, samples);
    const auto palette = testsupport::makePalettePng(3, 2, {1, 2, 3, 4, 5, 6}, {9}, {0, 1, 0, 1, 1, 0});
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    auto* target = new COffscreenContext(nullptr, 16, 16, kBlackCColor);
    int loaded = 0;
    for (const auto* original : {&good, &palette}) {
        for (int round = 0; round < 600; ++round) {
            std::vector<unsigned char> bytes = *original;
            const int changes = 1 + int(next() % 4);
            for (int c = 0; c < changes; ++c) {
                const size_t at = next() % bytes.size();
                switch (next() % 3) {
                case 0: bytes[at] = (unsigned char)next(); break;
                case 1: bytes[at] ^= (unsigned char)(1u << (next() % 8)); break;
                default: bytes.resize(at + 1); break; // cut short
                }
            }
            auto* b = new CBitmap(bytes.data(), bytes.size());
            if (b->isLoaded()) {
                ++loaded;
                EXPECT_GT(b->getWidth(), 0);
                b->draw(target, CRect(0, 0, 16, 16));
            } else {
                EXPECT_EQ(b->getWidth(), 0);
            }
            b->release();
        }
    }
    EXPECT_GT(loaded, 0) << "some damage (in ancillary bytes) still decodes";
    target->release();
}

} // namespace
