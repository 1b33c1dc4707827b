// The plug-in's editor. While its window is open it owns the two meters' and the two LEDs'
// measuring objects, receives the audio levels and follows the effect's parameters; while it is
// closed every level and change is dropped and the next open takes the effect's state afresh.
#pragma once

#include "editor/AEffGUIEditor.h"
#include "editor/OpenGate.h"
#include "meter/MeterConstants.h"
#include "meter/PeakLevel.h"
#include "meter/VuBallistics.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

class OrvaneVUMeter;

class OrvaneVUMeterGUI : public AEffGUIEditor {
public:
    // Needle frame of each scale mark; the same for both editor sizes.
    static constexpr meter::FrameTable kNeedleFrames = {4, 21, 32, 42, 56, 65,
                                                        74, 84, 97, 109, 123, 129};
    static constexpr VstInt16 kSmallWidth = 250;
    static constexpr VstInt16 kSmallHeight = 303;
    static constexpr VstInt16 kLargeWidth = 340;
    static constexpr VstInt16 kLargeHeight = 400;
    static constexpr std::size_t kLabelBytes = 256;

    explicit OrvaneVUMeterGUI(OrvaneVUMeter* effect);
    ~OrvaneVUMeterGUI() override;

    bool open(void* parent) override;
    void close() override;
    void idle() override;
    void setParameter(VstInt32 index, float value) override;

    // Audio thread, once per sample frame: first drives the left meter and LED, second the right.
    void feedLevels(double first, double second);

    // The same feed for a whole audio block: the editor's open state is taken once, when the
    // block starts, and a close waits for the block to end.
    class LevelFeed {
    public:
        explicit LevelFeed(OrvaneVUMeterGUI& editor);
        explicit operator bool() const { return active; }
        void feedLevels(double first, double second) {
            gui.leftMeter->feedLevel(first);
            gui.rightMeter->feedLevel(second);
            gui.leftLed->feedLevel(first);
            gui.rightLed->feedLevel(second);
        }

    private:
        OrvaneVUMeterGUI& gui;
        editor::OpenGate::Pass pass;
        bool active;
    };
    void setMeterSampleRate(double sampleRate);
    void setReferenceLevel(double referenceDb);
    // These three change what the user interface shows; from another thread they are carried
    // out at the next idle call, from the effect's values current then.
    void setHoldNeedle(bool on);
    void rebuild();
    void setLabelText(const char* text);

    bool isOpened() const { return gate.isOpen(); }
    // The measuring objects; null while the window is closed. User-interface thread only.
    const meter::VuBallistics* meterAt(int side) const;
    meter::PeakLevel* ledAt(int side) const;
    bool holdNeedleShown() const { return holdNeedle; }
    const char* shownLabel() const { return labelShown.data(); }
    float controlValue(VstInt32 tag) const;

private:
    enum PendingWork : unsigned { kPendingRebuild = 1, kPendingHold = 2, kPendingLabel = 4 };

    OrvaneVUMeter* vuEffect() const;
    bool onUiThread() const;
    bool deferUnlessUiThread(PendingWork work);
    void runPendingWork();
    void applyRebuild();
    void applyHoldNeedle(bool on);
    void applyLabelText(const char* text);
    void setSizeFromXtnd();
    void destroyMeters();

    std::unique_ptr<meter::VuBallistics> leftMeter;
    std::unique_ptr<meter::VuBallistics> rightMeter;
    std::unique_ptr<meter::PeakLevel> leftLed;
    std::unique_ptr<meter::PeakLevel> rightLed;
    editor::OpenGate gate; // the `opened` state and the calls in progress

    // While set, feeds back off so that a filter set-up never overlaps a filter step.
    std::atomic<bool> filterPaused{false};
    std::mutex setupMutex; // orders set-ups and reference changes from different host threads
    std::atomic<unsigned> pendingWork{0};
    std::atomic<std::thread::id> uiThread{};

    // What the controls show until they exist as views.
    std::array<std::atomic<float>, 4> controlValues{};
    bool holdNeedle = false;
    std::array<char, kLabelBytes> labelShown{};
};
