#include "TestHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using testhost::Instance;

namespace {

std::string display(Instance& plugin, VstInt32 index) {
    char text[16] = {};
    plugin.dispatch(effGetParamDisplay, index, 0, text);
    return text;
}

float get(Instance& plugin, VstInt32 index) {
    return plugin.record->getParameter(plugin.record, index);
}

void set(Instance& plugin, VstInt32 index, float value) {
    plugin.record->setParameter(plugin.record, index, value);
}

// The open editor's meters show the reference level as the threshold of their 0 VU mark.
double meterReference(Instance& plugin) {
    const double zeroMark = plugin.gui().meterAt(0)->measuring().threshold(7);
    return std::round(20.0 * std::log10(zeroMark) + 5.0 / 6.0);
}

} // namespace

TEST(Parameters, NewInstanceHoldsTheDefaults) {
    Instance plugin;
    const float expected[] = {0.625f, 0.5f, 0.0f, 0.0f};
    for (VstInt32 i = 0; i < 4; ++i) {
        EXPECT_EQ(get(plugin, i), expected[i]);
    }
    EXPECT_EQ(get(plugin, 4), 0.0f);
    EXPECT_EQ(get(plugin, -1), 0.0f);
    EXPECT_EQ(display(plugin, 0), "0.625000");
}

TEST(Parameters, StoredValuesAreClampedAndShownCut) {
    struct Case {
        float value;
        float stored;
        const char* text;
    };
    const Case cases[] = {{2.0f, 1.0f, "1.000000"},  {-3.0f, 0.0f, "0.000000"},
                          {0.7f, 0.7f, "0.699999"},  {0.5f, 0.5f, "0.500000"},
                          {std::numeric_limits<float>::infinity(), 1.0f, "1.000000"}};
    Instance plugin;
    for (const Case& c : cases) {
        set(plugin, 0, c.value);
        EXPECT_EQ(get(plugin, 0), c.stored) << c.value;
        EXPECT_EQ(display(plugin, 0), c.text);
    }
}

TEST(Parameters, NotANumberChangesNothing) {
    Instance plugin;
    plugin.openEditor();
    set(plugin, 0, 0.1f);
    set(plugin, 0, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(get(plugin, 0), 0.1f);
    EXPECT_EQ(meterReference(plugin), -12.0);
    EXPECT_EQ(display(plugin, 0), "0.100000");
}

TEST(Parameters, OutOfRangeIndexIsIgnored) {
    Instance plugin;
    const auto before = plugin.chunk();
    for (VstInt32 index : {-1, 4, 1000, std::numeric_limits<VstInt32>::min()}) {
        set(plugin, index, 0.9f);
    }
    EXPECT_EQ(plugin.chunk(), before);
}

TEST(Parameters, HeadroomSelectsTheMetersReferenceLevel) {
    struct Case {
        float headroom;
        double reference;
    };
    const Case cases[] = {{0.0f, -12},  {std::nextafter(0.25f, 0.0f), -12},
                          {0.25f, -14}, {0.5f, -18},
                          {std::nextafter(0.75f, 0.0f), -18}, {0.75f, -20},
                          {1.0f, -20},  {0.625f, -18}};
    Instance plugin;
    plugin.openEditor();
    for (const Case& c : cases) {
        set(plugin, 0, c.headroom);
        EXPECT_EQ(meterReference(plugin), c.reference) << c.headroom;
    }
    // A value set while the editor is closed takes effect at the next opening.
    plugin.closeEditor();
    set(plugin, 0, 0.3f);
    plugin.openEditor();
    EXPECT_EQ(meterReference(plugin), -14.0);
}

TEST(Parameters, HoldTurnsOnJustAboveOneHalf) {
    Instance plugin;
    plugin.openEditor();
    set(plugin, 2, 0.5f);
    EXPECT_FALSE(plugin.holdNeedleShown());
    set(plugin, 2, std::nextafter(0.5f, 1.0f));
    EXPECT_TRUE(plugin.holdNeedleShown());
    set(plugin, 2, 0.0f);
    EXPECT_FALSE(plugin.holdNeedleShown());
}

TEST(Parameters, OpenEditorControlsShowTheStoredValue) {
    Instance plugin;
    plugin.openEditor();
    set(plugin, 1, 7.0f);
    EXPECT_EQ(plugin.controlValue(1), 1.0f);
    plugin.closeEditor();
    set(plugin, 1, 0.0f);
    EXPECT_EQ(plugin.gui().controlForTag(1), nullptr) << "closed: there are no controls";
    plugin.openEditor();
    EXPECT_EQ(plugin.controlValue(1), 0.0f);
}

TEST(Parameters, SampleRateIsStoredAndResetsTheOpenMeters) {
    Instance plugin;
    plugin.openEditor();
    float left[64], right[64];
    for (int i = 0; i < 64; ++i) {
        left[i] = right[i] = 0.9f;
    }
    float* io[2] = {left, right};
    plugin.record->processReplacing(plugin.record, io, io, 64);
    ASSERT_GT(plugin.gui().meterAt(0)->measuring().level(), 0.0);
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    EXPECT_EQ(plugin.effect().getSampleRate(), 96000.0f);
    EXPECT_EQ(plugin.gui().meterAt(0)->measuring().level(), 0.0);
    EXPECT_EQ(plugin.gui().meterAt(1)->measuring().level(), 0.0);
    // The new coefficients are those of a meter built for 96 kHz.
    meter::VuBallistics fresh(96000.0f, OrvaneVUMeterGUI::kNeedleFrames);
    EXPECT_EQ(plugin.gui().meterAt(0)->measuring().coefficients().a1, fresh.coefficients().a1);
}

TEST(Parameters, SampleRateThatIsNoRateIsIgnored) {
    Instance plugin;
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    for (float bad : {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(),
                      std::numeric_limits<float>::infinity()}) {
        plugin.dispatch(effSetSampleRate, 0, 0, nullptr, bad);
        EXPECT_EQ(plugin.effect().getSampleRate(), 48000.0f);
    }
}

TEST(Parameters, ClosedEditorGetsRateAtNextOpen) {
    Instance plugin;
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 22050.0f);
    plugin.openEditor();
    meter::VuBallistics fresh(22050.0f, OrvaneVUMeterGUI::kNeedleFrames);
    EXPECT_EQ(plugin.gui().meterAt(1)->measuring().coefficients().b0, fresh.coefficients().b0);
}
