// The host-interface bases on their own: an effect that has no editor and no host.
#include "host/AudioEffectX.h"

#include <gtest/gtest.h>

namespace {

class BareEffect : public AudioEffectX {
public:
    BareEffect() : AudioEffectX(nullptr, 0, 1) {}
    void processReplacing(float**, float**, VstInt32) override { ++processed; }
    int processed = 0;
};

VstIntPtr dispatch(AEffect* r, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr) {
    return r->dispatcher(r, opcode, index, value, ptr, 0.0f);
}

} // namespace

TEST(BaseEffect, RecordStartsAsTheBaseSetsIt) {
    BareEffect effect;
    AEffect* r = effect.getAeffect();
    EXPECT_EQ(r->object, &effect);
    EXPECT_EQ(r->flags, effFlagsCanReplacing);
    EXPECT_EQ(r->numInputs, 1);
    EXPECT_EQ(r->numOutputs, 2);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
}

TEST(BaseEffect, EditorOpcodesWithoutEditorAnswerZero) {
    BareEffect effect;
    AEffect* r = effect.getAeffect();
    ERect* rect = nullptr;
    int parent = 0;
    EXPECT_EQ(dispatch(r, effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);
    EXPECT_EQ(dispatch(r, effEditOpen, 0, 0, &parent), 0);
    EXPECT_EQ(dispatch(r, effEditIdle), 0);
    EXPECT_EQ(dispatch(r, effEditClose), 0);
    EXPECT_EQ(dispatch(r, effEditKeyDown, 'a', 1), 0);
    EXPECT_EQ(dispatch(r, effEditKeyUp, 'a', 1), 0);
    EXPECT_EQ(dispatch(r, effSetEditKnobMode, 0, 1), 0);
}

TEST(BaseEffect, DefaultAnswersOfTheBases) {
    BareEffect effect;
    AEffect* r = effect.getAeffect();
    char text[80] = "x";
    EXPECT_EQ(dispatch(r, effGetEffectName, 0, 0, text), 0);
    EXPECT_EQ(dispatch(r, effGetPlugCategory), kPlugCategUnknown);
    effect.isSynth(true);
    EXPECT_EQ(dispatch(r, effGetPlugCategory), kPlugCategSynth);
    EXPECT_EQ(dispatch(r, effGetChunk, 0, 0, text), 0);
    EXPECT_EQ(effect.getParameter(0), 0.0f);
    dispatch(r, effGetParamName, 0, 0, text);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(effect.getVu(), 0.0f);
    // The accumulating entry does nothing; the replacing entry reaches the effect.
    r->process(r, nullptr, nullptr, 16);
    EXPECT_EQ(effect.processed, 0);
    r->processReplacing(r, nullptr, nullptr, 16);
    EXPECT_EQ(effect.processed, 1);
}

TEST(BaseEffect, HostWrappersWithoutHostAnswerDefaults) {
    BareEffect effect;
    EXPECT_EQ(effect.getMasterVersion(), 1);
    EXPECT_EQ(effect.getCurrentUniqueId(), 0);
    EXPECT_FALSE(effect.beginEdit(0));
    EXPECT_FALSE(effect.endEdit(0));
    EXPECT_FALSE(effect.sizeWindow(10, 10));
    EXPECT_EQ(effect.getTimeInfo(0), nullptr);
    effect.masterIdle();
    effect.resume();
}

TEST(BaseEffect, SpeakerArrangementRoutines) {
    BareEffect effect;
    VstSpeakerArrangement* made = nullptr;
    EXPECT_FALSE(effect.allocateArrangement(&made, 9));
    EXPECT_FALSE(effect.allocateArrangement(&made, -1));
    ASSERT_TRUE(effect.allocateArrangement(&made, 2));
    EXPECT_EQ(made->numChannels, 2);
    EXPECT_EQ(made->type, kSpeakerArrStereo);
    VstSpeakerArrangement source{};
    source.numChannels = 1;
    source.type = kSpeakerArrMono;
    source.speakers[0].azimuth = 0.5f;
    source.speakers[0].name[0] = 'M';
    ASSERT_TRUE(effect.matchArrangement(&made, &source)); // replaces the earlier one
    EXPECT_EQ(made->numChannels, 1);
    EXPECT_EQ(made->speakers[0].azimuth, 0.5f);
    EXPECT_EQ(made->speakers[0].name[0], 'M');
    EXPECT_TRUE(effect.deallocateArrangement(&made));
    EXPECT_EQ(made, nullptr);
    EXPECT_FALSE(effect.copySpeaker(nullptr, &source.speakers[0]));
}
