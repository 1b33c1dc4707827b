// The editor base of effects with a graphical editor: owns the frame while the window is open,
// reports the editor's size, keeps the process-wide knob mode, wraps the host's edit gestures and
// paces the idle steps that controls ask for inside their mouse loops.
#pragma once

#include "host/AEffEditor.h"
#include "toolkit/CFrameEditor.h"

#include <atomic>
#include <cstdint>
#include <thread>

class AudioEffectX;

namespace toolkit {
class CFrame;
}

class AEffGUIEditor : public AEffEditor, public toolkit::CFrameEditor {
public:
    // Registers itself as the effect's editor, which owns it from then on.
    explicit AEffGUIEditor(AudioEffectX* effect);
    ~AEffGUIEditor() override;

    bool getRect(ERect** rect) override;
    void idle() override;
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    bool onWheel(float distance) override;
    bool setKnobMode(VstInt32 mode) override;

    virtual void setParameter(VstInt32 index, float value);
    void beginEdit(VstInt32 index) override;
    void endEdit(VstInt32 index) override;
    // One paced step of redrawing, paint handling and host idle time (see the .cpp).
    void doIdle() override;

    // The frame's side.
    int32_t getKnobMode() const override;
    bool sizeHostWindow(int32_t width, int32_t height) override;
    bool getHostVendorString(char* text) override;

    // The knob mode last set by any instance in this process.
    static VstInt32 knobMode();

    toolkit::CFrame* getFrame() const { return frame; }
    uint32_t getNextIdleTicks() const { return nextIdleTicks; }

    // Idle steps between a pump and the next are at least this far apart.
    static constexpr uint32_t kIdleIntervalMs = 100;
    // A paced step sleeps this long when it comes too early ...
    static constexpr uint32_t kIdleSleepMs = 4;
    // ... and still runs when less than kIdleIntervalMs - kIdleEarlyMs remain. (The 50 of the
    // pacing rule plus the sleep: 54 ms before the due time.)
    static constexpr uint32_t kIdleEarlyMs = 50;

protected:
    AudioEffectX* effectX() const;
    void setRectSize(VstInt16 width, VstInt16 height);

    ERect rect{0, 0, 303, 250};
    uint32_t nextIdleTicks;
    bool inIdle = false;
    toolkit::CFrame* frame = nullptr;

private:
    static std::atomic<VstInt32> sharedKnobMode;
    // OLE is balanced on the thread that initialised it, and only when that succeeded.
    bool oleReady = false;
    std::thread::id oleThread;
};
