#include "ChunkBuilder.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

using testhost::Instance;

namespace {

struct TextCase {
    VstInt32 opcode;
    VstInt32 index;
    const char* text;
    std::size_t limit;
    VstIntPtr answer;
};

const TextCase kTextCases[] = {
    {effGetEffectName, 0, "RV47-T VU Meter", 32, 1},
    {effGetVendorString, 0, "Marrowdyne", 64, 1},
    {effGetProductString, 0, "RV47-T VU Meter", 64, 1},
    {effGetProgramName, 0, "Default", 24, 0},
    {effGetParamName, 0, "Headroom", 8, 0},
    {effGetParamName, 3, "Xtnd", 8, 0},
    {effGetParamLabel, 0, "dB", 8, 0},
    {effGetParamLabel, 1, "", 8, 0},
    {effGetParamDisplay, 0, "0.625000", 8, 0},
    {effGetParamDisplay, 1, "0.500000", 8, 0},
};

} // namespace

TEST(Dispatcher, TextAnswersWriteExactlyLimitPlusOneBytes) {
    Instance plugin;
    for (const TextCase& c : kTextCases) {
        SCOPED_TRACE(std::to_string(c.opcode) + "/" + std::to_string(c.index));
        char buffer[128];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(plugin.dispatch(c.opcode, c.index, 0, buffer), c.answer);
        EXPECT_STREQ(buffer, c.text);
        for (std::size_t i = std::strlen(c.text); i <= c.limit; ++i) {
            EXPECT_EQ(buffer[i], '\0') << "byte " << i;
        }
        EXPECT_EQ(buffer[c.limit + 1], 'x') << "written past the limit";
    }
}

TEST(Dispatcher, ParameterTextForUnknownIndexLeavesTheBufferAlone) {
    Instance plugin;
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
        for (VstInt32 index : {-1, 4, 7, INT_MAX}) {
            char buffer[16] = "untouched";
            EXPECT_EQ(plugin.dispatch(opcode, index, 0, buffer), 0);
            EXPECT_STREQ(buffer, "untouched");
        }
    }
}

TEST(Dispatcher, FixedAnswers) {
    struct Case {
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr value;
        VstIntPtr answer;
    };
    const Case cases[] = {
        {effOpen, 0, 0, 0},
        {effGetProgram, 0, 0, 0},
        {effIdentify, 0, 0, 0x4E764566},
        {effCanBeAutomated, 0, 0, 1},
        {effCanBeAutomated, 99, 0, 1},
        {effCanBeAutomated, -5, 0, 1},
        {effGetPlugCategory, 0, 0, 3},
        {effGetVendorVersion, 0, 0, 1210},
        {effGetTailSize, 0, 0, 0},
        {effGetVstVersion, 0, 0, 2400},
        {effGetCurrentMidiProgram, 0, 0, -1},
        {effSetTotalSampleToProcess, 0, 4096, 4096},
        {effSetTotalSampleToProcess, 0, -17, -17},
        {effGetNumMidiInputChannels, 0, 0, 0},
        {effGetNumMidiOutputChannels, 0, 0, 0},
        {effMainsChanged, 0, 1, 0},
        {effMainsChanged, 0, 0, 0},
        {effSetBlockSize, 0, 512, 0},
        {effStartProcess, 0, 0, 0},
        {effStopProcess, 0, 0, 0},
        {effSetBypass, 0, 1, 0},
        {effSetEditKnobMode, 0, 2, 1},
        {effEditKeyDown, 'a', 0, 0},
        {effEditKeyUp, 'a', 0, 0},
    };
    Instance plugin;
    for (const Case& c : cases) {
        EXPECT_EQ(plugin.dispatch(c.opcode, c.index, c.value), c.answer) << "opcode " << c.opcode;
    }
    EXPECT_EQ(plugin.effect().getBlockSize(), 512);
}

TEST(Dispatcher, CanDoAnswersMinusOneForEveryText) {
    Instance plugin;
    for (const char* text : {"receiveVstMidiEvent", "sizeWindow", "", "bypass", "RV47"}) {
        EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, const_cast<char*>(text)), -1) << text;
    }
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, nullptr), -1);
}

TEST(Dispatcher, IgnoredAndUnknownOpcodesAnswerZeroAndChangeNothing) {
    Instance plugin;
    plugin.loadChunk(testhost::labelledChunk("tape", 0.1f, 1.0f, 1.0f, 0.0f));
    const auto before = plugin.chunk();
    const VstInt32 ignored[] = {4,  9,  16, 17, 18, 20, 21, 25, 27, 28, 29, 30, 31, 32, 33,
                                34, 36, 37, 38, 39, 40, 41, 43, 46, 50, 53, 54, 55, 56, 57,
                                62, 64, 65, 66, 67, 68, 70, 74, 75, 76, 77, 80, 100, 1000,
                                INT_MAX, -1, INT_MIN};
    char scratch[512] = {};
    for (VstInt32 opcode : ignored) {
        EXPECT_EQ(plugin.dispatch(opcode, 1, 1, scratch, 1.0f), 0) << "opcode " << opcode;
    }
    EXPECT_EQ(plugin.chunk(), before);
    EXPECT_EQ(plugin.record->flags, 0x1031);
}

TEST(Dispatcher, SetProgramStoresOnlyNumbersBelowTheProgramCount) {
    Instance plugin;
    plugin.dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
    plugin.dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
    char name[32];
    plugin.dispatch(effGetProgramName, 0, 0, name);
    EXPECT_STREQ(name, "Default");
}

TEST(Dispatcher, SpeakerArrangementsSetTheMonoFlag) {
    struct Case {
        VstInt32 in, out;
        VstIntPtr answer;
        bool mono;
    };
    const Case cases[] = {{1, 1, 1, true}, {2, 2, 1, false}, {1, 1, 1, true},
                          {1, 2, 0, false}, {6, 6, 0, false}, {0, 0, 0, false}};
    Instance plugin;
    for (const Case& c : cases) {
        VstSpeakerArrangement in{}, out{};
        in.numChannels = c.in;
        out.numChannels = c.out;
        EXPECT_EQ(plugin.dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in),
                                  &out),
                  c.answer);
        EXPECT_EQ(plugin.effect().isMonoArrangement(), c.mono);
        EXPECT_EQ(plugin.record->numInputs, 2);
        EXPECT_EQ(plugin.record->numOutputs, 2);
    }
    VstSpeakerArrangement mono{};
    mono.numChannels = 1;
    plugin.dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &mono);
    EXPECT_EQ(plugin.dispatch(effSetSpeakerArrangement, 0, 0, &mono), 0);
    EXPECT_EQ(plugin.dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono),
                              nullptr),
              0);
    EXPECT_TRUE(plugin.effect().isMonoArrangement()) << "a null pointer keeps the flag";
}

TEST(Dispatcher, GetSpeakerArrangementNullsBothPointers) {
    Instance plugin;
    VstSpeakerArrangement some{};
    VstSpeakerArrangement* in = &some;
    VstSpeakerArrangement* out = &some;
    EXPECT_EQ(plugin.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out),
              0);
    EXPECT_EQ(in, nullptr);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(plugin.dispatch(effGetSpeakerArrangement, 0, 0, nullptr), 0);
}

TEST(Dispatcher, SetParameterAutomatedTellsTheHostTheUnclampedValue) {
    Instance plugin;
    testhost::takeCalls();
    plugin.effect().setParameterAutomated(2, 1.5f);
    const auto calls = testhost::takeCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[0].index, 2);
    EXPECT_EQ(calls[0].opt, 1.5f);
    EXPECT_EQ(plugin.record->getParameter(plugin.record, 2), 1.0f);
}

TEST(Dispatcher, EditWrappersSendTagAsIndex) {
    Instance plugin;
    testhost::takeCalls();
    plugin.gui().beginEdit(1001);
    plugin.gui().endEdit(3);
    plugin.effect().masterIdle();
    const auto calls = testhost::takeCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[0].index, 1001);
    EXPECT_EQ(calls[1].opcode, audioMasterEndEdit);
    EXPECT_EQ(calls[1].index, 3);
    EXPECT_EQ(calls[2].opcode, audioMasterIdle);
}
