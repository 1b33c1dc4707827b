// Views and controls: dirty state, hit and overlap tests, values, double clicks, default clicks
// and class identity.
#include "Fixtures.h"
#include "LiveObjects.h"
#include "TestPlatform.h"

#include "platform/Input.h"
#include "toolkit/CFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace toolkit;
using testsupport::PaintedControl;

namespace {

class Views : public testsupport::NoLeaks {};

TEST_F(Views, ControlDirtyStateFollowsValueAndDrawnValue) {
    auto* c = new PaintedControl(CRect(0, 0, 10, 10), kRedCColor, nullptr, "c");
    EXPECT_TRUE(c->isDirty()) << "a new control is dirty";
    EXPECT_FLOAT_EQ(c->getDrawnValue(), -1.0f);
    c->setDirty(false);
    EXPECT_FALSE(c->isDirty());
    c->setValue(0.0f);
    EXPECT_FALSE(c->isDirty()) << "the same value keeps it clean";
    c->setValue(0.25f);
    EXPECT_TRUE(c->isDirty());
    c->setDirty(false);
    c->setValue(-1.0f);
    c->setDirty(true);
    EXPECT_FLOAT_EQ(c->getDrawnValue(), 0.0f);
    EXPECT_TRUE(c->isDirty());
    c->setDirty(false);
    c->setValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE(c->isDirty()) << "NaN differs from anything";
    c->release();
}

TEST_F(Views, HitAndOverlapTestsCountEdges) {
    auto* v = new CView(CRect(10, 10, 20, 20));
    struct Case {
        CPoint p;
        bool hit;
    };
    for (const Case& k : {Case{{10, 10}, true}, {{20, 20}, true}, {{20, 10}, true},
                          {{21, 15}, false}, {{15, 9}, false}})
        EXPECT_EQ(v->hitTest(k.p), k.hit) << k.p.x << "," << k.p.y;
    EXPECT_TRUE(v->touchesRect(CRect(20, 20, 30, 30)));
    EXPECT_TRUE(v->touchesRect(CRect(0, 0, 10, 10)));
    EXPECT_FALSE(v->touchesRect(CRect(21, 0, 30, 30)));
    // A new view rectangle moves the drawing area but not the click area.
    v->setViewRect(CRect(50, 50, 60, 60));
    EXPECT_TRUE(v->isDirty());
    EXPECT_TRUE(v->hitTest(CPoint(15, 15)));
    EXPECT_FALSE(v->hitTest(CPoint(55, 55)));
    v->release();
}

TEST_F(Views, ClampValueLeavesNanAndMovesOutOfRangeValues) {
    auto* c = new PaintedControl(CRect(0, 0, 1, 1), kRedCColor, nullptr, "c");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float in, expected;
    };
    for (const Case& k : {Case{1.5f, 1.0f}, {-0.5f, 0.0f}, {0.3f, 0.3f}, {nan, nan}}) {
        c->setValue(k.in);
        c->clampValue();
        if (std::isnan(k.expected)) EXPECT_TRUE(std::isnan(c->getValue()));
        else EXPECT_FLOAT_EQ(c->getValue(), k.expected);
    }
    c->release();
}

TEST_F(Views, IsTypeOfAnswersTheClassAndItsAncestors) {
    auto* view = new CView(CRect());
    auto* control = new PaintedControl(CRect(), kRedCColor, nullptr, "c");
    auto* container = new CViewContainer(CRect(0, 0, 10, 10), nullptr);
    CFrame frame(CRect(0, 0, 10, 10), nullptr, nullptr);
    struct Case {
        CView* v;
        const char* name;
        bool expected;
    };
    const Case cases[] = {
        {view, "CView", true},         {view, "CControl", false},
        {control, "CControl", true},   {control, "CView", true},
        {control, "ccontrol", false},  {container, "CViewContainer", true},
        {container, "CView", true},    {container, "CControl", false},
        {&frame, "CFrame", true},      {&frame, "CViewContainer", true},
        {&frame, "CView", true},       {&frame, "CControl", false},
        {view, nullptr, false},
    };
    for (const Case& k : cases)
        EXPECT_EQ(k.v->isTypeOf(k.name), k.expected) << (k.name ? k.name : "(none)");
    view->release();
    control->release();
    container->release();
}

TEST_F(Views, DoubleClickNeedsTwoClicksWithinTheInterval) {
    testsupport::FakeEditor editor;
    CFrame frame(CRect(0, 0, 50, 50), nullptr, &editor);
    auto* c = new PaintedControl(CRect(0, 0, 10, 10), kRedCColor, nullptr, "c");
    frame.addView(c);
    EXPECT_FALSE(c->isDoubleClick()) << "the first click";
    platform::sleepMs(100);
    EXPECT_TRUE(c->isDoubleClick()) << "100 ms later";
    platform::sleepMs(100);
    EXPECT_FALSE(c->isDoubleClick()) << "a detected double click starts a new pair";

    // Without an editor the frame's ticks stay 0: never a double click.
    CFrame bare(CRect(0, 0, 50, 50), nullptr, nullptr);
    auto* d = new PaintedControl(CRect(0, 0, 10, 10), kRedCColor, nullptr, "d");
    bare.addView(d);
    EXPECT_FALSE(d->isDoubleClick());
    EXPECT_FALSE(d->isDoubleClick());
}

TEST_F(Views, ControlClickResetsToDefaultThroughTheEditor) {
    testsupport::FakeEditor editor;
    testsupport::RecordingListener listener;
    CFrame frame(CRect(0, 0, 50, 50), nullptr, &editor);
    auto* c = new PaintedControl(CRect(0, 0, 10, 10), kRedCColor, nullptr, "c", &listener, 3);
    frame.addView(c);
    c->setDirty(false);
    c->setValue(0.9f);
    c->setDefaultValue(0.25f);
    EXPECT_FALSE(c->handleDefaultClick(nullptr, kLeftButton));
    EXPECT_FALSE(c->handleDefaultClick(nullptr, kControlModifier | kLeftButton | kShiftModifier));
    EXPECT_FLOAT_EQ(c->getValue(), 0.9f);
    EXPECT_TRUE(editor.log.empty());
    EXPECT_TRUE(c->handleDefaultClick(nullptr, 17));
    EXPECT_FLOAT_EQ(c->getValue(), 0.25f);
    EXPECT_EQ(listener.changes, std::vector<float>{0.25f});
    EXPECT_EQ(editor.log, (std::vector<std::string>{"begin 3", "end 3"}));
    EXPECT_EQ(frame.getFocusView(), c) << "beginEdit gives the control the focus";
    EXPECT_EQ(c->getEditor(), &editor);
    EXPECT_EQ(frame.getKnobMode(), 2);
}

TEST_F(Views, BackgroundIsRetainedAndReleased) {
    auto* bitmap = new CBitmap(static_cast<const unsigned char*>(nullptr), 0);
    auto* v = new CView(CRect(0, 0, 4, 4));
    v->setBackground(bitmap);
    EXPECT_EQ(bitmap->getNbReference(), 2);
    v->setBackground(bitmap); // the same bitmap again is harmless
    EXPECT_EQ(bitmap->getNbReference(), 2);
    bitmap->release();
    EXPECT_EQ(v->getBackground(), bitmap);
    v->release(); // takes the bitmap with it
}

} // namespace
