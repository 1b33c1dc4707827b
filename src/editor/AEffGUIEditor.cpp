#include "editor/AEffGUIEditor.h"

#include "host/AudioEffectX.h"

std::atomic<VstInt32> AEffGUIEditor::sharedKnobMode{0};

AEffGUIEditor::AEffGUIEditor(AudioEffectX* owner) : AEffEditor(owner) {
    if (owner != nullptr) {
        owner->setEditor(this);
    }
}

AEffGUIEditor::~AEffGUIEditor() = default;

bool AEffGUIEditor::getRect(ERect** out) {
    if (out == nullptr) {
        return false;
    }
    *out = &rect;
    return true;
}

void AEffGUIEditor::idle() {}

bool AEffGUIEditor::onKeyDown(VstKeyCode&) { return false; }

bool AEffGUIEditor::onKeyUp(VstKeyCode&) { return false; }

bool AEffGUIEditor::setKnobMode(VstInt32 mode) {
    sharedKnobMode.store(mode, std::memory_order_relaxed);
    return true;
}

void AEffGUIEditor::setParameter(VstInt32, float) {}

void AEffGUIEditor::beginEdit(VstInt32 index) {
    if (AudioEffectX* owner = effectX()) {
        owner->beginEdit(index);
    }
}

void AEffGUIEditor::endEdit(VstInt32 index) {
    if (AudioEffectX* owner = effectX()) {
        owner->endEdit(index);
    }
}

VstInt32 AEffGUIEditor::knobMode() { return sharedKnobMode.load(std::memory_order_relaxed); }

AudioEffectX* AEffGUIEditor::effectX() const { return static_cast<AudioEffectX*>(effect); }

void AEffGUIEditor::setSize(VstInt16 width, VstInt16 height) {
    rect.right = static_cast<VstInt16>(rect.left + width);
    rect.bottom = static_cast<VstInt16>(rect.top + height);
}
