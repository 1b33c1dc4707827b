// A real audio thread processes blocks without pause while the user-interface thread opens,
// idles and closes the editor and a third thread changes the sample rate and parameters and
// loads chunks.
// Run under the thread sanitizer (label "stress"); elsewhere it checks that nothing crashes and
// that meters never outlive a close.
#include "ChunkBuilder.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using testhost::Instance;

TEST(HandOff, AudioFeedAgainstOpenCloseAndParameterChanges) {
    Instance plugin;
    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};

    std::thread audio([&] {
        std::vector<float> left(256), right(256);
        std::vector<double> leftD(256), rightD(256);
        for (std::size_t i = 0; i < left.size(); ++i) {
            left[i] = (i % 7 == 0) ? 1.5f : 0.3f;
            right[i] = -0.2f;
            leftD[i] = left[i];
            rightD[i] = right[i];
        }
        float* io[2] = {left.data(), right.data()};
        double* ioD[2] = {leftD.data(), rightD.data()};
        while (!stop.load()) {
            plugin.record->processReplacing(plugin.record, io, io, 256);
            plugin.record->processDoubleReplacing(plugin.record, ioD, ioD, 256);
            blocks.fetch_add(1);
        }
    });

    std::thread automation([&] {
        int n = 0;
        while (!stop.load()) {
            plugin.dispatch(effSetSampleRate, 0, 0, nullptr, (n % 2) ? 44100.0f : 48000.0f);
            plugin.record->setParameter(plugin.record, n % 4, static_cast<float>(n % 5) / 4.0f);
            if (n % 8 == 0) {
                plugin.loadChunk(testhost::labelledChunk("take " + std::to_string(n), 0.625f,
                                                         0.5f, static_cast<float>(n % 2), 0.0f));
                plugin.chunk();
            }
            ++n;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int cycles = 0;
    while (std::chrono::steady_clock::now() < end) {
        plugin.openEditor();
        for (int i = 0; i < 5; ++i) {
            plugin.dispatch(effEditIdle);
            // Drawing reads what the audio thread writes.
            for (int side = 0; side < 2; ++side) {
                EXPECT_LE(plugin.gui().meterAt(side)->currentFrame(), 129u);
                plugin.gui().ledAt(side)->takePeak();
            }
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
        plugin.closeEditor();
        ++cycles;
    }
    stop.store(true);
    audio.join();
    automation.join();
    EXPECT_GT(cycles, 10);
    EXPECT_GT(blocks.load(), 10);
}
