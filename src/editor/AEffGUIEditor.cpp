#include "editor/AEffGUIEditor.h"

#include "host/AudioEffectX.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

std::atomic<VstInt32> AEffGUIEditor::sharedKnobMode{0};

AEffGUIEditor::AEffGUIEditor(AudioEffectX* owner)
    : AEffEditor(owner), nextIdleTicks(platform::tickCount()) {
    if (owner != nullptr) {
        owner->setEditor(this);
    }
    oleReady = platform::oleInitialize();
    oleThread = std::this_thread::get_id();
}

AEffGUIEditor::~AEffGUIEditor() {
    if (oleReady && oleThread == std::this_thread::get_id()) {
        platform::oleUninitialize();
    }
}

bool AEffGUIEditor::getRect(ERect** out) {
    if (out == nullptr) {
        return false;
    }
    *out = &rect;
    return true;
}

void AEffGUIEditor::idle() {
    if (!inIdle && frame != nullptr) {
        frame->idle();
    }
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) {
    return frame != nullptr && frame->onKeyDown(keyCode) == 1;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode) {
    return frame != nullptr && frame->onKeyUp(keyCode) == 1;
}

bool AEffGUIEditor::onWheel(float distance) {
    if (frame == nullptr) {
        return false;
    }
    toolkit::CDrawContext* context = frame->createDrawContext();
    int32_t x = 0;
    int32_t y = 0;
    platform::cursorPosition(x, y);
    const toolkit::CPoint& origin = context->getScreenOrigin();
    const toolkit::CPoint where(x - origin.x, y - origin.y);
    const bool used = frame->onWheel(context, where, distance);
    context->release();
    return used;
}

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

namespace {

// True when `now` lies before `due`, which is never more than one idle interval ahead. Taken
// modulo 2^32, so neither the counter's wrap nor a long pause between steps stops the pacing.
bool isBefore(uint32_t now, uint32_t due) {
    const uint32_t ahead = due - now;
    return ahead != 0 && ahead <= AEffGUIEditor::kIdleIntervalMs;
}

} // namespace

// A control's mouse loop calls this on every pass. A pass that comes early sleeps a little and
// returns unless the due time is close; otherwise the frame redraws what is dirty, a waiting
// paint request is handled and the host gets its idle time.
void AEffGUIEditor::doIdle() {
    uint32_t now = platform::tickCount();
    if (isBefore(now, nextIdleTicks)) {
        platform::sleepMs(kIdleSleepMs);
        now += kIdleSleepMs;
        if (isBefore(now, nextIdleTicks - kIdleEarlyMs)) {
            return;
        }
    }
    idle();
    platform::dispatchPendingPaint();
    nextIdleTicks = now + kIdleIntervalMs;
    inIdle = true;
    if (AudioEffectX* owner = effectX()) {
        owner->masterIdle();
    }
    inIdle = false;
}

int32_t AEffGUIEditor::getKnobMode() const { return knobMode(); }

bool AEffGUIEditor::sizeHostWindow(int32_t width, int32_t height) {
    AudioEffectX* owner = effectX();
    if (owner == nullptr) {
        return false;
    }
    char capability[] = "sizeWindow";
    return owner->canHostDo(capability) != 0 && owner->sizeWindow(width, height);
}

bool AEffGUIEditor::getHostVendorString(char* text) {
    AudioEffectX* owner = effectX();
    if (text == nullptr || owner == nullptr) {
        return false;
    }
    // The host writes up to 64 characters and a zero; the buffer holds more. A host that does
    // not answer leaves the text empty.
    if (!owner->getHostVendorString(text)) {
        text[0] = '\0';
        return false;
    }
    text[toolkit::kHostVendorStringSize - 1] = '\0';
    return true;
}

VstInt32 AEffGUIEditor::knobMode() { return sharedKnobMode.load(std::memory_order_relaxed); }

AudioEffectX* AEffGUIEditor::effectX() const { return static_cast<AudioEffectX*>(effect); }

void AEffGUIEditor::setRectSize(VstInt16 width, VstInt16 height) {
    rect.right = static_cast<VstInt16>(rect.left + width);
    rect.bottom = static_cast<VstInt16>(rect.top + height);
}
