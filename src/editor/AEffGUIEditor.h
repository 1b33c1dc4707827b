// The editor base of effects with a graphical editor: reports the editor's size, keeps the
// process-wide knob mode and wraps the host's edit gestures.
#pragma once

#include "host/AEffEditor.h"

#include <atomic>

class AudioEffectX;

class AEffGUIEditor : public AEffEditor {
public:
    // Registers itself as the effect's editor, which owns it from then on.
    explicit AEffGUIEditor(AudioEffectX* effect);
    ~AEffGUIEditor() override;

    bool getRect(ERect** rect) override;
    void idle() override;
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    bool setKnobMode(VstInt32 mode) override;

    virtual void setParameter(VstInt32 index, float value);
    virtual void beginEdit(VstInt32 index);
    virtual void endEdit(VstInt32 index);

    // The knob mode last set by any instance in this process.
    static VstInt32 knobMode();

protected:
    AudioEffectX* effectX() const;
    void setSize(VstInt16 width, VstInt16 height);

    ERect rect{0, 0, 303, 250};
    bool inIdle = false;

private:
    static std::atomic<VstInt32> sharedKnobMode;
};
