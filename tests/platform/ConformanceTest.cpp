// Pixel rules that must hold the same on every backend: fills, outlines, lines, clips, copies,
// bitmap blends and keyed copies, the font table and text placement.
#include "LiveObjects.h"
#include "PngMaker.h"
#include "TestPlatform.h"

#include "platform/Graphics.h"
#include "toolkit/CBitmap.h"
#include "toolkit/COffscreenContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace toolkit;

namespace {

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
constexpr CColor kRed{255, 0, 0, 255};
constexpr CColor kGreen{0, 255, 0, 255};
constexpr CColor kGrey{100, 100, 100, 255};

struct Released {
    void operator()(CReferenceCounter* object) const { object->release(); }
};
template <class T> using Ref = std::unique_ptr<T, Released>;

class Conformance : public testsupport::NoLeaks {
protected:
    // Reads a pixel whatever the clip (the platform answers nothing outside the clip).
    uint32_t pixel(CDrawContext& c, int x, int y) {
        CRect saved;
        c.getClipRect(saved);
        c.resetClipRect();
        const uint32_t value = platform::getPixel(c.getSystemContext(), x, y) & 0xFFFFFF;
        c.setClipRect(saved);
        return value;
    }
    // Every pixel of the surface that has the given colour, as a set of points.
    std::vector<CPoint> pixelsOf(CDrawContext& c, int w, int h, uint32_t color) {
        std::vector<CPoint> found;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (pixel(c, x, y) == color) found.push_back({x, y});
        return found;
    }
    testsupport::ImageLibrary library;
};

TEST_F(Conformance, NewOffscreenIsClearedToItsBackgroundAndClippedToItsSize) {
    Ref<COffscreenContext> c(new COffscreenContext(nullptr, 100, 50, kBlackCColor));
    for (auto [x, y] : {std::pair{0, 0}, {99, 0}, {99, 49}, {0, 49}, {50, 25}})
        EXPECT_EQ(pixel(*c, x, y), 0u) << x << "," << y;
    CRect clip;
    EXPECT_EQ(c->getClipRect(clip), CRect(0, 0, 100, 50));
    Ref<COffscreenContext> grey(new COffscreenContext(nullptr, 8, 4, kGrey));
    EXPECT_EQ(pixelsOf(*grey, 8, 4, rgb(100, 100, 100)).size(), 32u);
}

TEST_F(Conformance, FillLeavesOutTopRowAndLeftColumnFrameIsTheOuterRing) {
    Ref<COffscreenContext> c(new COffscreenContext(nullptr, 40, 40, kBlackCColor));
    c->setFillColor(kRed);
    c->fillRect(CRect(10, 10, 20, 20));
    const auto red = pixelsOf(*c, 40, 40, rgb(255, 0, 0));
    ASSERT_EQ(red.size(), 81u);
    for (auto p : red) {
        EXPECT_TRUE(p.x >= 11 && p.x <= 19 && p.y >= 11 && p.y <= 19) << p.x << "," << p.y;
    }

    Ref<COffscreenContext> f(new COffscreenContext(nullptr, 40, 40, kBlackCColor));
    f->setFrameColor(kGreen);
    f->frameRect(CRect(10, 10, 20, 20));
    const auto green = pixelsOf(*f, 40, 40, rgb(0, 255, 0));
    EXPECT_EQ(green.size(), 36u);
    for (auto p : green) {
        const bool onRing = p.x == 10 || p.x == 19 || p.y == 10 || p.y == 19;
        EXPECT_TRUE(onRing && p.x >= 10 && p.x <= 19 && p.y >= 10 && p.y <= 19)
            << p.x << "," << p.y;
    }
}

TEST_F(Conformance, LinesLeaveOutTheirEndPoint) {
    struct Case {
        CPoint from, to;
        std::vector<CPoint> expected;
    };
    const Case cases[] = {
        {{2, 3}, {6, 3}, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        {{4, 1}, {4, 4}, {{4, 1}, {4, 2}, {4, 3}}},
        {{1, 1}, {5, 5}, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
        {{6, 2}, {2, 2}, {{6, 2}, {5, 2}, {4, 2}, {3, 2}}},
        {{3, 3}, {3, 3}, {}},
    };
    for (const Case& k : cases) {
        Ref<COffscreenContext> c(new COffscreenContext(nullptr, 10, 10, kBlackCColor));
        c->setFrameColor(kRed);
        c->moveTo(k.from);
        c->lineTo(k.to);
        auto got = pixelsOf(*c, 10, 10, rgb(255, 0, 0));
        auto expected = k.expected;
        auto order = [](CPoint a, CPoint b) { return a.y != b.y ? a.y < b.y : a.x < b.x; };
        std::sort(got.begin(), got.end(), order);
        std::sort(expected.begin(), expected.end(), order);
        EXPECT_EQ(got, expected) << "line from " << k.from.x << "," << k.from.y;
    }
}

TEST_F(Conformance, ClipAndDrawingOriginLimitAndMoveDrawing) {
    Ref<COffscreenContext> c(new COffscreenContext(nullptr, 40, 40, kBlackCColor));
    c->setFillColor(kRed);
    c->setClipRect(CRect(12, 12, 16, 16));
    c->fillRect(CRect(0, 0, 40, 40));
    const auto red = pixelsOf(*c, 40, 40, rgb(255, 0, 0));
    ASSERT_EQ(red.size(), 16u);
    EXPECT_EQ(red.front(), CPoint(12, 12));
    EXPECT_EQ(red.back(), CPoint(15, 15));

    // After the origin moves, the same caller rectangle is a different clip.
    c->setDrawingOrigin(CPoint(20, 20));
    c->setClipRect(CRect(12, 12, 16, 16));
    CRect clip;
    EXPECT_EQ(c->getClipRect(clip), CRect(12, 12, 16, 16));
    c->setFillColor(kGreen);
    c->fillRect(CRect(0, 0, 40, 40));
    EXPECT_EQ(pixel(*c, 32, 32), rgb(0, 255, 0));
    EXPECT_EQ(pixel(*c, 31, 32), 0u);
    EXPECT_EQ(pixel(*c, 14, 14), rgb(255, 0, 0));
}

TEST_F(Conformance, CopyToMovesABlockToTheDestinationPlusItsOrigin) {
    Ref<COffscreenContext> source(new COffscreenContext(nullptr, 80, 60, kBlackCColor));
    source->setFillColor(kRed);
    source->fillRect(CRect(9, 9, 60, 40)); // red on x, y 10..59 / 10..39
    Ref<COffscreenContext> target(new COffscreenContext(nullptr, 80, 60, kGrey));
    target->setDrawingOrigin(CPoint(2, 3));
    source->copyTo(target.get(), CRect(10, 10, 60, 40), CPoint(10, 10));
    const auto red = pixelsOf(*target, 80, 60, rgb(255, 0, 0));
    ASSERT_EQ(red.size(), 50u * 30u);
    EXPECT_EQ(red.front(), CPoint(12, 13));
    EXPECT_EQ(red.back(), CPoint(61, 42));
    EXPECT_EQ(pixel(*target, 11, 13), rgb(100, 100, 100));
}

// A 4 x 2 RGBA image: opaque red, half-transparent orange, transparent, nearly opaque red; and a
// second row of blue shades.
std::vector<unsigned char> testImage() {
    return testsupport::makePng(4, 2, 4,
                                {255, 0, 0, 255, 200, 100, 50, 128, 10, 20, 30, 0, 255, 0, 0, 254,
                                 0, 0, 255, 255, 0, 0, 255, 64, 0, 0, 0, 255, 255, 255, 255, 255});
}

TEST_F(Conformance, PngPixelsArePremultipliedBgraBottomUp) {
    const auto png = testImage();
    Ref<CBitmap> bitmap(new CBitmap(png.data(), png.size()));
    ASSERT_EQ(bitmap->getWidth(), 4);
    ASSERT_EQ(bitmap->getHeight(), 2);
    EXPECT_FALSE(bitmap->hasNoAlpha());
    const uint8_t* top = bitmap->getPixels() + 4 * 4; // the top image row is the last in memory
    const std::vector<uint8_t> topRow(top, top + 16);
    EXPECT_EQ(topRow, (std::vector<uint8_t>{0, 0, 255, 255, 25, 50, 100, 128, 0, 0, 0, 0, 0, 0,
                                            253, 254}));
}

TEST_F(Conformance, BlendedDrawIsSourceOverOnBothBackends) {
    const auto png = testImage();
    Ref<CBitmap> bitmap(new CBitmap(png.data(), png.size()));
    Ref<COffscreenContext> c(new COffscreenContext(nullptr, 20, 10, kGrey));
    bitmap->draw(c.get(), CRect(5, 5, 9, 7));
    auto over = [](uint32_t s, uint32_t sa, uint32_t d) { return s + (d * (255 - sa) + 127) / 255; };
    // The image is upright: its top-left pixel lands on the rectangle's top-left corner.
    EXPECT_EQ(pixel(*c, 5, 5), rgb(255, 0, 0));
    EXPECT_EQ(pixel(*c, 6, 5), rgb(over(100, 128, 100), over(50, 128, 100), over(25, 128, 100)));
    EXPECT_EQ(pixel(*c, 7, 5), rgb(100, 100, 100));
    EXPECT_EQ(pixel(*c, 8, 5), rgb(over(253, 254, 100), over(0, 254, 100), over(0, 254, 100)));
    EXPECT_EQ(pixel(*c, 5, 6), rgb(0, 0, 255));
    EXPECT_EQ(pixel(*c, 6, 6), rgb(over(0, 64, 100), over(0, 64, 100), over(63, 64, 100)));
    EXPECT_EQ(pixel(*c, 9, 5), rgb(100, 100, 100)); // outside the block

    // drawWithTransparency of an image with alpha is the same blend.
    Ref<COffscreenContext> t(new COffscreenContext(nullptr, 20, 10, kGrey));
    bitmap->drawWithTransparency(t.get(), CRect(5, 5, 9, 7));
    for (int x = 5; x < 9; ++x) EXPECT_EQ(pixel(*t, x, 5), pixel(*c, x, 5));

    // A constant alpha scales the whole source first.
    Ref<COffscreenContext> half(new COffscreenContext(nullptr, 20, 10, kBlackCColor));
    bitmap->drawBlended(half.get(), CRect(0, 0, 1, 1), CPoint(0, 1), 128);
    EXPECT_EQ(pixel(*half, 0, 0), rgb(0, 0, 128));
}

TEST_F(Conformance, FilmStripFrameIsSelectedBySourceOffset) {
    // Four frames of 2 x 2 pixels, frame n filled with grey level 50 * (n + 1).
    std::vector<unsigned char> samples;
    for (int frame = 0; frame < 4; ++frame)
        for (int i = 0; i < 4; ++i)
            samples.insert(samples.end(), {(unsigned char)(50 * (frame + 1)),
                                           (unsigned char)(50 * (frame + 1)), 0});
    const auto png = testsupport::makePng(2, 8, 3, samples);
    Ref<CBitmap> strip(new CBitmap(png.data(), png.size()));
    EXPECT_FALSE(strip->hasNoAlpha()); // three channels still draw by blending, opaque
    Ref<COffscreenContext> c(new COffscreenContext(nullptr, 4, 4, kBlackCColor));
    strip->draw(c.get(), CRect(1, 1, 3, 3), CPoint(0, 3 * 2));
    EXPECT_EQ(pixel(*c, 1, 1), rgb(200, 200, 0));
    EXPECT_EQ(pixel(*c, 2, 2), rgb(200, 200, 0));
    EXPECT_EQ(pixel(*c, 0, 0), 0u);
    EXPECT_EQ(pixel(*c, 3, 3), 0u);
}

TEST_F(Conformance, KeyedCopyLeavesOutTheKeyColour) {
    uint8_t* bits = nullptr;
    platform::Object dib = platform::createDib32(3, 1, &bits);
    ASSERT_TRUE(dib);
    const uint8_t row[12] = {0, 0, 255, 255, 255, 255, 255, 255, 0, 255, 0, 255}; // red, white, green
    std::copy(row, row + 12, bits);
    Ref<COffscreenContext> c(new COffscreenContext(nullptr, 6, 3, kGrey));
    platform::drawBitmapKeyed(c->getSystemContext(), 1, 1, 3, 1, dib, 0, 0, rgb(255, 255, 255));
    EXPECT_EQ(pixel(*c, 1, 1), rgb(255, 0, 0));
    EXPECT_EQ(pixel(*c, 2, 1), rgb(100, 100, 100));
    EXPECT_EQ(pixel(*c, 3, 1), rgb(0, 255, 0));
    platform::Object copy = dib;
    platform::drawBitmapCopy(c->getSystemContext(), 1, 2, 3, 1, copy, 0, 0);
    EXPECT_EQ(pixel(*c, 2, 2), rgb(255, 255, 255));
    platform::deleteObject(dib);
}

// The bounding box of every pixel that is not the background, and the colour of its brightest.
struct Ink {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    uint32_t brightest = 0;
    int count = 0;
};

Ink inkOf(CDrawContext& c, int w, int h, uint32_t background) {
    Ink ink;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = platform::getPixel(c.getSystemContext(), x, y) & 0xFFFFFF;
            if (p == background) continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ink.count++;
            if ((p & 0xFF) + ((p >> 8) & 0xFF) + (p >> 16) >
                (ink.brightest & 0xFF) + ((ink.brightest >> 8) & 0xFF) + (ink.brightest >> 16))
                ink.brightest = p;
        }
    return ink;
}

TEST_F(Conformance, TextIsPlacedByAlignmentAndCentredVertically) {
    struct Case {
        int32_t alignment;
        int expectLeft, expectRight; // -1: not checked
    };
    const CRect box(10, 4, 110, 34);
    const Case cases[] = {{AlignLeft, 11, -1}, {5, 11, -1}, {AlignRight, -1, 109}, {AlignCenter, -1, -1}};
    int centredMiddle = 0;
    for (const Case& k : cases) {
        Ref<COffscreenContext> c(new COffscreenContext(nullptr, 120, 40, kBlackCColor));
        c->setFontColor(kRed);
        c->setFont(2);
        c->drawText("HIH", box, false, k.alignment);
        const Ink ink = inkOf(*c, 120, 40, 0);
        ASSERT_GT(ink.count, 20) << "alignment " << k.alignment;
        EXPECT_EQ(ink.brightest, rgb(255, 0, 0));
        // Capital letters start within two pixels of the pen position.
        if (k.expectLeft >= 0) {
            EXPECT_NEAR(ink.left, k.expectLeft + 1, 2) << k.alignment;
        }
        if (k.expectRight >= 0) {
            // The last glyph's right side bearing may leave a few pixels free.
            EXPECT_LE(ink.right, k.expectRight - 1) << k.alignment;
            EXPECT_GE(ink.right, k.expectRight - 5) << k.alignment;
        }
        if (k.alignment == AlignCenter) centredMiddle = (ink.left + ink.right) / 2;
        // Capitals sit a little above the cell's middle; the cell is centred in the box.
        EXPECT_NEAR((ink.top + ink.bottom) / 2, (box.top + box.bottom) / 2, 3) << k.alignment;
        EXPECT_GE(ink.top, box.top);
        EXPECT_LE(ink.bottom, box.bottom);
    }
    EXPECT_NEAR(centredMiddle, 60, 2);
}

TEST_F(Conformance, TextIsCutOffAtTheRectangle) {
    Ref<COffscreenContext> c(new COffscreenContext(nullptr, 60, 30, kBlackCColor));
    c->setFontColor(kWhiteCColor);
    c->drawText("MMMMMMMMMMMM", CRect(10, 5, 30, 25), false, AlignLeft);
    const Ink ink = inkOf(*c, 60, 30, 0);
    ASSERT_GT(ink.count, 0);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 29);
}

TEST_F(Conformance, OpaqueTextPaintsItsCellInTheFillColourThenTransparencyReturns) {
    Ref<COffscreenContext> c(new COffscreenContext(nullptr, 80, 30, kBlackCColor));
    c->setFontColor(kWhiteCColor);
    c->setFillColor(CColor{0, 0, 255, 255});
    c->drawText("Ab", CRect(0, 0, 80, 30), true, AlignCenter);
    EXPECT_FALSE(pixelsOf(*c, 80, 30, rgb(0, 0, 255)).empty());
    EXPECT_EQ(pixel(*c, 2, 15), 0u); // outside the text cell
    // The surface is back in transparent mode: text drawn directly paints no cell.
    Ref<COffscreenContext> d(new COffscreenContext(nullptr, 80, 30, kBlackCColor));
    d->setFillColor(CColor{0, 0, 255, 255});
    d->drawText("Ab", CRect(0, 0, 80, 30), true, AlignCenter);
    d->setFillColor(kBlackCColor);
    d->fillRect(CRect(-1, -1, 80, 30));
    d->setFillColor(CColor{0, 0, 255, 255});
    platform::drawText(d->getSystemContext(), "Zz", {0, 0, 80, 30}, platform::TextAlign::Left);
    EXPECT_TRUE(pixelsOf(*d, 80, 30, rgb(0, 0, 255)).empty());
    EXPECT_FALSE(pixelsOf(*d, 80, 30, rgb(255, 255, 255)).empty());
}

TEST_F(Conformance, FontTableDecidesHeightAndFontZeroIsBold) {
    auto measure = [](int32_t id, int32_t size, int32_t style, int32_t* selected = nullptr,
                      int32_t* height = nullptr) {
        Ref<COffscreenContext> c(new COffscreenContext(nullptr, 200, 40, kBlackCColor));
        c->setFontColor(kWhiteCColor);
        c->setFont(id, size, style);
        if (selected) *selected = c->getFont();
        if (height) *height = c->getFontSize();
        c->drawText("MWMWMW", CRect(0, 0, 200, 40), false, AlignLeft);
        Ink ink;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x)
                if ((platform::getPixel(c->getSystemContext(), x, y) & 0xFFFFFF) != 0) {
                    ink.left = std::min(ink.left, x);
                    ink.right = std::max(ink.right, x);
                    ink.top = std::min(ink.top, y);
                    ink.bottom = std::max(ink.bottom, y);
                    ink.count++;
                }
        return ink;
    };
    int32_t id = -2, height = 0;
    const Ink bold0 = measure(0, 0, 0);
    const Ink plain3 = measure(3, 0, 0);
    EXPECT_GT(bold0.count, plain3.count + plain3.count / 8) << "font 0 is bold without a style";
    for (int32_t outOfRange : {-1, 9}) {
        const Ink ink = measure(outOfRange, 0, 0, &id, &height);
        EXPECT_EQ(id, 0);
        EXPECT_EQ(height, 12);
        EXPECT_EQ(ink.count, bold0.count);
    }
    const Ink big = measure(3, 40, 0, &id, &height);
    EXPECT_EQ(height, 12);
    EXPECT_EQ(big.count, plain3.count);
    const Ink large = measure(1, 0, 0);
    EXPECT_GT(large.bottom - large.top, plain3.bottom - plain3.top + 2);
    const Ink boldStyle3 = measure(3, 0, kFontBold);
    EXPECT_GT(boldStyle3.count, plain3.count);
}

} // namespace

namespace {

// Without the image library (no frame holds it) keyed copies fall back to the mask method and
// blends draw nothing, on every backend alike.
class WithoutImageLibrary : public testsupport::NoLeaks {};

TEST_F(WithoutImageLibrary, KeyedCopiesStillWorkAndBlendsDrawNothing) {
    ASSERT_FALSE(platform::transparentBltAvailable());
    ASSERT_FALSE(platform::alphaBlendAvailable());
    uint8_t* bits = nullptr;
    platform::Object dib = platform::createDib32(3, 2, &bits);
    ASSERT_TRUE(dib);
    // Key pixels with either value of the unused fourth byte are left out.
    const uint8_t rows[24] = {0, 0, 255, 255, 255, 255, 255, 0, 0, 255, 0, 255,
                              255, 255, 255, 255, 9, 9, 9, 255, 255, 255, 255, 0};
    std::copy(rows, rows + 24, bits);
    auto* c = new COffscreenContext(nullptr, 6, 4, kGrey);
    platform::drawBitmapKeyed(c->getSystemContext(), 1, 1, 3, 2, dib, 0, 0, rgb(255, 255, 255));
    auto at = [&](int x, int y) { return platform::getPixel(c->getSystemContext(), x, y) & 0xFFFFFF; };
    // Bottom-up rows: the second memory row is the top image row.
    EXPECT_EQ(at(1, 1), rgb(100, 100, 100));
    EXPECT_EQ(at(2, 1), rgb(9, 9, 9));
    EXPECT_EQ(at(3, 1), rgb(100, 100, 100));
    EXPECT_EQ(at(1, 2), rgb(255, 0, 0));
    EXPECT_EQ(at(2, 2), rgb(100, 100, 100));
    EXPECT_EQ(at(3, 2), rgb(0, 255, 0));
    platform::deleteObject(dib);

    const auto png = testsupport::makePng(1, 1, 3, {255, 0, 0});
    auto* bitmap = new CBitmap(png.data(), png.size());
    bitmap->draw(c, CRect(0, 0, 1, 1));
    EXPECT_EQ(at(0, 0), rgb(100, 100, 100));
    bitmap->release();
    c->release();
}

} // namespace
