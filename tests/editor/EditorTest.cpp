#include "ChunkBuilder.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

using testhost::Instance;

namespace {

std::pair<int, int> rectOf(Instance& plugin) {
    ERect* rect = nullptr;
    EXPECT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
    return {rect->right - rect->left, rect->bottom - rect->top};
}

void set(Instance& plugin, VstInt32 index, float value) {
    plugin.record->setParameter(plugin.record, index, value);
}

} // namespace

TEST(Editor, RectBeforeFirstOpenIsSmallWhateverXtndSays) {
    Instance plugin;
    set(plugin, 3, 1.0f);
    EXPECT_EQ(rectOf(plugin), std::make_pair(250, 303));
    plugin.openEditor();
    EXPECT_EQ(rectOf(plugin), std::make_pair(340, 400));
    EXPECT_EQ(plugin.dispatch(effEditGetRect, 0, 0, nullptr), 0);
}

TEST(Editor, XtndWhileClosedWaitsForTheNextOpen) {
    Instance plugin;
    plugin.openEditor();
    plugin.closeEditor();
    set(plugin, 3, 1.0f);
    EXPECT_EQ(rectOf(plugin), std::make_pair(250, 303));
    plugin.openEditor();
    EXPECT_EQ(rectOf(plugin), std::make_pair(340, 400));
}

TEST(Editor, XtndWhileOpenRebuildsKeepingTheMeters) {
    Instance plugin;
    plugin.openEditor();
    float loud[256];
    std::fill(std::begin(loud), std::end(loud), 0.5f);
    float* io[2] = {loud, loud};
    plugin.record->processReplacing(plugin.record, io, io, 256);
    const auto* meterBefore = plugin.gui().meterAt(0);
    const double level = meterBefore->level();
    set(plugin, 3, 1.0f);
    EXPECT_EQ(rectOf(plugin), std::make_pair(340, 400));
    EXPECT_EQ(plugin.gui().meterAt(0), meterBefore);
    EXPECT_EQ(plugin.gui().meterAt(0)->level(), level) << "no reset on rebuild";
    set(plugin, 3, 0.0f);
    EXPECT_EQ(rectOf(plugin), std::make_pair(250, 303));
}

TEST(Editor, OpenAnswersOneAndTakesTheEffectsState) {
    Instance plugin;
    plugin.loadChunk(testhost::labelledChunk("tape", 0.1f, 1.0f, 1.0f, 0.0f));
    EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, &plugin), 1);
    EXPECT_TRUE(plugin.gui().isOpened());
    EXPECT_STREQ(plugin.gui().shownLabel(), "tape");
    EXPECT_TRUE(plugin.gui().holdNeedleShown());
    EXPECT_EQ(plugin.gui().controlValue(0), 0.1f);
    EXPECT_EQ(plugin.gui().controlValue(1), 1.0f);
    EXPECT_EQ(plugin.gui().meterAt(0)->threshold(7), plugin.gui().meterAt(1)->threshold(7));
    EXPECT_NEAR(20.0 * std::log10(plugin.gui().meterAt(0)->threshold(7)), -12.0 - 5.0 / 6.0, 1e-9);
    EXPECT_EQ(plugin.dispatch(effEditClose), 0);
    EXPECT_FALSE(plugin.gui().isOpened());
    EXPECT_EQ(plugin.gui().meterAt(0), nullptr);
    EXPECT_EQ(plugin.gui().ledAt(1), nullptr);
}

TEST(Editor, GatedOperationsDoNothingWhileClosed) {
    Instance plugin;
    OrvaneVUMeterGUI& gui = plugin.gui();
    gui.feedLevels(2.0, 2.0);
    gui.setMeterSampleRate(96000.0);
    gui.setReferenceLevel(-12.0);
    gui.setHoldNeedle(true);
    gui.rebuild();
    gui.setLabelText("x");
    gui.setParameter(0, 1.0f);
    EXPECT_FALSE(gui.holdNeedleShown());
    EXPECT_STREQ(gui.shownLabel(), "");
    EXPECT_EQ(gui.controlValue(0), 0.0f);
    plugin.openEditor();
    EXPECT_EQ(gui.meterAt(0)->level(), 0.0);
    EXPECT_EQ(gui.ledAt(0)->peak(), 0.0);
    gui.setParameter(5, 1.0f); // no such control
    gui.setParameter(-1, 1.0f);
    EXPECT_EQ(gui.controlValue(0), 0.625f);
}

TEST(Editor, FeedLevelsDrivesLeftAndRight) {
    Instance plugin;
    plugin.openEditor();
    plugin.gui().feedLevels(0.9, 0.1);
    EXPECT_GT(plugin.gui().meterAt(0)->level(), plugin.gui().meterAt(1)->level());
    EXPECT_EQ(plugin.gui().ledAt(0)->peak(), 0.9);
    EXPECT_EQ(plugin.gui().ledAt(1)->peak(), 0.1);
}

TEST(Editor, ChangesFromAnotherThreadAreAppliedAtTheNextIdle) {
    Instance plugin;
    plugin.openEditor();
    std::thread automation([&] {
        set(plugin, 2, 1.0f);
        set(plugin, 3, 1.0f);
        plugin.loadChunk(testhost::labelledChunk("from afar", 0.625f, 0.5f, 1.0f, 1.0f));
    });
    automation.join();
    EXPECT_FALSE(plugin.gui().holdNeedleShown());
    EXPECT_EQ(rectOf(plugin), std::make_pair(250, 303));
    EXPECT_STREQ(plugin.gui().shownLabel(), "");
    plugin.dispatch(effEditIdle);
    EXPECT_TRUE(plugin.gui().holdNeedleShown());
    EXPECT_EQ(rectOf(plugin), std::make_pair(340, 400));
    EXPECT_STREQ(plugin.gui().shownLabel(), "from afar");
}

TEST(Editor, KnobModeIsSharedByAllInstances) {
    Instance a;
    Instance b;
    EXPECT_EQ(a.dispatch(effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(AEffGUIEditor::knobMode(), 2);
    EXPECT_EQ(b.dispatch(effSetEditKnobMode, 0, 1), 1);
    EXPECT_EQ(AEffGUIEditor::knobMode(), 1);
}

TEST(Editor, SecondOpenWithoutCloseStartsAfresh) {
    Instance plugin;
    plugin.openEditor();
    plugin.gui().feedLevels(0.7, 0.7);
    plugin.openEditor();
    EXPECT_EQ(plugin.gui().meterAt(0)->level(), 0.0);
    EXPECT_TRUE(plugin.gui().isOpened());
}

TEST(Editor, ClosingTheEffectWithTheEditorOpenIsClean) {
    Instance plugin;
    plugin.openEditor(); // the fixture closes the effect without closing the editor
}
