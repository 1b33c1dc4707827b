#include "TestHost.h"

#include <gtest/gtest.h>

using testhost::Instance;

namespace {

int factoryCalls = 0;
AudioEffect* countingFactory(audioMasterCallback host) {
    ++factoryCalls;
    return testhost::makeVuMeter(host);
}

VstIntPtr VSTCALLBACK versionZeroHost(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) {
    return 0;
}

} // namespace

TEST(EntryPoint, HostAnsweringVersionZeroGetsNoInstance) {
    factoryCalls = 0;
    EXPECT_EQ(host::createEffectRecord(versionZeroHost, countingFactory), nullptr);
    EXPECT_EQ(factoryCalls, 0);
}

TEST(EntryPoint, AsksTheVersionWithoutAnEffectBeforeCreating) {
    testhost::takeCalls();
    Instance one;
    const auto calls = testhost::takeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(calls[0].index, 0);
    EXPECT_EQ(calls[0].value, 0);
}

TEST(EntryPoint, EveryCallMakesAnIndependentRecord) {
    Instance a;
    Instance b;
    ASSERT_NE(a.record, nullptr);
    ASSERT_NE(b.record, nullptr);
    EXPECT_NE(a.record, b.record);
    EXPECT_NE(a.record->object, b.record->object);
    for (AEffect* r : {a.record, b.record}) {
        EXPECT_EQ(r->magic, kEffectMagic);
        EXPECT_EQ(r->flags, 0x1031);
        EXPECT_EQ(r->numParams, 4);
        EXPECT_EQ(r->numPrograms, 0);
        EXPECT_EQ(r->numInputs, 2);
        EXPECT_EQ(r->numOutputs, 2);
        EXPECT_EQ(r->uniqueID, 0x52563437);
        EXPECT_EQ(r->version, 1);
        EXPECT_EQ(r->ioRatio, 1.0f);
        EXPECT_EQ(r->user, nullptr);
        EXPECT_EQ(r->resvd1, 0);
        EXPECT_EQ(r->resvd2, 0);
        EXPECT_EQ(r->initialDelay, 0);
        EXPECT_EQ(r->realQualities, 0);
        EXPECT_EQ(r->offQualities, 0);
        for (char c : r->future) {
            EXPECT_EQ(c, 0);
        }
        EXPECT_NE(r->processReplacing, nullptr);
        EXPECT_NE(r->processDoubleReplacing, nullptr);
    }
    // Parameters of one instance do not reach the other.
    a.record->setParameter(a.record, 0, 0.1f);
    EXPECT_FLOAT_EQ(b.record->getParameter(b.record, 0), 0.625f);
}

TEST(EntryPoint, CloseAnswersOneAndDestroysTheInstance) {
    AEffect* record = host::createEffectRecord(testhost::callback, testhost::makeVuMeter);
    ASSERT_NE(record, nullptr);
    // Under the address sanitizer a missing destruction shows as a leak, a double one as an error.
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST(EntryPoint, NullHostCountsAsVersionOneAndWrappersAnswerDefaults) {
    AEffect* record = host::createEffectRecord(nullptr, testhost::makeVuMeter);
    ASSERT_NE(record, nullptr);
    auto* effect = static_cast<OrvaneVUMeter*>(record->object);
    EXPECT_EQ(effect->getMasterVersion(), 1);
    char vendor[65] = "unchanged";
    EXPECT_FALSE(effect->getHostVendorString(vendor));
    EXPECT_FALSE(effect->sizeWindow(340, 400));
    EXPECT_EQ(effect->canHostDo(const_cast<char*>("sizeWindow")), 0);
    effect->setParameterAutomated(1, 0.0f); // no host to tell: still stored
    EXPECT_EQ(effect->getParameter(1), 0.0f);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
}
