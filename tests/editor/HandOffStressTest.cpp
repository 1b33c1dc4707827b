// A real audio thread processes blocks without pause while the user-interface thread opens,
// idles, rebuilds and closes the editor in a host window hundreds of times, and a third thread
// changes the sample rate and the parameters and loads chunks.
// Run under the thread sanitizer (label "stress"); everywhere it checks that nothing crashes,
// that no control outlives a close and that the meters start from rest at every opening.
#include "ChunkBuilder.h"
#include "TestHost.h"
#include "TestPlatform.h"

#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"
#include "toolkit/CView.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

using testhost::Instance;

namespace {

constexpr int kBlock = 256;
constexpr float kLoud = 1.5f;
#if defined(__SANITIZE_THREAD__)
constexpr int kMinimumOpenings = 2; // an opening takes tens of seconds there
#elif defined(_WIN32)
constexpr int kMinimumOpenings = 5; // real windows under Wine: about ten seconds an opening
#else
constexpr int kMinimumOpenings = 30;
#endif

TEST(HandOff, AudioFeedAgainstOpenIdleRebuildCloseAndHostChanges) {
    const int views = toolkit::CView::liveCount();
    const int bitmaps = toolkit::CBitmap::liveCount();
    void* host = testsupport::createHostWindow(250, 303);
    std::atomic<bool> stop{false};
    std::atomic<long long> framesFed{0}; // 64 bits on every target: long is 32 bits on Windows
    // While quiet, the audio thread feeds silence: a meter that starts from rest then shows
    // exactly 0, one that kept anything of an earlier opening does not.
    std::atomic<bool> quiet{false};
    {
        Instance plugin;
        std::thread audio([&] {
            std::vector<float> left(kBlock), right(kBlock);
            std::vector<double> leftD(kBlock), rightD(kBlock);
            while (!stop.load()) {
                const bool silent = quiet.load();
                for (int i = 0; i < kBlock; ++i) {
                    left[i] = silent ? 0.0f : (i % 7 == 0) ? kLoud : 0.3f;
                    right[i] = silent ? 0.0f : -0.2f;
                    leftD[i] = left[i];
                    rightD[i] = right[i];
                }
                float* io[2] = {left.data(), right.data()};
                double* ioD[2] = {leftD.data(), rightD.data()};
                plugin.record->processReplacing(plugin.record, io, io, kBlock);
                framesFed.fetch_add(kBlock);
                plugin.record->processDoubleReplacing(plugin.record, ioD, ioD, kBlock);
                framesFed.fetch_add(kBlock);
            }
        });

        std::thread automation([&] {
            int n = 0;
            while (!stop.load()) {
                plugin.dispatch(effSetSampleRate, 0, 0, nullptr, (n % 2) ? 44100.0f : 48000.0f);
                // Headroom and Mode often; Hold, which loads a strip at the next idle, seldom.
                plugin.record->setParameter(plugin.record, n % 2, float(n % 5) / 4.0f);
                if (n % 32 == 16) plugin.record->setParameter(plugin.record, 2, float(n % 3 == 0));
                if (n % 256 == 0) {
                    plugin.loadChunk(testhost::labelledChunk("take " + std::to_string(n), 0.625f,
                                                             0.5f, float(n % 2), float(n % 1024 == 0)));
                    plugin.chunk();
                } else if (n % 256 == 128) {
                    plugin.loadChunk(testhost::floatChunk({0.1f, 1.0f, 0.0f, 0.0f}));
                }
                ++n;
                std::this_thread::sleep_for(std::chrono::microseconds(300));
            }
        });

        // Hundreds of openings natively; a sanitizer's build, where every opening and rebuild
        // decoding the skin's film strips takes seconds, stops after its share of time.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(100);
        int cycles = 0;
        while (cycles < 300 && std::chrono::steady_clock::now() < end) {
            // Silence from here on: wait until the loop iteration in progress is over.
            quiet.store(true);
            const long long before = framesFed.load();
            while (framesFed.load() < before + 4 * kBlock) std::this_thread::yield();
            ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, host), 1);
            OrvaneVUMeterGUI& gui = plugin.gui();
            testsupport::repaint(gui.getFrame()->getSystemWindow(), {0, 0, 250, 303});
            for (int side = 0; side < 2; ++side) {
                EXPECT_EQ(gui.meterAt(side)->measuring().level(), 0.0) << "cycle " << cycles;
                EXPECT_EQ(gui.ledAt(side)->peak(), 0.0) << "cycle " << cycles;
            }
            quiet.store(false);
            for (int i = 0; i < 4; ++i) {
                plugin.dispatch(effEditIdle);
                if (i == 1) { // from this thread: a rebuild and a hold change at once
                    if (cycles % 4 == 0) {
                        plugin.record->setParameter(plugin.record, 3, float(cycles % 8 == 0));
                    }
                    plugin.record->setParameter(plugin.record, 2, float((cycles / 2) % 2));
                    gui.setLabelText(cycles % 3 ? "ui" : "");
                }
                for (int side = 0; side < 2; ++side) {
                    EXPECT_LE(gui.meterAt(side)->currentFrame(), 129u);
                }
                testsupport::pumpMessages();
            }
            plugin.closeEditor();
            EXPECT_EQ(toolkit::CView::liveCount(), views) << "controls outlive the close";
            ++cycles;
        }
        stop.store(true);
        audio.join();
        automation.join();
        std::printf("%d openings, %lld frames fed\n", cycles, framesFed.load());
        EXPECT_GE(cycles, kMinimumOpenings);
    }
    testsupport::destroyWindow(host);
    EXPECT_GT(framesFed.load(), 10 * kBlock);
    EXPECT_EQ(toolkit::CBitmap::liveCount(), bitmaps);
}

} // namespace
