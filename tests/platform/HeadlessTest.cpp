// What only the headless backend can show: the graphics objects a context makes and frees, the
// mouse state with swapped buttons, the scripted mouse and the virtual clock.
#include "LiveObjects.h"

#include "platform/Input.h"
#include "platform/headless/Headless.h"
#include "toolkit/CFrame.h"
#include "toolkit/COffscreenContext.h"
#include "toolkit/MouseState.h"

#include <gtest/gtest.h>

using namespace toolkit;
namespace headless = platform::headless;

namespace {

class Headless : public testsupport::NoLeaks {
protected:
    void SetUp() override {
        NoLeaks::SetUp();
        objects = headless::liveGraphicsObjects();
    }
    void TearDown() override {
        EXPECT_EQ(headless::liveGraphicsObjects(), objects) << "graphics objects leaked";
        NoLeaks::TearDown();
    }
    static int made(platform::ObjectKind kind) { return headless::graphicsObjectsCreated(kind); }
    int objects = 0;
};

TEST_F(Headless, SettersMakeObjectsOnlyForChangesAndTheContextFreesThem) {
    using K = platform::ObjectKind;
    auto* c = new COffscreenContext(nullptr, 10, 10, kBlackCColor);
    struct Step {
        const char* what;
        void (*act)(CDrawContext*);
        int pens, brushes, fonts;
    };
    const Step steps[] = {
        {"same frame colour twice", [](CDrawContext* d) {
             d->setFrameColor(kRedCColor);
             d->setFrameColor(kRedCColor);
         }, 1, 0, 0},
        {"alpha only", [](CDrawContext* d) { d->setFrameColor(CColor{255, 0, 0, 10}); }, 1, 0, 0},
        {"same fill colour", [](CDrawContext* d) { d->setFillColor(kBlackCColor); }, 0, 0, 0},
        {"new fill colour", [](CDrawContext* d) { d->setFillColor(kRedCColor); }, 0, 1, 0},
        {"font 3 then italic", [](CDrawContext* d) {
             d->setFont(3);
             d->setFont(3, 0, kFontItalic);
         }, 0, 0, 2},
        {"font 3 italic again, other size", [](CDrawContext* d) { d->setFont(3, 40, kFontItalic); },
         0, 0, 0},
        {"line width unchanged", [](CDrawContext* d) { d->setLineWidth(1); }, 0, 0, 0},
    };
    for (const Step& s : steps) {
        const int pens = made(K::Pen), brushes = made(K::Brush), fonts = made(K::Font);
        s.act(c);
        EXPECT_EQ(made(K::Pen) - pens, s.pens) << s.what;
        EXPECT_EQ(made(K::Brush) - brushes, s.brushes) << s.what;
        EXPECT_EQ(made(K::Font) - fonts, s.fonts) << s.what;
    }
    c->release();
}

TEST_F(Headless, ARefusedBrushLeavesTheOldFillInForce) {
    auto* c = new COffscreenContext(nullptr, 10, 10, kBlackCColor);
    c->setFillColor(kRedCColor);
    headless::setBrushCreationRefused(true);
    c->setFillColor(CColor{0, 0, 255, 255});
    headless::setBrushCreationRefused(false);
    c->fillRect(CRect(0, 0, 5, 5));
    EXPECT_EQ(platform::getPixel(c->getSystemContext(), 2, 2) & 0xFFFFFF, 0x0000FFu);
    c->release();
}

TEST_F(Headless, MouseStateFollowsTheSwappedButtonsSetting) {
    struct Case {
        bool swapped;
        platform::RawMouseState raw;
        int32_t expected;
    };
    platform::RawMouseState primary{}, secondary{}, chord{};
    primary.primary = true;
    secondary.secondary = true;
    chord.primary = chord.middle = chord.shift = chord.control = chord.alt = true;
    const Case cases[] = {
        {false, primary, kLeftButton},  {true, primary, kRightButton},
        {false, secondary, kRightButton}, {true, secondary, kLeftButton},
        {false, chord, kLeftButton | kMiddleButton | kShiftModifier | kControlModifier | kAltModifier},
    };
    for (const Case& k : cases) {
        // The flag is read when the first frame window registers the class.
        headless::setSystemSwapsButtons(k.swapped);
        platform::Window host = headless::createWindow(nullptr, 0, 0, 50, 50);
        auto* frame = new CFrame(CRect(0, 0, 50, 50), host, nullptr);
        headless::setMouseState(k.raw);
        EXPECT_EQ(CDrawContext::readMouseState(), k.expected) << k.swapped;
        headless::setMouseState({});
        delete frame;
        headless::destroyWindow(host);
    }
    headless::setSystemSwapsButtons(false);
}

TEST_F(Headless, ScriptedMouseChangesWhenTheVirtualClockPassesIt) {
    headless::setClock(50000);
    platform::RawMouseState held{};
    held.primary = true;
    headless::setMouseState(held);
    headless::scheduleMouseState(50300, {}, 7, 9);
    platform::sleepMs(299);
    EXPECT_TRUE(platform::readRawMouseState().primary);
    platform::sleepMs(1);
    EXPECT_FALSE(platform::readRawMouseState().primary);
    int32_t x = 0, y = 0;
    platform::cursorPosition(x, y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 9);
    EXPECT_EQ(platform::tickCount(), 50300u);
}

TEST_F(Headless, AWindowContextOutlivingItsWindowOrAResizeDrawsSafely) {
    platform::Window host = headless::createWindow(nullptr, 0, 0, 60, 40);
    auto* frame = new CFrame(CRect(0, 0, 60, 40), host, nullptr);
    CDrawContext* context = frame->createDrawContext();
    platform::Window window = frame->getSystemWindow();
    frame->setSize(80, 50); // resizes the window under the live context
    context->setFillColor(kRedCColor);
    context->fillRect(CRect(-1, -1, 80, 50));
    EXPECT_EQ(headless::windowPixel(window, 79, 49), 0x0000FFu);
    headless::destroyWindow(host); // and now the window goes away under it
    context->fillRect(CRect(0, 0, 10, 10));
    context->drawText("x", CRect(0, 0, 10, 10));
    context->release();
    delete frame;
}

TEST_F(Headless, AFrameWithoutAParentDrawsOffScreen) {
    auto* frame = new CFrame(CRect(0, 0, 30, 20), nullptr, nullptr);
    EXPECT_EQ(frame->getSystemWindow(), nullptr);
    EXPECT_FALSE(frame->setDropActive(true));
    frame->setBackgroundColor(kRedCColor);
    frame->drawRect(frame->getBackBuffer(), CRect(0, 0, 30, 20));
    EXPECT_EQ(platform::getPixel(frame->getBackBuffer()->getSystemContext(), 5, 5) & 0xFFFFFF,
              0x0000FFu);
    delete frame;
    // A parent that is not one of our windows (a Linux host's own window id) is never used.
    auto* foreign = new CFrame(CRect(0, 0, 30, 20), reinterpret_cast<void*>(0x5a17), nullptr);
    EXPECT_EQ(foreign->getSystemWindow(), nullptr);
    foreign->idle();
    delete foreign;
}

} // namespace
