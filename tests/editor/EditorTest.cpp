// The editor's window lifetime, layout, parameter synchronisation and hand-overs from other
// threads; on the headless backend natively and with real windows under Wine.
#include "ChunkBuilder.h"
#include "EditorFixture.h"

#include "editor/OrvaneUserLabel.h"
#include "toolkit/CHorizontalSwitch.h"
#include "toolkit/COffscreenContext.h"
#include "toolkit/COnOffButton.h"

#include <cmath>
#include <string>
#include <thread>

using testeditor::EditorWindow;
using testhost::Instance;
using toolkit::CRect;

namespace {

double meterReference(OrvaneVUMeterGUI& gui, int side) {
    return 20.0 * std::log10(gui.meterAt(side)->measuring().threshold(7)) + 5.0 / 6.0;
}

TEST_F(EditorWindow, RectIsSmallUntilTheFirstOpenAndFollowsXtndAtEachOpen) {
    set(3, 1.0f);
    EXPECT_EQ(rect(), std::make_pair(250, 303));
    open();
    EXPECT_EQ(rect(), std::make_pair(340, 400));
    EXPECT_EQ(plugin->dispatch(effEditGetRect, 0, 0, nullptr), 0);
    close();
    set(3, 0.0f);
    EXPECT_EQ(rect(), std::make_pair(340, 400)) << "closed: the rebuild waits for the next open";
    open();
    EXPECT_EQ(rect(), std::make_pair(250, 303));
}

TEST_F(EditorWindow, OpenBuildsTheNineControlsInOrderWithTheLayoutOfEachSize) {
    struct Case {
        float xtnd;
        CRect frame;
        CRect views[9];
        int32_t holdStrip;
    };
    const Case cases[] = {
        {0.0f, CRect(0, 0, 250, 303),
         {CRect(30, 53, 220, 143), CRect(193, 60, 220, 88), CRect(30, 183, 220, 273),
          CRect(193, 190, 220, 218), CRect(26, 1, 106, 21), CRect(143, 1, 203, 21),
          CRect(207, 1, 247, 21), CRect(180, 283, 230, 303), CRect(20, 153, 230, 173)},
         103},
        {1.0f, CRect(0, 0, 340, 400),
         {CRect(30, 60, 310, 190), CRect(272, 60, 310, 100), CRect(30, 240, 310, 370),
          CRect(272, 240, 310, 280), CRect(26, 1, 106, 21), CRect(143, 1, 203, 21),
          CRect(297, 1, 337, 21), CRect(270, 380, 320, 400), CRect(20, 195, 320, 225)},
         203},
    };
    const char* types[9] = {"OrvaneVU",          "OrvanePeakLed",     "OrvaneVU",
                            "OrvanePeakLed",     "CHorizontalSwitch", "CHorizontalSwitch",
                            "COnOffButton",      "COnOffButton",      "OrvaneUserLabel"};
    const int32_t tags[9] = {0, 0, 0, 0, 0, 1, 2, 3, OrvaneUserLabel::kTag};
    set(2, 1.0f);
    for (const Case& c : cases) {
        set(3, c.xtnd);
        open();
        toolkit::CFrame* frame = gui().getFrame();
        EXPECT_EQ(frame->viewSize(), c.frame);
        ASSERT_EQ(frame->getViewCount(), 9);
        for (int32_t i = 0; i < 9; ++i) {
            auto* view = static_cast<toolkit::CControl*>(frame->getView(i));
            CRect viewRect, mouseRect;
            EXPECT_TRUE(view->isTypeOf(types[i])) << i;
            EXPECT_EQ(view->getViewRect(viewRect), c.views[i]) << c.xtnd << " view " << i;
            EXPECT_EQ(view->getMouseRect(mouseRect), c.views[i]) << c.xtnd << " view " << i;
            EXPECT_EQ(view->getTag(), tags[i]) << i;
        }
        for (int side = 0; side < 2; ++side) {
            ASSERT_NE(gui().meterAt(side)->getHoldBitmap(), nullptr);
            EXPECT_EQ(gui().meterAt(side)->getHoldBitmap()->getResourceId(), c.holdStrip);
        }
        close();
    }
}

TEST_F(EditorWindow, OpenShowsTheStoredValuesWithDefaultsAndReferenceLevel) {
    plugin->loadChunk(testhost::labelledChunk("tape", 0.1f, 1.0f, 0.0f, 0.0f));
    open();
    EXPECT_EQ(plugin->controlValue(0), 0.1f);
    EXPECT_EQ(plugin->controlValue(1), 1.0f);
    EXPECT_EQ(plugin->controlValue(2), 0.0f);
    const float defaults[4] = {0.625f, 0.5f, 0.0f, 0.0f};
    for (VstInt32 tag = 0; tag < 4; ++tag) {
        EXPECT_EQ(gui().controlForTag(tag)->getDefaultValue(), defaults[tag]) << tag;
    }
    EXPECT_NEAR(meterReference(gui(), 0), -12.0, 1e-9);
    EXPECT_NEAR(meterReference(gui(), 1), -12.0, 1e-9);
    EXPECT_EQ(plugin->shownLabel(), "tape");
    EXPECT_EQ(gui().meterAt(0)->getHoldBitmap(), nullptr);

    // Host changes reach the controls; an index without a control changes nothing.
    set(1, 0.25f);
    EXPECT_EQ(plugin->controlValue(1), 0.25f);
    gui().setParameter(5, 1.0f);
    gui().setParameter(-1, 1.0f);
    set(0, 0.625f);
    EXPECT_NEAR(meterReference(gui(), 0), -18.0, 1e-9);
    set(2, 1.0f);
    EXPECT_TRUE(plugin->holdNeedleShown());
    set(2, 0.0f);
    EXPECT_FALSE(plugin->holdNeedleShown());
}

TEST_F(EditorWindow, GatedOperationsDoNothingWhileClosed) {
    gui().feedLevels(2.0, 2.0);
    gui().setMeterSampleRate(96000.0);
    gui().setReferenceLevel(-12.0);
    gui().setHoldNeedle(true);
    gui().rebuild();
    gui().setLabelText("x");
    gui().setParameter(0, 1.0f);
    EXPECT_EQ(gui().meterAt(0), nullptr);
    EXPECT_EQ(gui().userLabel(), nullptr);
    open();
    EXPECT_EQ(gui().meterAt(0)->measuring().level(), 0.0);
    EXPECT_EQ(gui().ledAt(0)->peak(), 0.0);
    EXPECT_EQ(plugin->controlValue(0), 0.625f);
    EXPECT_EQ(plugin->shownLabel(), "");
}

TEST_F(EditorWindow, ChangesFromAnotherThreadWaitForTheNextIdle) {
    open();
    std::thread automation([&] {
        set(1, 0.0f);
        set(2, 1.0f);
        set(3, 1.0f);
        plugin->loadChunk(testhost::labelledChunk("from afar", 0.625f, 0.0f, 1.0f, 1.0f));
    });
    automation.join();
    EXPECT_EQ(plugin->controlValue(1), 0.5f);
    EXPECT_FALSE(plugin->holdNeedleShown());
    EXPECT_EQ(rect(), std::make_pair(250, 303));
    EXPECT_EQ(plugin->shownLabel(), "");
    plugin->dispatch(effEditIdle);
    EXPECT_EQ(plugin->controlValue(1), 0.0f);
    EXPECT_TRUE(plugin->holdNeedleShown());
    EXPECT_EQ(gui().meterAt(1)->getHoldBitmap()->getResourceId(), 203);
    EXPECT_EQ(rect(), std::make_pair(340, 400));
    EXPECT_EQ(plugin->shownLabel(), "from afar");
}

TEST_F(EditorWindow, ClosingAndReopeningStartsFromRest) {
    open();
    float loud[256];
    std::fill(std::begin(loud), std::end(loud), 1.5f);
    float* io[2] = {loud, loud};
    plugin->record->processReplacing(plugin->record, io, io, 256);
    ASSERT_GT(gui().meterAt(0)->measuring().level(), 0.0);
    const int openViews = toolkit::CView::liveCount();
    close();
    EXPECT_EQ(toolkit::CView::liveCount(), openViews - 10) << "the frame and its nine controls";
    EXPECT_FALSE(gui().isOpened());
    EXPECT_EQ(gui().getFrame(), nullptr);
    gui().feedLevels(2.0, 2.0);
    open();
    for (int side = 0; side < 2; ++side) {
        EXPECT_EQ(gui().meterAt(side)->measuring().level(), 0.0);
        EXPECT_EQ(gui().meterAt(side)->getHeldFrame(), 0u);
        EXPECT_EQ(gui().ledAt(side)->peak(), 0.0);
        EXPECT_FALSE(gui().ledAt(side)->isLit());
    }
    open(); // a second open without close starts afresh too
    EXPECT_TRUE(gui().isOpened());
}

TEST_F(EditorWindow, TheWindowShowsTheBackgroundAndTheNeedlesAtRest) {
    open();
    auto* background = new toolkit::CBitmap(101);
    auto* needle = new toolkit::CBitmap(102);
    ASSERT_TRUE(background->isLoaded() && needle->isLoaded());
    // Panel corners away from every control.
    for (auto [x, y] : {std::pair{2, 40}, {245, 150}, {10, 290}}) {
        EXPECT_EQ(testsupport::windowPixel(window(), x, y) & 0xFFFFFF,
                  testeditor::bitmapPixel(*background, x, y))
            << x << "," << y;
    }
    // The needle of frame 0 (anti-aliased, partly transparent) blended over the meter face: the
    // window shows it wherever it covers the face noticeably, outside the LED.
    auto channel = [](uint32_t c, int shift) { return int((c >> shift) & 0xFF); };
    int checked = 0;
    for (int side = 0; side < 2; ++side) {
        CRect meter;
        gui().meterAt(side)->getViewRect(meter);
        for (int y = 0; y < meter.height(); ++y) {
            for (int x = 0; x < 150; ++x) {
                int alpha = 0;
                const uint32_t source = testeditor::bitmapPixel(*needle, x, y, &alpha);
                const uint32_t face =
                    testeditor::bitmapPixel(*background, meter.left + x, meter.top + y);
                if (alpha < 100) continue;
                const uint32_t shown =
                    testsupport::windowPixel(window(), meter.left + x, meter.top + y);
                for (int shift : {0, 8, 16}) {
                    const int expected =
                        channel(source, shift) + channel(face, shift) * (255 - alpha) / 255;
                    EXPECT_NEAR(channel(shown, shift), expected, 3)
                        << side << ": " << x << "," << y;
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 20);
    background->release();
    needle->release();
}

TEST_F(EditorWindow, AParentThatIsNoWindowGetsAnEditorDrawnOffScreen) {
    int notAWindow = 0;
    uintptr_t x11Id = 0x3e00007; // what a Linux host passes
    for (void* parent : {static_cast<void*>(&notAWindow), reinterpret_cast<void*>(x11Id),
                         static_cast<void*>(nullptr)}) {
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, parent), 1);
        toolkit::CFrame* frame = gui().getFrame();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->getSystemWindow(), nullptr);
        auto* background = new toolkit::CBitmap(101);
        EXPECT_EQ(platform::getPixel(frame->getBackBuffer()->getSystemContext(), 2, 40) & 0xFFFFFF,
                  testeditor::bitmapPixel(*background, 2, 40));
        background->release();
        gui().feedLevels(1.5, 1.5);
        plugin->dispatch(effEditIdle);
        set(3, 1.0f);
        EXPECT_EQ(frame->viewSize(), CRect(0, 0, 340, 400));
        plugin->dispatch(effEditIdle);
        set(3, 0.0f);
        close();
    }
}

TEST_F(EditorWindow, KeysAndKnobModeGoThroughTheFrame) {
    VstKeyCode key{};
    key.character = 'a';
    EXPECT_EQ(plugin->dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f), 0) << "closed";
    EXPECT_EQ(plugin->dispatch(effSetEditKnobMode, 0, 2), 1);
    open();
    EXPECT_EQ(gui().getFrame()->getKnobMode(), 2);
    Instance other;
    other.dispatch(effSetEditKnobMode, 0, 1);
    EXPECT_EQ(gui().getFrame()->getKnobMode(), 1) << "one knob mode for every instance";
    EXPECT_FALSE(gui().onKeyDown(key)) << "no view takes keys";
    EXPECT_FALSE(gui().onKeyUp(key));
    key.virt = VKEY_TAB;
    EXPECT_TRUE(gui().onKeyDown(key)) << "tab moves the focus to the label";
    EXPECT_EQ(gui().getFrame()->getFocusView(), gui().userLabel());
}

TEST_F(EditorWindow, ClosingTheEffectWithTheEditorOpenIsClean) {
    open(); // the fixture closes the effect without closing the editor
}

} // namespace
