// The frame in a real window (Win32 under Wine, or a headless virtual one): the redraw cycle,
// input routing, focus, resizing, the window class, painting, the wheel, the host window going
// away first and drags.
#include "Fixtures.h"
#include "LiveObjects.h"
#include "TestPlatform.h"

#include "platform/Window.h"
#include "toolkit/CFrame.h"
#include "toolkit/CNativeEditColors.h"
#include "toolkit/COffscreenContext.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace toolkit;
using testsupport::Button;
using testsupport::PaintedControl;

namespace {

constexpr CColor kGreen{0, 255, 0, 255};
constexpr uint32_t kRedPixel = 0x0000FF, kGreenPixel = 0x00FF00;

class Frames : public testsupport::NoLeaks {
protected:
    void SetUp() override {
        NoLeaks::SetUp();
        classUsers = platform::frameWindowClassUseCount();
        host = testsupport::createHostWindow(200, 150);
        frame = new CFrame(CRect(0, 0, 200, 150), host, &editor);
    }
    void TearDown() override {
        delete frame;
        if (host && testsupport::isWindow(host)) testsupport::destroyWindow(host);
        testsupport::pumpMessages();
        EXPECT_EQ(platform::frameWindowClassUseCount(), classUsers);
        NoLeaks::TearDown();
    }
    void* window() { return frame->getSystemWindow(); }
    void firstPaint() { testsupport::repaint(window(), {0, 0, 200, 150}); }
    uint32_t bufferPixel(int x, int y) {
        return platform::getPixel(frame->getBackBuffer()->getSystemContext(), x, y) & 0xFFFFFF;
    }
    PaintedControl* add(const CRect& r, CColor c, const char* name) {
        auto* control = new PaintedControl(r, c, &log, name);
        frame->addView(control);
        return control;
    }

    testsupport::FakeEditor editor;
    std::vector<std::string> log;
    void* host = nullptr;
    CFrame* frame = nullptr;
    int classUsers = 0;
};

TEST_F(Frames, NoIdleBeforeTheFirstPaintThenThePaintDraws) {
    ASSERT_TRUE(window());
    PaintedControl* a = add(CRect(10, 10, 50, 50), kRedCColor, "a");
    frame->idle();
    EXPECT_EQ(a->draws, 0);
    EXPECT_TRUE(a->isDirty());
    firstPaint();
    EXPECT_FALSE(frame->isFirstDraw());
    EXPECT_GE(a->draws, 1);
    EXPECT_EQ(bufferPixel(20, 20), kRedPixel);
    EXPECT_EQ(testsupport::windowPixel(window(), 20, 20), kRedPixel);
}

TEST_F(Frames, OverlappingDirtyChildrenAreDrawnWholeInOneIdleLaterOnTop) {
    firstPaint();
    PaintedControl* a = add(CRect(10, 10, 60, 60), kRedCColor, "a");
    PaintedControl* b = add(CRect(40, 40, 90, 90), kGreen, "b");
    log.clear();
    frame->idle();
    // a's redraw covers b in part: b stays dirty and is drawn whole when its own turn comes.
    EXPECT_EQ(log, (std::vector<std::string>{"draw a", "draw b", "draw a", "draw b"}));
    EXPECT_FALSE(a->isDirty());
    EXPECT_FALSE(b->isDirty());
    EXPECT_EQ(bufferPixel(20, 20), kRedPixel);
    EXPECT_EQ(bufferPixel(50, 50), kGreenPixel);
    EXPECT_EQ(bufferPixel(89, 89), kGreenPixel);
    EXPECT_EQ(testsupport::windowPixel(window(), 50, 50), kGreenPixel);
    log.clear();
    frame->idle();
    EXPECT_TRUE(log.empty()) << "nothing is dirty any more";
}

TEST_F(Frames, ClicksGoToTheFrontMostEnabledChildAndClearTheFocus) {
    PaintedControl* a = add(CRect(10, 10, 60, 60), kRedCColor, "a");
    PaintedControl* b = add(CRect(40, 40, 90, 90), kGreen, "b");
    struct Case {
        CPoint where;
        bool bEnabled;
        const char* expected; // null: nobody
    };
    const Case cases[] = {
        {{50, 50}, true, "b"}, {{50, 50}, false, "a"}, {{20, 20}, true, "a"},
        {{90, 90}, true, "b"}, {{95, 95}, true, nullptr},
    };
    for (const Case& k : cases) {
        b->setMouseEnabled(k.bEnabled);
        log.clear();
        testsupport::mouseDown(window(), k.where.x, k.where.y, Button::Left);
        const std::vector<std::string> expected =
            k.expected ? std::vector<std::string>{std::string("click ") + k.expected}
                       : std::vector<std::string>{};
        EXPECT_EQ(log, expected) << k.where.x << "," << k.where.y;
    }
    EXPECT_EQ(b->clicks.back(), CPoint(90, 90));
    EXPECT_EQ(a->clicks.size(), 2u);

    // Any click, even one that hits nothing, ends the focus first.
    auto* focusable = add(CRect(100, 100, 120, 120), kRedCColor, "f");
    focusable->setWantsFocus(true);
    frame->setFocusView(focusable);
    log.clear();
    testsupport::mouseDown(window(), 150, 20, Button::Left);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(log, std::vector<std::string>{"loseFocus f"});
}

TEST_F(Frames, RightAndMiddlePressesReachTheFrame) {
    PaintedControl* a = add(CRect(10, 10, 60, 60), kRedCColor, "a");
    testsupport::mouseDown(window(), 20, 20, Button::Right);
#ifndef _WIN32
    EXPECT_EQ(a->lastButtons, kRightButton); // the control reads which buttons are down
#endif
    testsupport::mouseDown(window(), 30, 30, Button::Middle);
#ifndef _WIN32
    EXPECT_EQ(a->lastButtons, kMiddleButton);
#endif
    EXPECT_EQ(a->clicks.size(), 2u);
}

TEST_F(Frames, AWheelNotchGivesOneAndGoesOnToTheParent) {
    PaintedControl* a = add(CRect(10, 10, 60, 60), kRedCColor, "a");
    testsupport::wheel(window(), 20, 30, 1);
    ASSERT_EQ(a->wheels.size(), 1u);
    EXPECT_FLOAT_EQ(a->wheels[0], 1.0f);
    EXPECT_EQ(a->wheelPoint, CPoint(20, 30));
    EXPECT_EQ(testsupport::wheelMessagesSeen(host), 1);
    testsupport::wheel(window(), 20, 30, -2);
    EXPECT_FLOAT_EQ(a->wheels.back(), -2.0f);
    testsupport::wheel(window(), 150, 120, 1); // no view there
    EXPECT_EQ(a->wheels.size(), 2u);
}

TEST_F(Frames, TabMovesTheFocusAndKeysGoToTheFocusViewFirst) {
    auto* f = add(CRect(10, 10, 20, 20), kRedCColor, "f");
    add(CRect(30, 30, 40, 40), kRedCColor, "plain");
    f->setWantsFocus(true);
    VstKeyCode tab{0, VKEY_TAB, 0};
    EXPECT_EQ(frame->onKeyDown(tab), 1);
    EXPECT_EQ(frame->getFocusView(), f);
    VstKeyCode letter{'a', 0, 0};
    f->keyAnswer = 5;
    EXPECT_EQ(frame->onKeyDown(letter), 5);
    f->keyAnswer = -1;
    EXPECT_EQ(frame->onKeyDown(letter), -1);
    EXPECT_EQ(frame->onKeyDown(tab), -1);
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(Frames, SetSizeWithTheSameSizeChangesNothing) {
    firstPaint();
    COffscreenContext* buffer = frame->getBackBuffer();
    EXPECT_FALSE(frame->setSize(200, 150));
    EXPECT_EQ(frame->getBackBuffer(), buffer);
    EXPECT_TRUE(editor.sizeRequests.empty());
}

TEST_F(Frames, TwoFramesShareOneWindowClass) {
    void* secondHost = testsupport::createHostWindow(120, 100);
    auto* second = new CFrame(CRect(0, 0, 120, 100), secondHost, &editor);
    EXPECT_EQ(platform::frameWindowClassUseCount(), classUsers + 2);
    const std::string name = platform::frameWindowClassName();
    EXPECT_EQ(name.rfind("Plugin", 0), 0u);
    EXPECT_EQ(name.size(), 6 + 2 * sizeof(void*));
    EXPECT_EQ(name.find_first_not_of("0123456789ABCDEF", 6), std::string::npos);
    for (CFrame* f : {frame, second}) {
        char cls[64];
        platform::windowClassName(f->getSystemWindow(), cls, sizeof cls);
        EXPECT_EQ(name, cls);
    }
    delete second;
    testsupport::destroyWindow(secondHost);
    EXPECT_EQ(platform::frameWindowClassUseCount(), classUsers + 1);
    // The first frame's window still works.
    PaintedControl* a = add(CRect(10, 10, 50, 50), kRedCColor, "a");
    firstPaint();
    EXPECT_EQ(a->draws, 1);
}

TEST_F(Frames, APaintWithoutUpdateAreaDrawsNothing) {
    PaintedControl* a = add(CRect(10, 10, 50, 50), kRedCColor, "a");
    testsupport::sendPaintWithoutUpdate(window());
    EXPECT_TRUE(frame->isFirstDraw());
    EXPECT_EQ(a->draws, 0);
}

TEST_F(Frames, HostWindowDestroyedFirstLeavesTheFrameClosed) {
    PaintedControl* a = add(CRect(10, 10, 50, 50), kRedCColor, "a");
    firstPaint();
    const int draws = a->draws;
    testsupport::destroyWindow(host);
    host = nullptr;
    EXPECT_FALSE(frame->isOpen());
    a->setValue(0.7f);
    frame->idle();
    EXPECT_EQ(a->draws, draws);
    EXPECT_FALSE(frame->setSize(300, 300));
    EXPECT_FALSE(frame->setDropActive(true));
}

TEST_F(Frames, DraggedFilesShowTheMoveEffectAndADropChangesNothing) {
    PaintedControl* a = add(CRect(0, 0, 100, 100), kRedCColor, "a");
    a->setValue(0.3f);
    ASSERT_TRUE(testsupport::isDropTarget(window()));
    testsupport::moveCursorTo(window(), 20, 20);
    log.clear();
    EXPECT_EQ(testsupport::dragEnterFiles(window(), 2), 2);
    EXPECT_EQ(testsupport::dragOver(window()), 2);
    EXPECT_EQ(testsupport::dropFiles(window(), 2), 0) << "a drop nobody took is no move";
    EXPECT_EQ(log, (std::vector<std::string>{"dragEnter a 2", "dragMove a", "drop a",
                                             "dragLeave a"}));
    EXPECT_FLOAT_EQ(a->getValue(), 0.3f);
    EXPECT_EQ(testsupport::dragOver(window()), 0) << "no drag is active after the drop";
    // A drag of text, which leaves again.
    log.clear();
    EXPECT_EQ(testsupport::dragEnterText(window()), 2);
    testsupport::dragLeave(window());
    EXPECT_EQ(log, (std::vector<std::string>{"dragEnter a 1", "dragLeave a"}));
}

class FrameResize : public testsupport::NoLeaks {};

TEST_F(FrameResize, TheWindowClassGoesWithTheLastFrame) {
    ASSERT_EQ(platform::frameWindowClassUseCount(), 0);
    void* hostA = testsupport::createHostWindow(100, 100);
    void* hostB = testsupport::createHostWindow(100, 100);
    auto* a = new CFrame(CRect(0, 0, 100, 100), hostA, nullptr);
    auto* b = new CFrame(CRect(0, 0, 100, 100), hostB, nullptr);
    const std::string name = platform::frameWindowClassName();
    EXPECT_TRUE(testsupport::windowClassRegistered(name));
    delete a;
    EXPECT_TRUE(testsupport::windowClassRegistered(name));
    delete b;
    EXPECT_FALSE(testsupport::windowClassRegistered(name));
    testsupport::destroyWindow(hostA);
    testsupport::destroyWindow(hostB);
}

TEST_F(FrameResize, ResizesTheHostWindowsOrLetsTheHostDoIt) {
    struct Case {
        const char* what;
        bool hostAccepts;
        bool innerWindow; // a host window between the top window and the frame
        platform::IRect frameWindow, inner, top;
        bool frameDirty;
    };
    const Case cases[] = {
        {"host accepts", true, false, {0, 0, 250, 180}, {}, {0, 0, 200, 150}, false},
        {"frame in the top window", false, false, {0, 0, 250, 180}, {}, {0, 0, 250, 180}, true},
        {"host window stops the walk", false, true, {0, 0, 250, 180}, {0, 0, 250, 180},
         {0, 0, 300, 200}, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        testsupport::FakeEditor editor;
        editor.hostAcceptsSize = k.hostAccepts;
        void* top = testsupport::createHostWindow(k.innerWindow ? 300 : 200,
                                                  k.innerWindow ? 200 : 150);
        void* inner = k.innerWindow ? testsupport::createChildWindow(top, 10, 10, 200, 150) : top;
        auto* frame = new CFrame(CRect(0, 0, 200, 150), inner, &editor);
        testsupport::repaint(frame->getSystemWindow(), {0, 0, 200, 150});
        ASSERT_FALSE(frame->isDirty());
        EXPECT_TRUE(frame->setSize(250, 180));
        // (Painting the resized window would clean the frame again.)
        EXPECT_EQ(frame->isDirty(), k.frameDirty);
        testsupport::pumpMessages();
        CRect r;
        EXPECT_EQ(frame->getViewRect(r), CRect(0, 0, 250, 180));
        EXPECT_EQ(editor.sizeRequests.size(), 1u);
        const platform::IRect f = testsupport::clientSize(frame->getSystemWindow());
        EXPECT_EQ(f.right, k.frameWindow.right);
        EXPECT_EQ(f.bottom, k.frameWindow.bottom);
        if (k.innerWindow) {
            EXPECT_EQ(testsupport::clientSize(inner).right, k.inner.right);
            EXPECT_EQ(testsupport::clientSize(inner).bottom, k.inner.bottom);
        }
        EXPECT_EQ(testsupport::clientSize(top).right, k.top.right);
        EXPECT_EQ(testsupport::clientSize(top).bottom, k.top.bottom);
        delete frame;
        testsupport::destroyWindow(top);
    }
}

class Containers : public testsupport::NoLeaks {};

TEST_F(Containers, RemovingViewsAndRoutingKeys) {
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    std::vector<std::string> log;
    auto* a = new PaintedControl(CRect(0, 0, 10, 10), kRedCColor, &log, "a");
    auto* b = new PaintedControl(CRect(0, 0, 10, 10), kRedCColor, &log, "b");
    auto* stranger = new PaintedControl(CRect(0, 0, 10, 10), kRedCColor, &log, "s");
    frame.addView(a);
    frame.addView(b);
    EXPECT_EQ(a->getNbReference(), 2);
    frame.removeView(stranger);
    EXPECT_EQ(frame.getViewCount(), 2);
    EXPECT_EQ(stranger->getNbReference(), 1);
    stranger->release();

    // Keys go from the last child to the first; the first answer other than -1 wins.
    VstKeyCode key{'x', 0, 0};
    a->keyAnswer = 7;
    EXPECT_EQ(frame.CViewContainer::onKeyDown(key), 7);
    b->keyAnswer = 3;
    EXPECT_EQ(frame.CViewContainer::onKeyDown(key), 3);

    frame.setFocusView(b);
    log.clear();
    frame.removeView(b, false); // the creator keeps its reference
    EXPECT_EQ(frame.getFocusView(), nullptr);
    EXPECT_EQ(log, std::vector<std::string>{"loseFocus b"});
    EXPECT_EQ(b->getNbReference(), 1);
    EXPECT_EQ(b->getFrame(), &frame);
    b->release();
    EXPECT_EQ(frame.getView(0), a);
    EXPECT_EQ(frame.getView(1), nullptr);
    EXPECT_EQ(frame.getView(-1), nullptr);
}

} // namespace

namespace {

// Stands in for the text edit: a view with a native field's colours.
class FakeTextEdit : public CView, public CNativeEditColors {
public:
    FakeTextEdit() : CView(CRect(0, 0, 50, 20)) { setWantsFocus(true); }
    ~FakeTextEdit() override { platform::deleteObject(brush); }
    bool isTypeOf(const char* name) const override {
        return sameClassName(name, "CTextEdit") || CView::isTypeOf(name);
    }
    CColor getEditFontColor() const override { return CColor{10, 20, 30, 255}; }
    CColor getEditBackColor() const override { return CColor{200, 150, 100, 255}; }
    platform::Object& editFieldBrush() override { return brush; }
    platform::Object brush = nullptr;
};

TEST_F(Frames, TheEditFieldOfAFocusedTextEditGetsItsColoursAndANewBrushEachTime) {
    auto* edit = new FakeTextEdit;
    frame->addView(edit);
    uint32_t text = 0, back = 0;
    testsupport::requestEditColors(window(), text, back);
    EXPECT_EQ(edit->brush, nullptr) << "not focused: default handling";
    frame->setFocusView(edit);
    void* first = testsupport::requestEditColors(window(), text, back);
    EXPECT_EQ(first, edit->brush);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(text, 10u + 20u * 256 + 30u * 65536);
    EXPECT_EQ(back, 200u + 150u * 256 + 100u * 65536);
    void* second = testsupport::requestEditColors(window(), text, back);
    EXPECT_EQ(second, edit->brush);
    ASSERT_NE(second, nullptr);
    frame->setFocusView(nullptr);
}

TEST_F(Frames, PositionAndSizeComeFromTheHostWindows) {
    CRect size;
    ASSERT_TRUE(frame->getSize(size));
    EXPECT_EQ(size, CRect(100, 80, 300, 230));
    int32_t x = -1, y = -1;
    ASSERT_TRUE(frame->getPosition(x, y));
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 80);
    EXPECT_FALSE(frame->setPosition(5, 5));
    EXPECT_FALSE(frame->open());
    EXPECT_FALSE(frame->close());
}

} // namespace

namespace {

TEST_F(Frames, NestedContainersShiftDrawingClicksAndCoordinates) {
    for (bool offscreen : {false, true}) {
        SCOPED_TRACE(offscreen ? "offscreen" : "direct");
        auto* inner = new CViewContainer(CRect(20, 20, 120, 120), frame);
        inner->setDrawOffscreen(offscreen);
        inner->setBackgroundColor(CColor{0, 0, 255, 255});
        frame->addView(inner);
        auto* v = new PaintedControl(CRect(10, 10, 30, 30), kRedCColor, &log, "v");
        auto* outside = new PaintedControl(CRect(200, 200, 210, 210), kGreen, &log, "o");
        inner->addView(v);
        inner->addView(outside);
        firstPaint();
        EXPECT_EQ(bufferPixel(35, 35), kRedPixel);
        EXPECT_EQ(bufferPixel(60, 60), 0xFF0000u); // the inner background, blue
        CPoint p(10, 10);
        EXPECT_EQ(v->localToFrame(p), CPoint(30, 30));
        EXPECT_EQ(v->frameToLocal(p), CPoint(10, 10));
        // A dirty child wholly outside the container does not make it dirty.
        outside->setValue(0.5f);
        EXPECT_TRUE(outside->isDirty());
        EXPECT_FALSE(inner->isDirty());
        testsupport::mouseDown(window(), 35, 35, Button::Left);
        ASSERT_FALSE(v->clicks.empty());
        EXPECT_EQ(v->clicks.back(), CPoint(15, 15));
        v->setValue(0.5f);
        log.clear();
        frame->idle();
        EXPECT_EQ(log, std::vector<std::string>{"draw v"});
        EXPECT_FALSE(v->isDirty());
        frame->removeView(inner);
    }
}

TEST_F(Frames, AModalViewTakesAllClicksUntilItIsCleared) {
    PaintedControl* a = add(CRect(10, 10, 60, 60), kRedCColor, "a");
    auto* modal = new PaintedControl(CRect(100, 100, 150, 140), kGreen, &log, "m");
    auto* other = new PaintedControl(CRect(0, 0, 5, 5), kGreen, &log, "x");
    EXPECT_EQ(frame->setModalView(modal), 1);
    EXPECT_EQ(frame->setModalView(other), 0);
    EXPECT_EQ(frame->getModalView(), modal);
    log.clear();
    testsupport::mouseDown(window(), 20, 20, Button::Left); // outside the modal view: nobody
    testsupport::mouseDown(window(), 120, 120, Button::Left);
    EXPECT_EQ(log, std::vector<std::string>{"click m"});
    VstKeyCode tab{0, VKEY_TAB, 0};
    EXPECT_EQ(frame->onKeyDown(tab), -1) << "no focus moves while a modal view is set";
    EXPECT_EQ(frame->setModalView(nullptr), 1);
    EXPECT_FALSE(frame->isChild(modal));
    EXPECT_EQ(modal->getNbReference(), 1) << "removed without release";
    testsupport::mouseDown(window(), 20, 20, Button::Left);
    EXPECT_EQ(a->clicks.size(), 1u);
    modal->release();
    other->release();
}

} // namespace
