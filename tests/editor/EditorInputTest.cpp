// The user's side of the editor on the headless backend: clicks on the switches and buttons
// reaching the effect and the host, the size button's rebuild inside its own click, label edits,
// the label's drawing and the pacing of idle steps. Mouse, keyboard and clock are scripted.
#include "ChunkBuilder.h"
#include "EditorFixture.h"

#include "editor/OrvaneUserLabel.h"
#include "platform/headless/Headless.h"

#include <algorithm>
#include <cstring>
#include <string>

using testeditor::EditorWindow;
using toolkit::CRect;
namespace headless = platform::headless;

namespace {

struct HostCall {
    VstInt32 opcode, index;
    float opt;
    friend bool operator==(const HostCall&, const HostCall&) = default;
};

std::ostream& operator<<(std::ostream& out, const HostCall& c) {
    return out << "{" << c.opcode << " " << c.index << " " << c.opt << "}";
}

class EditorInput : public EditorWindow {
protected:
    void SetUp() override {
        EditorWindow::SetUp();
        headless::setClock(100000);
        headless::setMouseState({});
    }
    // A left click at a frame point; the button goes up 30 ms later (the switches follow the
    // mouse until then).
    void click(int x, int y, bool control = false) {
        platform::RawMouseState held;
        held.control = control;
        headless::setMouseState(held);
        const platform::IRect r = platform::windowScreenRect(static_cast<platform::Window>(window()));
        headless::scheduleMouseState(platform::tickCount() + 30, {}, r.left + x, r.top + y);
        headless::press(static_cast<platform::Window>(window()), x, y, headless::Button::Primary);
        headless::releaseAll();
        headless::setMouseState({});
    }
    // The edit and automation calls the host received since the last look.
    std::vector<HostCall> editCalls() {
        std::vector<HostCall> out;
        for (const testhost::Call& c : testhost::takeCalls()) {
            if (c.opcode == audioMasterBeginEdit || c.opcode == audioMasterEndEdit ||
                c.opcode == audioMasterAutomate || c.opcode == audioMasterCanDo ||
                c.opcode == audioMasterSizeWindow)
                out.push_back({c.opcode, c.index, c.opcode == audioMasterSizeWindow
                                                      ? float(c.value)
                                                      : c.opt});
        }
        return out;
    }
    static std::vector<HostCall> gesture(VstInt32 tag, float value) {
        return {{audioMasterBeginEdit, tag, 0.0f},
                {audioMasterAutomate, tag, value},
                {audioMasterEndEdit, tag, 0.0f}};
    }
    // A switch tells the host on every pass of its mouse loop until the next paced redraw, so a
    // gesture may repeat the automation, always with the same value.
    static std::vector<HostCall> withoutRepeats(std::vector<HostCall> calls) {
        calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
        return calls;
    }
    float parameter(VstInt32 index) { return plugin->effect().getParameter(index); }
};

TEST_F(EditorInput, SwitchAndButtonClicksReachTheEffectAndTheHost) {
    open();
    testhost::takeCalls();
    struct Case {
        const char* what;
        int x, y;
        VstInt32 tag;
        float value;
    };
    const Case cases[] = {
        {"headroom position 0", 31, 10, 0, 0.0f},
        {"headroom position 1", 51, 10, 0, 1.0f / 3.0f},
        {"headroom position 3", 101, 10, 0, 1.0f},
        {"headroom position 2", 71, 10, 0, 2.0f / 3.0f},
        {"mode position 0", 150, 10, 1, 0.0f},
        {"mode position 2", 200, 10, 1, 1.0f},
        {"hold on", 220, 10, 2, 1.0f},
        {"hold off", 220, 10, 2, 0.0f},
    };
    for (const Case& c : cases) {
        click(c.x, c.y);
        EXPECT_EQ(withoutRepeats(editCalls()), gesture(c.tag, c.value)) << c.what;
        EXPECT_EQ(parameter(c.tag), c.value) << c.what;
        EXPECT_EQ(plugin->controlValue(c.tag), c.value) << c.what;
        if (c.tag == 2) {
            EXPECT_EQ(plugin->holdNeedleShown(), c.value > 0.5f) << c.what;
        }
    }
    // Position 0 sets -12 dB; then a click on the current position tells nobody.
    click(31, 10);
    EXPECT_EQ(withoutRepeats(editCalls()), gesture(0, 0.0f));
    EXPECT_NEAR(20.0 * std::log10(gui().meterAt(0)->measuring().threshold(7)), -12.0 - 5.0 / 6.0,
                1e-9);
    plugin->dispatch(effEditIdle);
    click(31, 10);
    EXPECT_EQ(editCalls(), (std::vector<HostCall>{{audioMasterBeginEdit, 0, 0.0f},
                                                  {audioMasterEndEdit, 0, 0.0f}}));
}

TEST_F(EditorInput, ControlClickRestoresTheDefaults) {
    set(0, 0.0f);
    set(1, 1.0f);
    open();
    testhost::takeCalls();
    click(31, 10, true);
    EXPECT_EQ(editCalls(), gesture(0, 0.625f));
    EXPECT_EQ(parameter(0), 0.625f);
    EXPECT_NEAR(20.0 * std::log10(gui().meterAt(1)->measuring().threshold(7)), -18.0 - 5.0 / 6.0,
                1e-9);
    click(200, 10, true);
    EXPECT_EQ(editCalls(), gesture(1, 0.5f));
    EXPECT_EQ(parameter(1), 0.5f);
}

TEST_F(EditorInput, SizeButtonRebuildsWithinItsClickKeepingNeedlesHoldAndLabel) {
    testhost::recorder().resizesWindow = true;
    plugin->loadChunk(testhost::labelledChunk("abc", 0.625f, 0.5f, 1.0f, 0.0f));
    open();
    float loud[512];
    std::fill(std::begin(loud), std::end(loud), 0.8f);
    float* io[2] = {loud, loud};
    plugin->record->processReplacing(plugin->record, io, io, 512);
    OrvaneVU* left = gui().meterAt(0);
    const double level = left->measuring().level();
    ASSERT_GT(level, 0.0);
    testhost::takeCalls();

    struct Case {
        int x, y;
        float xtnd;
        int width, height;
        int32_t holdStrip;
        CRect button, labelRect, meter;
    };
    const Case cases[] = {
        {205, 293, 1.0f, 340, 400, 203, CRect(270, 380, 320, 400), CRect(20, 195, 320, 225),
         CRect(30, 60, 310, 190)},
        {295, 390, 0.0f, 250, 303, 103, CRect(180, 283, 230, 303), CRect(20, 153, 230, 173),
         CRect(30, 53, 220, 143)},
    };
    for (const Case& c : cases) {
        click(c.x, c.y);
        // Nothing has idled since the press: all of this happened inside the click.
        EXPECT_EQ(editCalls(), (std::vector<HostCall>{{audioMasterBeginEdit, 3, 0.0f},
                                                      {audioMasterCanDo, 0, 0.0f},
                                                      {audioMasterSizeWindow, c.width, float(c.height)},
                                                      {audioMasterAutomate, 3, c.xtnd},
                                                      {audioMasterEndEdit, 3, 0.0f}}))
            << c.xtnd;
        EXPECT_EQ(parameter(3), c.xtnd);
        EXPECT_EQ(rect(), std::make_pair(c.width, c.height));
        EXPECT_EQ(headless::windowWidth(static_cast<platform::Window>(host)), c.width);
        EXPECT_EQ(headless::windowHeight(static_cast<platform::Window>(window())), c.height);
        EXPECT_EQ(gui().meterAt(0), left) << "no control is made anew";
        EXPECT_EQ(left->measuring().level(), level) << "the needles keep their positions";
        CRect r;
        EXPECT_EQ(left->getViewRect(r), c.meter);
        EXPECT_EQ(left->getNeedleBitmap()->getResourceId(), c.holdStrip - 1);
        EXPECT_EQ(gui().meterAt(1)->getHoldBitmap()->getResourceId(), c.holdStrip);
        EXPECT_EQ(gui().controlForTag(3)->getViewRect(r), c.button);
        EXPECT_EQ(gui().controlForTag(3)->getMouseRect(r), c.button);
        EXPECT_EQ(gui().userLabel()->getViewRect(r), c.labelRect);
        EXPECT_EQ(plugin->shownLabel(), "abc");
        EXPECT_NE(gui().userLabel()->getLabelFont(), nullptr);
        plugin->dispatch(effEditIdle);
    }
}

TEST_F(EditorInput, LabelEditsEndByEnterByAClickElsewhereAndByFocusLoss) {
    open();
    enum class Ending { Enter, ClickElsewhere, FocusLoss };
    struct Case {
        const char* what;
        const char* typed; // none: nothing typed
        Ending ending;
        const char* stored;
    };
    const Case cases[] = {
        {"enter", "hello", Ending::Enter, "hello"},
        {"click elsewhere", "tape & tone", Ending::ClickElsewhere, "tape & tone"},
        {"focus loss", "gone", Ending::FocusLoss, "gone"},
        {"nothing typed", nullptr, Ending::Enter, "gone"},
    };
    for (const Case& c : cases) {
        testhost::takeCalls();
        click(125, 163);
        platform::Window field = headless::focusedEditField();
        ASSERT_NE(field, nullptr) << c.what;
        if (c.typed) {
            EXPECT_EQ(headless::typeText(c.typed), int(std::strlen(c.typed)));
        }
        switch (c.ending) {
        case Ending::Enter: headless::pressKey(headless::EditKey::Enter); break;
        case Ending::ClickElsewhere: click(5, 100); break;
        case Ending::FocusLoss: headless::setKeyboardFocus(nullptr); break;
        }
        EXPECT_EQ(headless::liveEditFields(), 0) << c.what;
        EXPECT_EQ(editCalls(), (std::vector<HostCall>{{audioMasterBeginEdit, 1001, 0.0f},
                                                      {audioMasterEndEdit, 1001, 0.0f}}))
            << c.what;
        EXPECT_STREQ(plugin->effect().getLabelText().data(), c.stored) << c.what;
        EXPECT_EQ(plugin->shownLabel(), c.stored) << c.what;
    }
    // An unchanged edit copies nothing: the effect's text, changed behind the label's back,
    // stays as it is.
    plugin->effect().storeLabelText("elsewhere");
    click(125, 163);
    headless::pressKey(headless::EditKey::Enter);
    EXPECT_STREQ(plugin->effect().getLabelText().data(), "elsewhere");
    // Editing the text away brings back the parameter-only chunk.
    click(125, 163);
    headless::pressKey(headless::EditKey::Backspace);
    headless::pressKey(headless::EditKey::Enter);
    EXPECT_STREQ(plugin->effect().getLabelText().data(), "");
    EXPECT_FALSE(gui().userLabel()->getHasText());
    EXPECT_EQ(plugin->chunk().size(), 16u);
}

TEST_F(EditorInput, LabelShowsThirtyCharactersOfTheWholeStoredText) {
    const std::string whole(255, 'w');
    plugin->loadChunk(testhost::labelledChunk(whole, 0.625f, 0.5f, 0.0f, 0.0f));
    open();
    OrvaneUserLabel* label = gui().userLabel();
    EXPECT_EQ(std::string(label->getTextPointer()), whole);
    char shown[toolkit::kDisplayTextSize] = {};
    label->filteredText(shown);
    EXPECT_EQ(std::string(shown), std::string(30, 'w'));
    click(125, 163);
    headless::EditFieldInfo info;
    ASSERT_TRUE(headless::editFieldInfo(headless::focusedEditField(), info));
    EXPECT_EQ(std::string(info.text), whole) << "the field holds the whole text";
    EXPECT_EQ(headless::typeText("x"), 1) << "typing replaces the selection";
    headless::pressKey(headless::EditKey::Enter);
    EXPECT_STREQ(plugin->effect().getLabelText().data(), "x");

    char cut[toolkit::kDisplayTextSize] = {};
    labelTextFilter("short & sweet", cut);
    EXPECT_STREQ(cut, "short & sweet");
}

TEST_F(EditorInput, LabelDrawsTapeAndTextOnlyWhileItHoldsText) {
    open();
    auto* background = new toolkit::CBitmap(101);
    CRect r;
    gui().userLabel()->getViewRect(r);
    auto panelShows = [&] {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if ((testsupport::windowPixel(window(), x, y) & 0xFFFFFF) !=
                    testeditor::bitmapPixel(*background, x, y))
                    return false;
        return true;
    };
    auto darkPixels = [&] {
        int dark = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if ((testsupport::windowPixel(window(), x, y) & 0xFFFFFF) == 0) ++dark;
        return dark;
    };
    EXPECT_TRUE(panelShows()) << "empty: the caption behind shows";
    const int darkOnPanel = darkPixels();
    gui().setLabelText("MMMM");
    plugin->dispatch(effEditIdle);
    EXPECT_FALSE(panelShows());
    EXPECT_GT(darkPixels(), darkOnPanel + 10) << "black text on the tape";
    gui().setLabelText("");
    plugin->dispatch(effEditIdle);
    paint();
    EXPECT_TRUE(panelShows());
    background->release();
}

TEST_F(EditorInput, IdleStepsArePacedInsideMouseLoops) {
    open();
    struct Case {
        uint32_t after;
        bool fullStep;
    };
    // After a full step at t: a step at t + 10 or t + 45 sleeps 4 ms and returns; t + 46 comes
    // within 54 ms of the due time and runs; t + 100 runs without sleeping.
    const Case cases[] = {{10, false}, {45, false}, {46, true}, {100, true}};
    for (const Case& c : cases) {
        headless::advanceClock(200);
        gui().doIdle();
        const uint32_t start = platform::tickCount();
        testhost::takeCalls();
        gui().ledAt(0)->feedLevel(2.0);
        headless::setClock(start + c.after);
        gui().doIdle();
        int hostIdles = 0;
        for (const testhost::Call& call : testhost::takeCalls())
            if (call.opcode == audioMasterIdle) ++hostIdles;
        EXPECT_EQ(hostIdles, c.fullStep ? 1 : 0) << c.after;
        EXPECT_EQ(gui().ledAt(0)->peak(), c.fullStep ? 0.0 : 2.0) << c.after << ": redrawn?";
        EXPECT_EQ(platform::tickCount(), start + c.after + (c.after < 100 ? 4 : 0)) << c.after;
        EXPECT_EQ(gui().getNextIdleTicks(),
                  c.fullStep ? start + c.after + (c.after < 100 ? 4 : 0) + 100 : start + 100);
    }
    // Across the counter's wrap: due at 0xFFFFFFE4, a step at 0x48 (200 ms later) runs at once.
    headless::setClock(0xFFFFFF80u);
    gui().doIdle();
    headless::advanceClock(200);
    gui().ledAt(0)->feedLevel(2.0);
    gui().doIdle();
    EXPECT_EQ(gui().ledAt(0)->peak(), 0.0);
}

} // namespace
