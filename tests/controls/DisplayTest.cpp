// The value display: its text, box, outline, bevels, shadow, alignment, fonts and clip, drawn
// into memory surfaces of the platform, and the setters that ask for a redraw.
#include "ControlFixtures.h"

#include "platform/Graphics.h"
#include "toolkit/COffscreenContext.h"
#include "toolkit/CParamDisplay.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

using namespace toolkit;
using testsupport::Journal;
using testsupport::JournalBitmap;

namespace {

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
constexpr CColor kBlue{0, 0, 255, 255};
constexpr CColor kGreen{0, 255, 0, 255};
constexpr uint32_t kGreyPixel = rgb(0, 0, 100), kBluePixel = rgb(0, 0, 255),
                   kGreenPixel = rgb(0, 255, 0), kWhitePixel = rgb(255, 255, 255),
                   kRedPixel = rgb(255, 0, 0), kBlackPixel = 0;

// Where the pixels of the text lie. The canvas, the boxes and the outlines have no red: white
// text (even smoothed) has red and green, the red shadow red without green.
struct Ink {
    int count = 0;
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    uint32_t brightest = 0;
};
constexpr uint32_t kTextInk = 1, kShadowInk = 2;

class Displays : public testsupport::NoLeaks {
protected:
    static constexpr int kWidth = 100, kHeight = 30;
    const CRect box{10, 5, 90, 25};

    void SetUp() override {
        NoLeaks::SetUp();
        context = new COffscreenContext(nullptr, kWidth, kHeight, CColor{0, 0, 100, 255});
    }
    void TearDown() override {
        context->release();
        NoLeaks::TearDown();
    }
    uint32_t pixel(int x, int y) {
        return platform::getPixel(context->getSystemContext(), x, y) & 0xFFFFFF;
    }
    Ink inkOf(uint32_t kind) {
        Ink ink;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const uint32_t p = pixel(x, y);
                const bool red = (p & 0xFF) != 0, green = (p & 0xFF00) != 0;
                if (red && (kind == kTextInk ? green : !green)) {
                    if ((p & 0xFF) > (ink.brightest & 0xFF)) ink.brightest = p;
                    ++ink.count;
                    ink.left = std::min(ink.left, x);
                    ink.right = std::max(ink.right, x);
                    ink.top = std::min(ink.top, y);
                    ink.bottom = std::max(ink.bottom, y);
                }
            }
        return ink;
    }
    // A coloured display: blue box, green outline, white text, red shadow.
    CParamDisplay* coloured(int32_t style) {
        auto* d = new CParamDisplay(box, nullptr, style);
        d->setBackColor(kBlue);
        d->setFrameColor(kGreen);
        d->setTransparency(false);
        return d;
    }
    void clear() {
        context->setFillColor(CColor{0, 0, 100, 255});
        context->fillRect(CRect(-1, -1, kWidth, kHeight));
    }

    COffscreenContext* context = nullptr;
    testsupport::ImageLibrary library;
};

TEST_F(Displays, DefaultsShowTheValueCentredInWhiteArialOnABlackBox) {
    auto* d = new CParamDisplay(box);
    EXPECT_EQ(d->getFont(), 3);
    EXPECT_EQ(d->getAlignment(), AlignCenter);
    EXPECT_EQ(d->getFontColor(), kWhiteCColor);
    EXPECT_EQ(d->getBackColor(), kBlackCColor);
    EXPECT_EQ(d->getFrameColor(), kBlackCColor);
    EXPECT_EQ(d->getShadowColor(), kRedCColor);
    EXPECT_TRUE(d->getTextTransparency());
    EXPECT_EQ(d->getListener(), nullptr);
    EXPECT_EQ(d->getTag(), 0);
    EXPECT_TRUE(d->isTypeOf("CParamDisplay"));
    EXPECT_TRUE(d->isTypeOf("CControl"));
    EXPECT_FALSE(d->isTypeOf("CTextEdit"));

    d->setTransparency(false);
    d->setValue(0.5f);
    d->draw(context);
    EXPECT_FALSE(d->isDirty());
    const Ink text = inkOf(kTextInk);
    ASSERT_GT(text.count, 10) << "0.50 in white";
    for (int shift : {0, 8, 16}) EXPECT_GE((text.brightest >> shift) & 0xFF, 0xF0u) << "white";
    EXPECT_NEAR((text.left + text.right) / 2, (box.left + box.right) / 2, 2);
    EXPECT_GE(text.top, box.top);
    EXPECT_LE(text.bottom, box.bottom);
    // Four glyphs of Arial 12: about 20 pixels wide, 9 high.
    EXPECT_NEAR(text.right - text.left, 20, 5);
    EXPECT_NEAR(text.bottom - text.top, 9, 2);
    EXPECT_EQ(pixel(box.left, 15), kBlackPixel) << "black outline";
    EXPECT_EQ(pixel(box.left + 3, box.top + 3), kBlackPixel) << "black box";
    EXPECT_EQ(pixel(box.left - 1, 15), kGreyPixel);
    d->release();
}

TEST_F(Displays, StylesChooseTheBoxOutlineBevelAndText) {
    struct Case {
        const char* name;
        int32_t style;
        uint32_t left, top, right, bottom, topEdge; // column L, row T+1, column R-1, row B-1, row T
        bool text, shadow;
    };
    const int32_t bothBevels = StyleBevelIn | StyleBevelOut;
    const Case cases[] = {
        {"outline", 0, kGreenPixel, kBluePixel, kGreenPixel, kGreenPixel, kGreenPixel, true, false},
        {"no frame", StyleNoFrame, kGreyPixel, kBluePixel, kBluePixel, kBluePixel, kGreyPixel, true, false},
        {"bevel in", StyleBevelIn, kBluePixel, kBluePixel, kGreenPixel, kGreenPixel, kGreyPixel, true, false},
        {"bevel out", StyleBevelOut, kGreenPixel, kGreenPixel, kBluePixel, kBluePixel, kGreyPixel, true, false},
        {"both bevels: sunken", bothBevels, kBluePixel, kBluePixel, kGreenPixel, kGreenPixel, kGreyPixel, true, false},
        {"no text", StyleNoText, kGreenPixel, kBluePixel, kGreenPixel, kGreenPixel, kGreenPixel, false, false},
        {"shadow", StyleShadowText, kGreenPixel, kBluePixel, kGreenPixel, kGreenPixel, kGreenPixel, true, true},
        {"no draw", StyleNoDraw, kGreyPixel, kGreyPixel, kGreyPixel, kGreyPixel, kGreyPixel, false, false},
    };
    for (const Case& k : cases) {
        clear();
        CParamDisplay* d = coloured(k.style);
        d->setValue(0.25f);
        d->draw(context);
        EXPECT_FALSE(d->isDirty()) << k.name;
        const int midY = 15, midX = 12; // away from the text
        EXPECT_EQ(pixel(box.left, midY), k.left) << k.name;
        EXPECT_EQ(pixel(midX, box.top + 1), k.top) << k.name;
        EXPECT_EQ(pixel(box.right - 1, midY), k.right) << k.name;
        EXPECT_EQ(pixel(midX, box.bottom - 1), k.bottom) << k.name;
        EXPECT_EQ(pixel(midX, box.top), k.topEdge) << k.name;
        const Ink text = inkOf(kTextInk);
        const Ink shadow = inkOf(kShadowInk);
        EXPECT_EQ(text.count > 0, k.text) << k.name;
        EXPECT_EQ(shadow.count > 0, k.shadow) << k.name;
        if (k.shadow) {
            // The shadow lies one pixel right and down; the text covers most of it.
            EXPECT_EQ(shadow.right, text.right + 1) << k.name;
            EXPECT_EQ(shadow.bottom, text.bottom + 1) << k.name;
        }
        d->release();
    }
}

TEST_F(Displays, TransparentDisplaysAndBackgroundsLeaveTheBoxToTheBitmap) {
    Journal journal;
    // A transparent display without bitmap draws its text only.
    CParamDisplay* d = coloured(0);
    d->setTransparency(true);
    d->draw(context);
    EXPECT_EQ(pixel(box.left, 15), kGreyPixel);
    EXPECT_EQ(pixel(box.left + 3, box.top + 3), kGreyPixel);
    EXPECT_GT(inkOf(kTextInk).count, 0);
    d->release();

    // A background bitmap is drawn from the background offset, keyed when transparent, and the
    // bitmap handed to drawDisplayText wins over it.
    auto* own = new JournalBitmap(80, 20, journal);
    auto* given = new JournalBitmap(80, 20, journal);
    auto* withBitmap = new CParamDisplay(box, own, 0);
    withBitmap->setBackgroundOffset(CPoint(3, 4));
    withBitmap->draw(context);
    withBitmap->setTransparency(true);
    withBitmap->drawDisplayText(context, "x", given);
    EXPECT_EQ(journal, (Journal{"draw 3,4", "keyed 3,4"}));
    EXPECT_EQ(own->getNbReference(), 2);
    withBitmap->release();
    EXPECT_EQ(own->getNbReference(), 1);
    own->release();
    given->release();
}

struct Calls {
    int plain = 0, withData = 0;
    void* data = nullptr;
    float value = 0;
};
Calls calls;

void plainText(float value, char* text) {
    ++calls.plain;
    calls.value = value;
    std::strcpy(text, "plain");
}
void dataText(float value, char* text, void* data) {
    ++calls.withData;
    calls.value = value;
    calls.data = data;
    // The longest text a conversion may write.
    std::memset(text, 'W', kDisplayTextSize - 1);
    text[kDisplayTextSize - 1] = 0;
}
void emptyText(float, char* text) { text[0] = 0; }

TEST_F(Displays, ConversionFunctionsMakeTheTextAndLongTextsStayInsideTheBox) {
    calls = {};
    CParamDisplay* d = coloured(0);
    d->setValue(0.75f);
    d->setValueToText(plainText);
    d->draw(context);
    EXPECT_EQ(calls.plain, 1);
    EXPECT_EQ(calls.value, 0.75f);

    int marker = 0;
    d->setValueToText(dataText, &marker);
    EXPECT_EQ(d->getUserData(), &marker);
    CRect clipBefore;
    context->getClipRect(clipBefore);
    d->draw(context);
    EXPECT_EQ(calls.withData, 1) << "the function with data takes precedence";
    EXPECT_EQ(calls.plain, 1);
    EXPECT_EQ(calls.data, &marker);
    const Ink text = inkOf(kTextInk);
    ASSERT_GT(text.count, 0);
    EXPECT_GE(text.left, box.left);
    EXPECT_LT(text.right, box.right) << "cut off at the box";
    CRect clipAfter;
    EXPECT_EQ(context->getClipRect(clipAfter), clipBefore) << "the old clip comes back";

    // An old clip narrower than the box bounds the text too.
    clear();
    context->setClipRect(CRect(0, 0, 40, kHeight));
    d->draw(context);
    EXPECT_EQ(context->getClipRect(clipAfter), CRect(0, 0, 40, kHeight));
    context->resetClipRect(); // the platform answers nothing outside the clip
    EXPECT_LT(inkOf(kTextInk).right, 40);
    d->release();

    clear();
    CParamDisplay* empty = coloured(0);
    empty->setValueToText(emptyText);
    empty->draw(context);
    EXPECT_EQ(inkOf(kTextInk).count, 0) << "no text, box only";
    EXPECT_EQ(pixel(box.left, 15), kGreenPixel);
    empty->release();

    CParamDisplay* storesOnly = coloured(0);
    auto parse = [](const char*, float* v) { *v = 1.0f; };
    storesOnly->setTextToValue(parse);
    EXPECT_NE(storesOnly->getTextToValue(), nullptr);
    storesOnly->release();
}

TEST_F(Displays, AlignmentFontAndStylePlaceTheText) {
    struct Case {
        const char* name;
        int32_t alignment, font, fontStyle;
    };
    const Case cases[] = {
        {"left", AlignLeft, 3, 0}, {"right", AlignRight, 3, 0}, {"centre", AlignCenter, 3, 0},
        {"big", AlignCenter, 1, 0}, {"small", AlignCenter, 6, 0}, {"bold", AlignCenter, 3, kFontBold},
    };
    Ink ink[6];
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& k = cases[i];
        clear();
        CParamDisplay* d = coloured(StyleNoFrame);
        d->setAlignment(k.alignment);
        d->setFont(k.font);
        d->setFontStyle(k.fontStyle);
        d->setValueToText([](float, char* text) { std::strcpy(text, "HIH"); });
        d->draw(context);
        ink[i] = inkOf(kTextInk);
        ASSERT_GT(ink[i].count, 0) << k.name;
        d->release();
    }
    EXPECT_LE(ink[0].left, box.left + 4) << "left";
    EXPECT_GE(ink[1].right, box.right - 6) << "right";
    EXPECT_NEAR((ink[2].left + ink[2].right) / 2, (box.left + box.right) / 2, 2) << "centre";
    EXPECT_GT(ink[3].bottom - ink[3].top, ink[2].bottom - ink[2].top) << "Arial 18 over 12";
    EXPECT_LT(ink[4].bottom - ink[4].top, ink[2].bottom - ink[2].top) << "Arial 9 under 12";
    EXPECT_GT(ink[5].count, ink[2].count) << "bold strokes are wider";
}

TEST_F(Displays, SettersAskForARedrawOnlyWhenTheLookChanges) {
    CParamDisplay* d = coloured(0);
    struct Case {
        const char* name;
        void (*change)(CParamDisplay*);
        bool dirty;
    };
    const Case cases[] = {
        {"same font", [](CParamDisplay* v) { v->setFont(3); }, false},
        {"font", [](CParamDisplay* v) { v->setFont(1); }, true},
        {"same font colour", [](CParamDisplay* v) { v->setFontColor(kWhiteCColor); }, false},
        {"font colour alpha", [](CParamDisplay* v) { v->setFontColor(CColor{255, 255, 255, 0}); }, true},
        {"same back colour", [](CParamDisplay* v) { v->setBackColor(kBlue); }, false},
        {"back colour", [](CParamDisplay* v) { v->setBackColor(kBlackCColor); }, true},
        {"frame colour", [](CParamDisplay* v) { v->setFrameColor(kBlue); }, true},
        {"same shadow colour", [](CParamDisplay* v) { v->setShadowColor(kRedCColor); }, false},
        {"shadow colour", [](CParamDisplay* v) { v->setShadowColor(kBlue); }, true},
        {"same alignment", [](CParamDisplay* v) { v->setAlignment(AlignCenter); }, false},
        {"alignment", [](CParamDisplay* v) { v->setAlignment(AlignLeft); }, true},
        {"same style", [](CParamDisplay* v) { v->setStyle(0); }, false},
        {"style", [](CParamDisplay* v) { v->setStyle(StyleNoFrame); }, true},
        {"same font style", [](CParamDisplay* v) { v->setFontStyle(0); }, false},
        {"font style", [](CParamDisplay* v) { v->setFontStyle(kFontItalic); }, true},
        {"conversion", [](CParamDisplay* v) { v->setValueToText(plainText); }, false},
        {"conversion with data", [](CParamDisplay* v) { v->setValueToText(dataText, nullptr); }, false},
        {"transparency of the text", [](CParamDisplay* v) { v->setTextTransparency(false); }, false},
    };
    for (const Case& k : cases) {
        delete d;
        d = coloured(0);
        d->setDirty(false);
        k.change(d);
        EXPECT_EQ(d->isDirty(), k.dirty) << k.name;
    }
    EXPECT_FALSE(d->getTextTransparency());
    d->release();
}

} // namespace
