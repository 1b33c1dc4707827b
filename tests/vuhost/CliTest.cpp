// The command line driven in-process against the fixture plug-ins.
#include "AudioFile.h"
#include "ChunkFormat.h"
#include "FileBytes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace vuhost;
using test::contains;
using test::floatBytes;
using test::runCli;

namespace {

const std::string passThrough = FIXTURE_PASSTHROUGH;

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST(VuhostInfo, ShowsIdentityChannelsAndParameters) {
    const auto r = runCli({"info", passThrough});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    for (const char* line : {"entry point     VSTPluginMain\n",
                             "magic           'VstP' 0x56737450\n",
                             "unique ID       'VhFx' 0x56684678\n",
                             "version         3\n",
                             "effect name     Vuhost Fixture\n",
                             "vendor          Fixture Works\n",
                             "product         Pass-Through Fixture\n",
                             "vendor version  7\n",
                             "VST version     2400\n",
                             "category        1 (Effect)\n",
                             "flags           0x00001030 (CanReplacing ProgramChunks CanDoubleReplacing)\n",
                             "inputs          2\n",
                             "outputs         2\n",
                             "parameters      2\n",
                             "    0  Alpha     0.250     %\n",
                             "    1  Beta      0.750\n"})
        EXPECT_TRUE(contains(r.out, line)) << "missing: " << line << "in:\n" << r.out;
    // Host callbacks are quiet unless asked for.
    EXPECT_FALSE(contains(r.out, "host:"));
}

TEST(VuhostInfo, FallsBackToTheEntryPointNamedMain) {
    const auto r = runCli({"info", FIXTURE_MAINONLY});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "entry point     main\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "effect name     Vuhost Fixture\n"));
}

TEST(VuhostInfo, LogsEditGesturesAndWindowRequestsWithLog) {
    const auto r = runCli({"info", passThrough, "--log"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "host: begin edit 0\nhost: automate parameter 0 = 0.25\n"
                                "host: end edit 0\nhost: size window 300 x 200\n"))
        << r.out;
}

TEST(VuhostInfo, ReportsEachBrokenPluginInOneLine) {
    test::ScratchDir dir;
    writeFileBytes(dir.file("text.dll"), {'n', 'o', 't', ' ', 'c', 'o', 'd', 'e'});
    writeFileBytes(dir.file("empty.dll"), {});
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {dir.file("missing.dll"), "no such file"},
        {dir.file(""), "is a directory"},
        {dir.file("text.dll"), "not a loadable plug-in library"},
        {dir.file("empty.dll"), "not a loadable plug-in library"},
        {FIXTURE_NOENTRY, "no VST entry point (exports neither VSTPluginMain nor main)"},
        {FIXTURE_NULL, "the plug-in refused to start (VSTPluginMain returned no effect record)"},
        {FIXTURE_BADMAGIC, "not a VST 2.4 effect record (magic 0x56737458 'VstX', expected 0x56737450 'VstP')"},
        {FIXTURE_ODDCOUNTS, "implausible parameter count 1000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        for (const char* command : {"info", "chunk"}) {
            const auto r = runCli({command, c.path});
            EXPECT_EQ(r.code, 2);
            EXPECT_TRUE(r.out.empty()) << r.out;
            EXPECT_EQ(lineCount(r.err), 1u) << r.err;
            EXPECT_EQ(r.err.rfind("vuhost: ", 0), 0u) << r.err;
            EXPECT_TRUE(contains(r.err, c.reason)) << r.err;
        }
    }
}

TEST(VuhostProcess, PassesTheTestSignalThroughBitIdentically) {
    test::ScratchDir dir;
    const std::string signal = dir.file("signal.wav");
    ASSERT_EQ(runCli({"testsignal", signal, "--rate", "44100"}).code, 0);
    for (const char* precision : {"", "--double"}) {
        for (const char* block : {"1", "333", "4096"}) {
            SCOPED_TRACE(std::string(precision) + " block " + block);
            const std::string out = dir.file("out.wav");
            std::vector<std::string> args = {"process", passThrough, signal, out, "--block", block};
            if (*precision) args.push_back(precision);
            const auto r = runCli(args);
            ASSERT_EQ(r.code, 0) << r.err;
            EXPECT_TRUE(contains(r.out, std::string("in blocks of ") + block + ", " +
                                            (*precision ? "double" : "single") + " precision"))
                << r.out;
            const auto cmp = runCli({"compare", signal, out});
            EXPECT_EQ(cmp.code, 0) << cmp.out;
            EXPECT_EQ(cmp.out, "identical: 90405 frames of 2 channels\n");
        }
    }
}

TEST(VuhostProcess, KeepsEveryEncodingAndChannelCount) {
    test::ScratchDir dir;
    for (auto encoding : {SampleEncoding::Pcm16, SampleEncoding::Pcm24, SampleEncoding::Pcm32,
                          SampleEncoding::Float32}) {
        for (int channels : {1, 2}) {
            const std::string in = dir.file("in.wav"), out = dir.file("out.wav");
            writeAudioFile(in, test::exactAudio(encoding, channels, 2000, 22050));
            // Single precision holds 16- and 24-bit samples exactly, but not 32-bit ones.
            const bool singleExact = encoding != SampleEncoding::Pcm32;
            for (bool dbl : {false, true}) {
                if (!dbl && !singleExact) continue;
                SCOPED_TRACE(encodingName(encoding) + ", " + std::to_string(channels) +
                             " channels" + (dbl ? ", double" : ""));
                std::vector<std::string> args = {"process", passThrough, in, out, "--block", "256"};
                if (dbl) args.push_back("--double");
                ASSERT_EQ(runCli(args).code, 0);
                const AudioData result = readAudioFile(out);
                EXPECT_EQ(result.encoding, encoding);
                EXPECT_EQ(result.channels, channels);
                EXPECT_EQ(result.sampleRate, 22050);
                EXPECT_EQ(runCli({"compare", in, out}).code, 0);
            }
        }
    }
}

TEST(VuhostProcess, SetsParametersAndSavesTheStateChunk) {
    test::ScratchDir dir;
    const std::string signal = dir.file("signal.wav"), state = dir.file("state.bin");
    ASSERT_EQ(runCli({"testsignal", signal, "--rate", "8000"}).code, 0);
    auto r = runCli({"process", passThrough, signal, dir.file("out.wav"), "--set", "Alpha=1",
                     "--set", "Beta=0.125", "--chunk-out", state});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "state chunk: 8 bytes")) << r.out;
    EXPECT_EQ(readFileBytes(state), floatBytes({1.0f, 0.125f}));

    // The saved state goes back in, and a later --set wins over it.
    r = runCli({"process", passThrough, signal, dir.file("out.wav"), "--chunk-in", state, "--set",
                "Beta=0.5", "--chunk-out", dir.file("again.bin")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readFileBytes(dir.file("again.bin")), floatBytes({1.0f, 0.5f}));
}

TEST(VuhostChunk, LoadsChangesSavesAndShowsState) {
    test::ScratchDir dir;
    const std::string in = dir.file("labelled.bin"), out = dir.file("out.bin");
    writeFileBytes(in, floatBytes({6.0f, 0.5f, 0.25f}, "hello"));
    auto r = runCli({"chunk", passThrough, "--in", in, "--set", "Alpha=0.75", "--out", out, "--show"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readFileBytes(out), floatBytes({6.0f, 0.75f, 0.25f}, "hello"));
    EXPECT_TRUE(contains(r.out, "state chunk: 18 bytes: " + out + "\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "chunk: 18 bytes, labelled form\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "[0] Alpha 0.75\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "[1] Beta 0.25\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "label   \"hello\"\n")) << r.out;

    // Without --out the state is shown; a fresh instance has the parameter-only form.
    r = runCli({"chunk", passThrough});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "chunk: 8 bytes, parameter-only form\n  [0] Alpha 0.25\n  [1] Beta 0.75\n"))
        << r.out;
}

TEST(VuhostCommandLine, RejectsBadArgumentsWithAMessage) {
    test::ScratchDir dir;
    const std::string signal = dir.file("signal.wav"), out = dir.file("out.wav");
    ASSERT_EQ(runCli({"testsignal", signal, "--rate", "8000"}).code, 0);
    writeFileBytes(dir.file("garbage.wav"), {'R', 'I', 'F', 'F', 1, 2, 3});
    writeFileBytes(dir.file("empty.bin"), {});
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "no command given"},
        {{"play", signal}, "unknown command 'play'"},
        {{"process", passThrough, signal}, "process takes 3 file arguments, not 2"},
        {{"info", passThrough, "--double"}, "unknown option --double for info"},
        {{"process", passThrough, signal, out, "--block"}, "option --block needs a value"},
        {{"process", passThrough, signal, out, "--block", "0"}, "--block must be a whole number from 1 to 65536, not '0'"},
        {{"process", passThrough, signal, out, "--block", "12x"}, "--block must be a whole number"},
        {{"process", passThrough, signal, out, "--block", "1", "--block", "2"}, "option --block given twice"},
        {{"process", passThrough, signal, out, "--set", "Alpha"}, "--set takes NAME=VALUE, not 'Alpha'"},
        {{"process", passThrough, signal, out, "--set", "Gamma=1"}, "no parameter named 'Gamma' (parameters: Alpha, Beta)"},
        {{"process", passThrough, signal, out, "--set", "Alpha=1.5"}, "the value of Alpha must be a normalised value from 0 to 1, not 1.5"},
        {{"process", passThrough, signal, out, "--set", "Alpha=nan"}, "the value of Alpha must be a number, not 'nan'"},
        {{"process", passThrough, signal, out, "--set", "Alpha="}, "the value of Alpha must be a number, not ''"},
        {{"process", passThrough, dir.file("garbage.wav"), out}, "garbage.wav: cannot read audio"},
        {{"process", passThrough, dir.file("none.wav"), out}, "none.wav: no such file"},
        {{"process", passThrough, signal, dir.file("no/such/dir/out.wav")}, "out.wav: cannot"},
        {{"process", passThrough, signal, out, "--chunk-in", dir.file("none.bin")}, "none.bin: no such file"},
        {{"chunk", passThrough, "--in", dir.file("empty.bin")}, "empty.bin: empty state file"},
        {{"process", FIXTURE_NULL, signal, out}, "refused to start"},
        {{"process", FIXTURE_MAINONLY, signal, out, "--double"}, "the plug-in cannot process in double precision"},
        {{"testsignal", out, "--rate", "100"}, "--rate must be a whole number from 8000 to 768000, not '100'"},
        {{"compare", signal, dir.file("none.wav")}, "none.wav: no such file"},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        SCOPED_TRACE(joined);
        const auto r = runCli(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.rfind("vuhost: ", 0), 0u) << r.err;
        EXPECT_TRUE(contains(r.err.substr(0, r.err.find('\n')), c.message)) << r.err;
    }
}

TEST(VuhostCompare, FindsTheFirstDifferingSample) {
    test::ScratchDir dir;
    AudioData audio = test::exactAudio(SampleEncoding::Float32, 2, 100);
    writeAudioFile(dir.file("a.wav"), audio);
    audio.samples[2 * 37 + 1] = 0.5;
    writeAudioFile(dir.file("b.wav"), audio);
    auto r = runCli({"compare", dir.file("a.wav"), dir.file("b.wav")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.out, "different: 1 sample differ, first at frame 37 channel 1")) << r.out;

    audio.samples.resize(2 * 99);
    writeAudioFile(dir.file("c.wav"), audio);
    r = runCli({"compare", dir.file("a.wav"), dir.file("c.wav")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "different: 100 against 99 frames\n");

    // Same values in another encoding are the same sample data.
    writeAudioFile(dir.file("d16.wav"), test::exactAudio(SampleEncoding::Pcm16, 1, 50));
    AudioData asFloat = test::exactAudio(SampleEncoding::Pcm16, 1, 50);
    asFloat.encoding = SampleEncoding::Float32;
    writeAudioFile(dir.file("dfloat.wav"), asFloat);
    EXPECT_EQ(runCli({"compare", dir.file("d16.wav"), dir.file("dfloat.wav")}).code, 0);
}
