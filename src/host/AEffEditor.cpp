#include "host/AEffEditor.h"

AEffEditor::AEffEditor(AudioEffect* owner) : effect(owner) {}

AEffEditor::~AEffEditor() = default;

AudioEffect* AEffEditor::getEffect() { return effect; }

bool AEffEditor::getRect(ERect** rect) {
    if (rect != nullptr) {
        *rect = nullptr;
    }
    return false;
}

bool AEffEditor::open(void* parent) {
    parentWindow = parent;
    return false;
}

void AEffEditor::close() { parentWindow = nullptr; }

bool AEffEditor::isOpen() { return parentWindow != nullptr; }

void AEffEditor::idle() {}

bool AEffEditor::onKeyDown(VstKeyCode&) { return false; }

bool AEffEditor::onKeyUp(VstKeyCode&) { return false; }

bool AEffEditor::onWheel(float) { return false; }

bool AEffEditor::setKnobMode(VstInt32) { return false; }
