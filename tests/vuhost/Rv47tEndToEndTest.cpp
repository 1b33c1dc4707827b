// vuhost against the real plug-in: identity and parameters as a host sees them, audio through it
// unchanged in both precisions, and its state files.
#include "AudioFile.h"
#include "FileBytes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vuhost;
using test::contains;
using test::floatBytes;
using test::runCli;

namespace {

const std::string plugin = RV47T_PLUGIN;

} // namespace

TEST(Rv47tEndToEnd, InfoShowsTheIdentityAndTheFourParameters) {
    const auto r = runCli({"info", plugin});
    ASSERT_EQ(r.code, 0) << r.err;
    for (const char* line : {"magic           'VstP' 0x56737450\n",
                             "unique ID       'RV47' 0x52563437\n",
                             "version         1\n",
                             "effect name     RV47-T VU Meter\n",
                             "vendor          Marrowdyne\n",
                             "product         RV47-T VU Meter\n",
                             "vendor version  1210\n",
                             "VST version     2400\n",
                             "category        3 (Analysis)\n",
                             "flags           0x00001031 (HasEditor CanReplacing ProgramChunks "
                             "CanDoubleReplacing)\n",
                             "inputs          2\n",
                             "outputs         2\n",
                             "programs        0\n",
                             "parameters      4\n",
                             "    0  Headroom  0.625000  dB\n",
                             "    1  Mode      0.500000\n",
                             "    2  Hold      0.000000\n",
                             "    3  Xtnd      0.000000\n"})
        EXPECT_TRUE(contains(r.out, line)) << "missing: " << line << "in:\n" << r.out;
}

TEST(Rv47tEndToEnd, PassesAudioThroughBitIdenticallyInBothPrecisions) {
    test::ScratchDir dir;
    const std::string signal = dir.file("signal.wav"), mono = dir.file("mono16.wav");
    ASSERT_EQ(runCli({"testsignal", signal}).code, 0);
    writeAudioFile(mono, test::exactAudio(SampleEncoding::Pcm16, 1, 10000));
    for (const std::string& in : {signal, mono}) {
        for (const char* mode : {"0", "0.5", "1"}) {
            for (const char* precision : {"", "--double"}) {
                SCOPED_TRACE(in + " Mode=" + mode + " " + precision);
                const std::string out = dir.file("out.wav");
                std::vector<std::string> args = {"process", plugin, in, out, "--block", "480",
                                                 "--set", std::string("Mode=") + mode, "--set", "Hold=1"};
                if (*precision) args.push_back(precision);
                const auto r = runCli(args);
                ASSERT_EQ(r.code, 0) << r.err;
                const auto cmp = runCli({"compare", in, out});
                EXPECT_EQ(cmp.code, 0) << cmp.out;
                EXPECT_EQ(cmp.out.rfind("identical: ", 0), 0u) << cmp.out;
            }
        }
    }
}

TEST(Rv47tEndToEnd, ReadsAndWritesItsStateChunks) {
    test::ScratchDir dir;
    // A new instance: the parameter-only form with the defaults.
    auto r = runCli({"chunk", plugin, "--out", dir.file("new.bin"), "--show"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readFileBytes(dir.file("new.bin")), floatBytes({0.625f, 0.5f, 0.0f, 0.0f}));
    EXPECT_TRUE(contains(r.out, "16 bytes, parameter-only form\n  [0] Headroom 0.625\n")) << r.out;

    // Parameters set by name travel in the chunk.
    r = runCli({"chunk", plugin, "--set", "Headroom=1", "--set", "Xtnd=1", "--out", dir.file("set.bin")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readFileBytes(dir.file("set.bin")), floatBytes({1.0f, 0.5f, 0.0f, 1.0f}));

    // A labelled chunk goes in and comes out the same; a later --set changes only its value.
    writeFileBytes(dir.file("abc.bin"), floatBytes({4.0f, 0.625f, 0.5f, 0.0f, 0.0f}, "abc"));
    r = runCli({"chunk", plugin, "--in", dir.file("abc.bin"), "--out", dir.file("abc-out.bin"), "--show"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readFileBytes(dir.file("abc-out.bin")), readFileBytes(dir.file("abc.bin")));
    EXPECT_TRUE(contains(r.out, "label   \"abc\"\n")) << r.out;
    r = runCli({"chunk", plugin, "--in", dir.file("abc.bin"), "--set", "Hold=1", "--out", dir.file("hold.bin")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readFileBytes(dir.file("hold.bin")), floatBytes({4.0f, 0.625f, 0.5f, 1.0f, 0.0f}, "abc"));

    // Values outside 0..1 in a state file are clamped by the plug-in.
    writeFileBytes(dir.file("wild.bin"), floatBytes({-0.5f, 7.0f, 0.0f, 0.0f}));
    r = runCli({"chunk", plugin, "--in", dir.file("wild.bin"), "--out", dir.file("tame.bin")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readFileBytes(dir.file("tame.bin")), floatBytes({0.0f, 1.0f, 0.0f, 0.0f}));

    // The state saved after processing is the state set for it.
    ASSERT_EQ(runCli({"testsignal", dir.file("signal.wav"), "--rate", "8000"}).code, 0);
    r = runCli({"process", plugin, dir.file("signal.wav"), dir.file("out.wav"), "--chunk-in",
                dir.file("abc.bin"), "--set", "Mode=0", "--chunk-out", dir.file("after.bin")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readFileBytes(dir.file("after.bin")), floatBytes({4.0f, 0.625f, 0.0f, 0.0f, 0.0f}, "abc"));
}
