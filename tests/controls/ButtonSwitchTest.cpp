// The on/off button and the horizontal switch: toggling and listener order, slices and the right
// edge, drags that tell the listener once per new position, default clicks and the film strips.
#include "ControlFixtures.h"

#include "platform/Window.h"
#include "toolkit/CHorizontalSwitch.h"
#include "toolkit/COffscreenContext.h"
#include "toolkit/COnOffButton.h"

#include <gtest/gtest.h>

#include <limits>

#ifndef _WIN32
#include "platform/headless/Headless.h"
#endif

using namespace toolkit;
using testsupport::Journal;
using testsupport::JournalBitmap;

namespace {

class Buttons : public testsupport::ControlFrame {
protected:
    COnOffButton* addButton(int32_t order, int stripHeight = 40) {
        auto* strip = new JournalBitmap(20, stripHeight, journal);
        auto* button = new COnOffButton(CRect(10, 10, 30, 30), &listener, 5, strip, order);
        strip->release();
        frame->addView(button);
        frame->idle();
        journal.clear();
        return button;
    }
    void click(CControl* control, int32_t buttons, CPoint where = CPoint(15, 15)) {
        CDrawContext* context = clickContext();
        control->onMouseDown(context, where, buttons);
        context->release();
    }
};

TEST_F(Buttons, ClicksToggleAndTellTheListenerInTheChosenOrder) {
    struct Case {
        const char* name;
        float start;
        int32_t order;
        int32_t buttons;
        int32_t modifierAnswer;
        float end;
        Journal expected;
    };
    const Case cases[] = {
        {"off to on, listener after the redraw", 0.0f, ListenerAfterRedraw, kLeftButton, 0, 1.0f,
         {"draw 0,20", "begin 5", "changed 1", "end 5"}},
        {"on to off", 1.0f, ListenerAfterRedraw, kLeftButton, 0, 0.0f,
         {"draw 0,0", "begin 5", "changed 0", "end 5"}},
        {"listener before the redraw", 0.0f, ListenerBeforeRedraw, kLeftButton, 0, 1.0f,
         {"begin 5", "changed 1", "end 5", "draw 0,20"}},
        {"0.7 is on already and becomes 1", 0.7f, ListenerAfterRedraw, kLeftButton, 0, 1.0f,
         {"draw 0,20", "begin 5", "changed 1", "end 5"}},
        {"1.5 truncates to 1 and turns off", 1.5f, ListenerAfterRedraw, kLeftButton, 0, 0.0f,
         {"draw 0,0", "begin 5", "changed 0", "end 5"}},
        {"-1 counts as on", -1.0f, ListenerAfterRedraw, kLeftButton, 0, 0.0f,
         {"draw 0,0", "begin 5", "changed 0", "end 5"}},
        {"shift asks the listener first, 0 lets the click through", 0.0f, ListenerAfterRedraw,
         kLeftButton | kShiftModifier, 0, 1.0f,
         {"modifier 9", "draw 0,20", "begin 5", "changed 1", "end 5"}},
        {"a listener that takes the modifier click ends it", 0.0f, ListenerAfterRedraw,
         kLeftButton | kAltModifier, 1, 0.0f, {"modifier 33"}},
        {"right click", 0.0f, ListenerAfterRedraw, kRightButton, 0, 0.0f, {}},
        {"right click with control is not asked about", 0.0f, ListenerAfterRedraw,
         kRightButton | kControlModifier, 0, 0.0f, {}},
    };
    for (const Case& k : cases) {
        COnOffButton* button = addButton(k.order);
        button->setValue(k.start);
        frame->idle();
        journal.clear();
        listener.modifierAnswer = k.modifierAnswer;
        click(button, k.buttons);
        EXPECT_EQ(button->getValue(), k.end) << k.name;
        EXPECT_EQ(journal, k.expected) << k.name;
        frame->removeView(button);
    }
}

TEST_F(Buttons, DisabledOrWithoutListenerTheButtonStillBehaves) {
    COnOffButton* button = addButton(ListenerAfterRedraw);
    button->setMouseEnabled(false);
    click(button, kLeftButton);
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_TRUE(journal.empty());

    button->setMouseEnabled(true);
    button->setListener(nullptr);
    click(button, kLeftButton | kShiftModifier);
    EXPECT_EQ(button->getValue(), 1.0f) << "without a listener nobody takes the modifier click";
    EXPECT_EQ(journal, Journal{"draw 0,20"}) << "redrawn at once, no edit reaches the host";
    EXPECT_EQ(button->getListenerOrder(), ListenerAfterRedraw);
    button->setListenerOrder(ListenerBeforeRedraw);
    EXPECT_EQ(button->getListenerOrder(), ListenerBeforeRedraw);
    EXPECT_TRUE(button->isTypeOf("COnOffButton"));
    EXPECT_TRUE(button->isTypeOf("CControl"));
    EXPECT_TRUE(button->isTypeOf("CView"));
    EXPECT_FALSE(button->isTypeOf("CHorizontalSwitch"));
}

TEST_F(Buttons, TheStripHalfFollowsTheValueAndTheTransparency) {
    struct Case {
        int stripHeight;
        float value;
        bool transparent;
        const char* expected;
    };
    const Case cases[] = {
        {40, 0.0f, false, "draw 0,0"},  {40, 1.0f, false, "draw 0,20"},
        {41, 1.0f, false, "draw 0,20"}, {40, 0.5f, false, "draw 0,0"},
        {40, 0.51f, true, "keyed 0,20"}, {40, std::numeric_limits<float>::quiet_NaN(), false, "draw 0,0"},
    };
    for (const Case& k : cases) {
        COnOffButton* button = addButton(ListenerAfterRedraw, k.stripHeight);
        button->setValue(k.value);
        button->setTransparency(k.transparent);
        CDrawContext* context = clickContext();
        button->draw(context);
        context->release();
        EXPECT_EQ(journal, Journal{k.expected}) << k.stripHeight << " " << k.value;
        if (k.value == k.value) { EXPECT_FALSE(button->isDirty()); } // NaN never equals its drawing
        journal.clear();
        frame->removeView(button);
    }
    auto* bare = new COnOffButton(CRect(0, 0, 10, 10), nullptr, 0, nullptr);
    COffscreenContext* offscreen = new COffscreenContext(nullptr, 10, 10);
    bare->setValue(1.0f);
    bare->draw(offscreen);
    EXPECT_FALSE(bare->isDirty()) << "no background: nothing drawn, but clean";
    offscreen->release();
    bare->release();
}

class Switches : public Buttons {
protected:
    // A switch at x = 20 whose strip is as wide as the switch (20 pixels per position).
    CHorizontalSwitch* addSwitch(int positions, int stripWidth = -1) {
        if (stripWidth < 0) stripWidth = 20 * positions;
        auto* strip = new JournalBitmap(stripWidth, 20 * positions, journal);
        auto* control = new CHorizontalSwitch(CRect(20, 40, 20 + 20 * positions, 60), &listener, 2,
                                              strip, positions, 20, positions, CPoint(0, 0));
        strip->release();
        frame->addView(control);
        frame->idle();
        journal.clear();
        return control;
    }
};

TEST_F(Switches, AClickPicksTheSliceUnderThePointerAndTheRightEdgeClamps) {
    CHorizontalSwitch* control = addSwitch(4);
    EXPECT_EQ(control->getDefaultValue(), 0.0f);
    struct Case {
        int offset;
        float value;
    };
    const Case cases[] = {{0, 0.0f},       {19, 0.0f},       {20, 1.0f / 3},  {39, 1.0f / 3},
                          {40, 2.0f / 3},  {59, 2.0f / 3},   {60, 1.0f},      {80, 1.0f},
                          {-7, 0.0f},      {200, 1.0f},      {60, 1.0f}};
    float previous = 0.0f;
    for (const Case& k : cases) {
        journal.clear();
        click(control, kLeftButton, CPoint(20 + k.offset, 50));
        EXPECT_FLOAT_EQ(control->getValue(), k.value) << "offset " << k.offset;
        Journal expected{"begin 2"};
        if (k.value != previous) {
            char line[32];
            std::snprintf(line, sizeof line, "changed %.4g", double(k.value));
            expected.push_back(line);
        }
        const int frameIndex = int(3 * k.value + 0.5f);
        if (k.value != previous) expected.push_back("draw 0," + std::to_string(20 * frameIndex));
        expected.push_back("end 2");
        EXPECT_EQ(journal, expected) << "offset " << k.offset << ": told only of a new position";
        previous = k.value;
    }
}

TEST_F(Switches, ControlClickSetsTheDefaultWithoutADrag) {
    CHorizontalSwitch* control = addSwitch(3);
    control->setDefaultValue(0.5f);
    click(control, kLeftButton | kControlModifier, CPoint(75, 50));
    EXPECT_EQ(control->getValue(), 0.5f) << "the default, not the slice under the pointer";
    EXPECT_EQ(journal, (Journal{"modifier 17", "begin 2", "changed 0.5", "end 2"}));
    frame->idle(); // a default click does not redraw by itself
    journal.clear();
    click(control, kLeftButton | kControlModifier, CPoint(25, 50));
    EXPECT_EQ(journal, (Journal{"modifier 17", "begin 2", "end 2"})) << "already there: no change";

    listener.modifierAnswer = 1;
    journal.clear();
    click(control, kLeftButton | kControlModifier, CPoint(75, 50));
    EXPECT_EQ(journal, Journal{"modifier 17"}) << "the listener took the click";
    EXPECT_EQ(control->getValue(), 0.5f);
}

TEST_F(Switches, IgnoredClicks) {
    CHorizontalSwitch* control = addSwitch(4);
    click(control, kRightButton, CPoint(70, 50));
    control->setMouseEnabled(false);
    click(control, kLeftButton, CPoint(70, 50));
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(control->getValue(), 0.0f);

    // Without a background, or with fewer than two positions, there is nothing to pick.
    auto* bare = new CHorizontalSwitch(CRect(0, 0, 80, 20), &listener, 3, nullptr, 4, 20, 4);
    auto* strip = new JournalBitmap(20, 20, journal);
    auto* single = new CHorizontalSwitch(CRect(0, 0, 20, 20), &listener, 4, strip, 1, 20, 1);
    strip->release();
    frame->addView(bare);
    frame->addView(single);
    click(bare, kLeftButton, CPoint(50, 10));
    click(single, kLeftButton, CPoint(10, 10));
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(bare->isTypeOf("CHorizontalSwitch"));
    EXPECT_TRUE(bare->isTypeOf("CControl"));
    EXPECT_FALSE(bare->isTypeOf("COnOffButton"));
}

TEST_F(Switches, TheFrameShownFollowsTheValue) {
    struct Case {
        int positions;
        float value;
        bool transparent;
        const char* expected;
    };
    const Case cases[] = {
        {4, 0.625f, false, "draw 0,40"}, {4, 1.0f / 3, false, "draw 0,20"},
        {3, 0.5f, false, "draw 0,20"},   {3, 0.24f, true, "keyed 0,0"},
        {4, 1.0f, false, "draw 0,60"},   {4, 5.0f, false, "draw 0,60"},
        {4, -2.0f, false, "draw 0,0"},   {4, std::numeric_limits<float>::quiet_NaN(), false, "draw 0,0"},
    };
    for (const Case& k : cases) {
        CHorizontalSwitch* control = addSwitch(k.positions);
        control->setValue(k.value);
        control->setTransparency(k.transparent);
        CDrawContext* context = clickContext();
        control->draw(context);
        context->release();
        EXPECT_EQ(journal, Journal{k.expected}) << k.positions << " " << k.value;
        if (k.value == k.value) { EXPECT_FALSE(control->isDirty()); } // NaN never equals its drawing
        frame->removeView(control);
        journal.clear();
    }
}

#ifndef _WIN32
namespace headless = platform::headless;

// The scripted mouse: the pointer moves across the positions while the button stays down, and
// the drag ends when the button is released or a modifier changes.
TEST_F(Switches, ADragTellsTheListenerOncePerNewPosition) {
    CHorizontalSwitch* control = addSwitch(4);
    const platform::IRect window = platform::windowScreenRect(frame->getSystemWindow());
    struct Case {
        const char* name;
        platform::RawMouseState last; // the state that ends the drag
        Journal expected;
    };
    platform::RawMouseState released;
    platform::RawMouseState shifted;
    shifted.primary = true;
    shifted.shift = true;
    const Case cases[] = {
        {"ended by the release", released,
         {"begin 2", "changed 0.3333", "draw 0,20", "changed 0.6667", "draw 0,40", "changed 1",
          "draw 0,60", "end 2"}},
        {"ended by a modifier", shifted,
         {"begin 2", "changed 0.3333", "draw 0,20", "changed 0.6667", "draw 0,40", "changed 1",
          "draw 0,60", "end 2"}},
    };
    for (const Case& k : cases) {
        control->setValue(0.0f);
        frame->idle();
        journal.clear();
        platform::RawMouseState down;
        down.primary = true;
        const uint32_t now = platform::tickCount();
        const int y = window.top + 50;
        // Two steps inside each slice, then beyond the right edge (still the last position).
        const int xs[] = {30, 45, 52, 65, 71, 90, 105, 150};
        uint32_t at = now + 5;
        for (int x : xs) {
            headless::scheduleMouseState(at, down, window.left + x, y);
            at += 10;
        }
        headless::scheduleMouseState(at, k.last, window.left + 150, y);
        // After the end a later move must not reach the switch any more.
        headless::scheduleMouseState(at + 5, down, window.left + 25, y);
        headless::scheduleMouseState(at + 6, released, window.left + 25, y);
        testsupport::mouseDown(frame->getSystemWindow(), 25, 50, testsupport::Button::Left);
        EXPECT_EQ(journal, k.expected) << k.name;
        EXPECT_EQ(control->getValue(), 1.0f) << k.name;
        headless::advanceClock(50);
        headless::setMouseState({});
    }
}
#endif

} // namespace
