#include "VstHost.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

using namespace vuhost;

namespace {
VstIntPtr call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
               float opt = 0.0f) {
    return VstHost::callback(nullptr, opcode, index, value, ptr, opt);
}
} // namespace

TEST(VstHost, AnswersThePluginsQueries) {
    VstHost host;
    host.setSampleRate(96000.0f);
    host.setBlockSize(64);
    EXPECT_EQ(call(audioMasterVersion), 2400);
    EXPECT_EQ(call(audioMasterGetSampleRate), 96000);
    EXPECT_EQ(call(audioMasterGetBlockSize), 64);

    char text[65];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(call(audioMasterGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ(text, "vuhost");
    EXPECT_EQ(text[7], 'x'); // nothing written past the terminating zero
    EXPECT_EQ(call(audioMasterGetVendorString), 0); // no buffer

    EXPECT_EQ(call(audioMasterCanDo, 0, 0, const_cast<char*>("sizeWindow")), 1);
    EXPECT_EQ(call(audioMasterCanDo, 0, 0, const_cast<char*>("sizeWindowX")), 0);
    EXPECT_EQ(call(audioMasterCanDo, 0, 0, const_cast<char*>("sendVstMidiEvent")), 0);
    EXPECT_EQ(call(audioMasterCanDo), 0);

    EXPECT_EQ(call(audioMasterSizeWindow, 340, 400), 1);
    EXPECT_EQ(host.requestedWidth(), 340);
    EXPECT_EQ(host.requestedHeight(), 400);
    EXPECT_EQ(call(audioMasterSizeWindow, -5, 400), 0);
    EXPECT_EQ(host.requestedWidth(), 340);

    for (VstInt32 opcode : {-1, 3, 99, 100000}) EXPECT_EQ(call(opcode, 1, 2, nullptr, 3.0f), 0);
}

TEST(VstHost, LogsEditGesturesOnlyWhenAsked) {
    std::ostringstream log;
    {
        VstHost host(&log);
        EXPECT_EQ(call(audioMasterBeginEdit, 2), 1);
        EXPECT_EQ(call(audioMasterAutomate, 2, 0, nullptr, 1.5f), 0);
        EXPECT_EQ(call(audioMasterEndEdit, 2), 1);
        EXPECT_EQ(host.automationCount(), 1);
    }
    EXPECT_EQ(log.str(), "host: begin edit 2\nhost: automate parameter 2 = 1.5\nhost: end edit 2\n");

    VstHost quiet;
    call(audioMasterAutomate, 1001, 0, nullptr, 0.5f);
    EXPECT_EQ(quiet.automationCount(), 1);
}

TEST(VstHost, AnswersTheVersionQueryEvenWithoutAHostObject) {
    EXPECT_EQ(call(audioMasterVersion), 2400);
    EXPECT_EQ(call(audioMasterAutomate, 0, 0, nullptr, 1.0f), 0);
}
