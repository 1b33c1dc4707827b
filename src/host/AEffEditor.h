// The editor as the host interface sees it: a window the host can open inside its own.
#pragma once

#include "host/VstAbi.h"

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect);
    virtual ~AEffEditor();

    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    virtual AudioEffect* getEffect();
    // Stores the address of the editor's size in *rect; false when there is none.
    virtual bool getRect(ERect** rect);
    virtual bool open(void* parent);
    virtual void close();
    virtual bool isOpen();
    virtual void idle();
    virtual bool onKeyDown(VstKeyCode& keyCode);
    virtual bool onKeyUp(VstKeyCode& keyCode);
    virtual bool onWheel(float distance);
    virtual bool setKnobMode(VstInt32 mode);

protected:
    AudioEffect* effect;
    void* parentWindow = nullptr;
};
