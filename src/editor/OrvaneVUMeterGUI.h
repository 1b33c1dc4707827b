// The plug-in's editor: a frame in the host's window with two needle meters and their peak LEDs,
// the Headroom and Mode switches, the Hold and size buttons and the user label, in a small
// (250 x 303) or a large (340 x 400) layout. While its window is open it receives the audio
// levels and keeps controls and parameters in step both ways; while it is closed every level and
// change is dropped and the next open takes the effect's state afresh.
#pragma once

#include "editor/AEffGUIEditor.h"
#include "editor/OpenGate.h"
#include "meter/MeterConstants.h"
#include "meter/OrvanePeakLed.h"
#include "meter/OrvaneVU.h"
#include "toolkit/CControlListener.h"

#include <atomic>
#include <cstddef>
#include <mutex>
#include <thread>

class OrvaneVUMeter;
class OrvaneUserLabel;

namespace toolkit {
class CBitmap;
class CControl;
class CFrame;
class CHorizontalSwitch;
class COnOffButton;
} // namespace toolkit

class OrvaneVUMeterGUI : public AEffGUIEditor, public toolkit::CControlListener {
public:
    // Needle frame of each scale mark; the same for both editor sizes.
    static constexpr meter::FrameTable kNeedleFrames = {4, 21, 32, 42, 56, 65,
                                                        74, 84, 97, 109, 123, 129};
    static constexpr VstInt16 kSmallWidth = 250;
    static constexpr VstInt16 kSmallHeight = 303;
    static constexpr VstInt16 kLargeWidth = 340;
    static constexpr VstInt16 kLargeHeight = 400;
    static constexpr uint32_t kNeedleFrameCount = 130;
    static constexpr std::size_t kLabelBytes = 256;

    explicit OrvaneVUMeterGUI(OrvaneVUMeter* effect);
    ~OrvaneVUMeterGUI() override;

    bool open(void* parent) override;
    void close() override;
    void idle() override;
    void setParameter(VstInt32 index, float value) override;

    void valueChanged(toolkit::CDrawContext* context, toolkit::CControl* control) override;

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
    // These change windows, bitmaps and the label; called on a thread other than the one that
    // opened the editor, they are carried out at its next idle call, from the effect's values
    // current then.
    void setHoldNeedle(bool on);
    void rebuild();
    void setLabelText(const char* text);

    bool isOpened() const { return gate.isOpen(); }
    // The controls while the window is open, none otherwise. User-interface thread only.
    OrvaneVU* meterAt(int side) const { return side == 0 ? leftMeter : rightMeter; }
    OrvanePeakLed* ledAt(int side) const { return side == 0 ? leftLed : rightLed; }
    toolkit::CControl* controlForTag(VstInt32 tag) const;
    OrvaneUserLabel* userLabel() const { return label; }

private:
    enum PendingWork : unsigned {
        kPendingRebuild = 1,
        kPendingHold = 2,
        kPendingLabel = 4,
        kPendingValueShift = 3, // bits 3 to 6: the value of the control with tag 0 to 3
    };
    struct Layout;
    static const Layout& layoutFor(bool large);

    OrvaneVUMeter* vuEffect() const;
    bool isLarge() const;
    bool onUiThread() const;
    bool deferUnlessUiThread(unsigned work);
    void runPendingWork();
    void applyRebuild();
    void applyHoldNeedle(bool on);
    void applyLabelText(const char* text);
    void applyValue(VstInt32 tag);
    void placeMeters(const Layout& layout, toolkit::CBitmap* needle, toolkit::CBitmap* led,
                     toolkit::CFrame* target);
    void forgetControls();

    OrvaneVU* leftMeter = nullptr;
    OrvaneVU* rightMeter = nullptr;
    toolkit::CHorizontalSwitch* headroomSwitch = nullptr;
    toolkit::CHorizontalSwitch* modeSwitch = nullptr;
    toolkit::COnOffButton* holdButton = nullptr;
    toolkit::COnOffButton* sizeButton = nullptr;
    OrvaneUserLabel* label = nullptr;
    OrvanePeakLed* leftLed = nullptr;
    OrvanePeakLed* rightLed = nullptr;
    bool shownLarge = false; // the size the open window shows
    editor::OpenGate gate;   // the `opened` state and the calls in progress

    // While set, feeds back off so that a filter set-up never overlaps a filter step.
    std::atomic<bool> filterPaused{false};
    std::mutex setupMutex; // orders set-ups and reference changes from different host threads
    std::atomic<unsigned> pendingWork{0};
    std::atomic<std::thread::id> uiThread{};
};
