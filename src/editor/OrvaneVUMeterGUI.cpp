#include "editor/OrvaneVUMeterGUI.h"

#include "effect/OrvaneVUMeter.h"
#include "meter/ReferenceLevel.h"

#include <cstring>
#include <new>

using editor::OpenGate;

OrvaneVUMeterGUI::OrvaneVUMeterGUI(OrvaneVUMeter* owner) : AEffGUIEditor(owner) {}

OrvaneVUMeterGUI::~OrvaneVUMeterGUI() {
    if (gate.isOpen()) {
        close();
    }
}

OrvaneVUMeter* OrvaneVUMeterGUI::vuEffect() const { return static_cast<OrvaneVUMeter*>(effect); }

bool OrvaneVUMeterGUI::open(void* parent) {
    if (gate.isOpen()) {
        close();
    }
    AEffEditor::open(parent);
    uiThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
    pendingWork.store(0, std::memory_order_relaxed);
    OrvaneVUMeter* owner = vuEffect();

    const float rate = owner->getSampleRate();
    leftMeter.reset(new (std::nothrow) meter::VuBallistics(rate, kNeedleFrames));
    leftLed.reset(new (std::nothrow) meter::PeakLevel);
    rightMeter.reset(new (std::nothrow) meter::VuBallistics(rate, kNeedleFrames));
    rightLed.reset(new (std::nothrow) meter::PeakLevel);
    if (!leftMeter || !leftLed || !rightMeter || !rightLed) {
        destroyMeters();
        return false;
    }

    for (VstInt32 tag = 0; tag < 4; ++tag) {
        controlValues[static_cast<std::size_t>(tag)].store(owner->getParameter(tag),
                                                           std::memory_order_relaxed);
    }
    holdNeedle = owner->getParameter(2) > 0.5f;
    const double reference = meter::referenceLevelForHeadroom(owner->getParameter(0));
    leftMeter->setReferenceLevel(reference);
    rightMeter->setReferenceLevel(reference);
    applyLabelText(owner->getLabelText().data());
    setSizeFromXtnd();

    gate.open();
    return true;
}

void OrvaneVUMeterGUI::close() {
    gate.shut();
    pendingWork.store(0, std::memory_order_relaxed);
    destroyMeters();
}

void OrvaneVUMeterGUI::destroyMeters() {
    leftMeter.reset();
    leftLed.reset();
    rightMeter.reset();
    rightLed.reset();
}

void OrvaneVUMeterGUI::idle() {
    if (inIdle) {
        return;
    }
    runPendingWork();
    AEffGUIEditor::idle();
}

void OrvaneVUMeterGUI::setParameter(VstInt32 index, float) {
    OpenGate::Pass pass(gate, OpenGate::Kind::call);
    if (!pass || index < 0 || index > 3) {
        return;
    }
    controlValues[static_cast<std::size_t>(index)].store(vuEffect()->getParameter(index),
                                                         std::memory_order_relaxed);
}

// A filter set-up raises filterPaused and then waits for every feed pass; a feed counts itself
// first and then looks at the flag. So a feed either backs off or is waited for.
OrvaneVUMeterGUI::LevelFeed::LevelFeed(OrvaneVUMeterGUI& editor)
    : gui(editor), pass(editor.gate, OpenGate::Kind::feed),
      active(pass && !editor.filterPaused.load(std::memory_order_seq_cst)) {}

void OrvaneVUMeterGUI::feedLevels(double first, double second) {
    LevelFeed feed(*this);
    if (feed) {
        feed.feedLevels(first, second);
    }
}

void OrvaneVUMeterGUI::setMeterSampleRate(double sampleRate) {
    OpenGate::Pass pass(gate, OpenGate::Kind::call);
    if (!pass) {
        return;
    }
    std::lock_guard<std::mutex> lock(setupMutex);
    filterPaused.store(true, std::memory_order_seq_cst);
    gate.waitForFeeds();
    leftMeter->setupFilter(sampleRate);
    rightMeter->setupFilter(sampleRate);
    filterPaused.store(false, std::memory_order_seq_cst);
}

void OrvaneVUMeterGUI::setReferenceLevel(double referenceDb) {
    OpenGate::Pass pass(gate, OpenGate::Kind::call);
    if (!pass) {
        return;
    }
    std::lock_guard<std::mutex> lock(setupMutex);
    leftMeter->setReferenceLevel(referenceDb);
    rightMeter->setReferenceLevel(referenceDb);
}

bool OrvaneVUMeterGUI::onUiThread() const {
    return uiThread.load(std::memory_order_relaxed) == std::this_thread::get_id();
}

// True when the caller may go on here; otherwise the work is left for the next idle call.
bool OrvaneVUMeterGUI::deferUnlessUiThread(PendingWork work) {
    if (onUiThread()) {
        return true;
    }
    pendingWork.fetch_or(work, std::memory_order_acq_rel);
    return false;
}

void OrvaneVUMeterGUI::setHoldNeedle(bool on) {
    OpenGate::Pass pass(gate, OpenGate::Kind::call);
    if (pass && deferUnlessUiThread(kPendingHold)) {
        applyHoldNeedle(on);
    }
}

void OrvaneVUMeterGUI::rebuild() {
    OpenGate::Pass pass(gate, OpenGate::Kind::call);
    if (pass && deferUnlessUiThread(kPendingRebuild)) {
        applyRebuild();
    }
}

void OrvaneVUMeterGUI::setLabelText(const char* text) {
    OpenGate::Pass pass(gate, OpenGate::Kind::call);
    if (pass && deferUnlessUiThread(kPendingLabel)) {
        applyLabelText(text);
    }
}

void OrvaneVUMeterGUI::runPendingWork() {
    if (!gate.isOpen()) {
        return;
    }
    const unsigned work = pendingWork.exchange(0, std::memory_order_acq_rel);
    if ((work & kPendingRebuild) != 0) {
        applyRebuild();
    }
    if ((work & kPendingHold) != 0) {
        applyHoldNeedle(vuEffect()->getParameter(2) > 0.5f);
    }
    if ((work & kPendingLabel) != 0) {
        applyLabelText(vuEffect()->getLabelText().data());
    }
}

void OrvaneVUMeterGUI::applyRebuild() { setSizeFromXtnd(); }

void OrvaneVUMeterGUI::applyHoldNeedle(bool on) { holdNeedle = on; }

void OrvaneVUMeterGUI::applyLabelText(const char* text) {
    labelShown.fill('\0');
    if (text != nullptr) {
        for (std::size_t i = 0; i + 1 < kLabelBytes && text[i] != '\0'; ++i) {
            labelShown[i] = text[i];
        }
    }
}

void OrvaneVUMeterGUI::setSizeFromXtnd() {
    if (vuEffect()->getParameter(3) > 0.5f) {
        setSize(kLargeWidth, kLargeHeight);
    } else {
        setSize(kSmallWidth, kSmallHeight);
    }
}

const meter::VuBallistics* OrvaneVUMeterGUI::meterAt(int side) const {
    return side == 0 ? leftMeter.get() : rightMeter.get();
}

meter::PeakLevel* OrvaneVUMeterGUI::ledAt(int side) const {
    return side == 0 ? leftLed.get() : rightLed.get();
}

float OrvaneVUMeterGUI::controlValue(VstInt32 tag) const {
    if (tag < 0 || tag > 3) {
        return 0.0f;
    }
    return controlValues[static_cast<std::size_t>(tag)].load(std::memory_order_relaxed);
}
