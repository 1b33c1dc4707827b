#include "editor/OrvaneVUMeterGUI.h"

#include "editor/OrvaneUserLabel.h"
#include "effect/OrvaneVUMeter.h"
#include "meter/ReferenceLevel.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"
#include "toolkit/CHorizontalSwitch.h"
#include "toolkit/COffscreenContext.h"
#include "toolkit/COnOffButton.h"

#include <utility>

using editor::OpenGate;
using toolkit::CBitmap;
using toolkit::CColor;
using toolkit::CControl;
using toolkit::CPoint;
using toolkit::CRect;

namespace {

// Images that both sizes share.
constexpr int32_t kHeadroomSwitchImage = 104;
constexpr int32_t kModeSwitchImage = 105;
constexpr int32_t kHoldButtonImage = 106;
constexpr int32_t kSizeButtonImage = 107;

constexpr CRect kHeadroomSwitchRect(26, 1, 106, 21);
constexpr CRect kModeSwitchRect(143, 1, 203, 21);
constexpr int32_t kSwitchFrameHeight = 20;
constexpr int32_t kMeterLeft = 30;

constexpr float kHeadroomDefault = 0.625f;
constexpr float kModeDefault = 0.5f;

CRect holdButtonRect(int32_t width) { return CRect(width - 43, 1, width - 3, 21); }
CRect sizeButtonRect(int32_t width, int32_t height) {
    return CRect(width - 70, height - 20, width - 20, height);
}

void place(CControl* control, const CRect& rect) {
    control->setViewRect(rect);
    control->setMouseRect(rect);
}

} // namespace

// What differs between the two sizes: image ids and the rules that place meters, LEDs and label.
struct OrvaneVUMeterGUI::Layout {
    int32_t background, needle, hold, label, led;
    int32_t meterTop;
    int32_t rightMeterOffset; // the right meter lies this much below the left one
    int32_t ledLeftAdjust;    // LED left = meter right - LED frame width + this
    int32_t ledTopAdjust;     // LED top = meter top + this
    CRect labelRect;
    int32_t labelFontHeight;
};

const OrvaneVUMeterGUI::Layout& OrvaneVUMeterGUI::layoutFor(bool large) {
    static constexpr Layout small{101, 102, 103, 108, 109, 53, 130, 1, 7, CRect(20, 153, 230, 173),
                                  16};
    static constexpr Layout big{201, 202, 203, 208, 209, 60, 180, 2, 0, CRect(20, 195, 320, 225),
                                23};
    return large ? big : small;
}

OrvaneVUMeterGUI::OrvaneVUMeterGUI(OrvaneVUMeter* owner) : AEffGUIEditor(owner) {}

// A host closes the editor before the effect; if one does not, the window goes here. The effect
// is being destroyed by then, so nothing may reach it any more.
OrvaneVUMeterGUI::~OrvaneVUMeterGUI() {
    effect = nullptr;
    if (frame != nullptr || gate.isOpen()) {
        close();
    }
}

OrvaneVUMeter* OrvaneVUMeterGUI::vuEffect() const { return static_cast<OrvaneVUMeter*>(effect); }

bool OrvaneVUMeterGUI::isLarge() const { return vuEffect()->getParameter(3) > 0.5f; }

bool OrvaneVUMeterGUI::open(void* parent) {
    if (frame != nullptr || gate.isOpen()) {
        close(); // a host that opens twice gets a fresh window
    }
    AEffEditor::open(parent);
    uiThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
    pendingWork.store(0, std::memory_order_relaxed);
    OrvaneVUMeter* owner = vuEffect();
    const bool large = isLarge();
    shownLarge = large;
    const Layout& layout = layoutFor(large);

    CBitmap* images[] = {
        new CBitmap(layout.background),   new CBitmap(layout.needle),
        new CBitmap(layout.hold),         new CBitmap(kHeadroomSwitchImage),
        new CBitmap(kModeSwitchImage),    new CBitmap(kHoldButtonImage),
        new CBitmap(kSizeButtonImage),    new CBitmap(layout.label),
        new CBitmap(layout.led),
    };
    auto [background, needle, hold, headroomStrip, modeStrip, holdStrip, sizeStrip, labelStrip,
          led] = images;

    const int32_t width = background->getWidth();
    const int32_t height = background->getHeight();
    auto* newFrame = new toolkit::CFrame(CRect(0, 0, width, height), parent, this);
    newFrame->setBackground(background);
    setRectSize(static_cast<VstInt16>(width), static_cast<VstInt16>(height));

    // The add order is the drawing order: each LED over its meter, the label last.
    placeMeters(layout, needle, led, newFrame);
    headroomSwitch = new toolkit::CHorizontalSwitch(kHeadroomSwitchRect, this, 0, headroomStrip, 4,
                                                    kSwitchFrameHeight, 4, CPoint(0, 0));
    newFrame->addView(headroomSwitch);
    modeSwitch = new toolkit::CHorizontalSwitch(kModeSwitchRect, this, 1, modeStrip, 3,
                                                kSwitchFrameHeight, 3, CPoint(0, 0));
    newFrame->addView(modeSwitch);
    holdButton = new toolkit::COnOffButton(holdButtonRect(width), this, 2, holdStrip,
                                           toolkit::ListenerAfterRedraw);
    newFrame->addView(holdButton);
    sizeButton = new toolkit::COnOffButton(sizeButtonRect(width, height), this, 3, sizeStrip,
                                           toolkit::ListenerAfterRedraw);
    newFrame->addView(sizeButton);
    label = new OrvaneUserLabel(layout.labelRect, this);
    label->setLabelFont(layout.labelFontHeight);
    label->setTextFilter(labelTextFilter);
    label->setBackground(labelStrip);
    label->setFontColor(CColor{0, 0, 0, 0});
    newFrame->addView(label);

    for (VstInt32 tag = 0; tag < 4; ++tag) {
        controlForTag(tag)->setValue(owner->getParameter(tag));
    }
    headroomSwitch->setDefaultValue(kHeadroomDefault);
    modeSwitch->setDefaultValue(kModeDefault);
    holdButton->setDefaultValue(0.0f);
    sizeButton->setDefaultValue(0.0f);

    if (owner->getParameter(2) > 0.5f) {
        leftMeter->setHoldBitmap(hold);
        rightMeter->setHoldBitmap(hold);
    }
    const double reference = meter::referenceLevelForHeadroom(owner->getParameter(0));
    leftMeter->setReferenceLevel(reference);
    rightMeter->setReferenceLevel(reference);
    applyLabelText(owner->getLabelText().data());

    for (CBitmap* image : images) {
        image->release();
    }

    frame = newFrame;
    if (frame->getSystemWindow() == nullptr) {
        // No window of ours (a parent handle this build cannot use): the editor is drawn off
        // screen, into the frame's back buffer, and kept up to date there by idle.
        frame->drawRect(frame->getBackBuffer(), CRect(0, 0, width, height));
    }
    gate.open();
    return true;
}

// Meters and LEDs: created and added to `target` at open, moved and given the strips of the new
// size by a rebuild (target none), in the order left meter, left LED, right meter, right LED.
void OrvaneVUMeterGUI::placeMeters(const Layout& layout, CBitmap* needle, CBitmap* led,
                                   toolkit::CFrame* target) {
    const int32_t meterWidth = needle->getWidth();
    const int32_t meterHeight = needle->getHeight() / int32_t(kNeedleFrameCount);
    const int32_t ledWidth = led->getWidth();
    const int32_t ledHeight = led->getHeight() / 2;
    const float rate = vuEffect()->getSampleRate();
    for (int side = 0; side < 2; ++side) {
        const int32_t top = layout.meterTop + (side == 0 ? 0 : layout.rightMeterOffset);
        const CRect meterRect(kMeterLeft, top, kMeterLeft + meterWidth, top + meterHeight);
        const int32_t ledTop = top + layout.ledTopAdjust;
        const CRect ledRect(meterRect.right - ledWidth + layout.ledLeftAdjust, ledTop,
                            meterRect.right, ledTop + ledHeight);
        OrvaneVU*& meterControl = side == 0 ? leftMeter : rightMeter;
        OrvanePeakLed*& ledControl = side == 0 ? leftLed : rightLed;
        if (target != nullptr) {
            meterControl = new OrvaneVU(meterRect, needle, kNeedleFrames, rate);
            target->addView(meterControl);
            ledControl = new OrvanePeakLed(ledRect, led);
            target->addView(ledControl);
        } else {
            place(meterControl, meterRect);
            meterControl->setNeedleBitmap(needle);
            place(ledControl, ledRect);
            ledControl->setBackground(led);
        }
    }
}

void OrvaneVUMeterGUI::close() {
    // An edit in progress ends as a click elsewhere would end it, and keeps what was typed.
    if (frame != nullptr && effect != nullptr && gate.isOpen() &&
        frame->getFocusView() != nullptr) {
        frame->setFocusView(nullptr);
    }
    gate.shut();
    pendingWork.store(0, std::memory_order_relaxed);
    // The editor lets go of the frame first, so that nothing the destruction calls back reaches
    // a frame half destroyed or a control already gone.
    toolkit::CFrame* old = std::exchange(frame, nullptr);
    forgetControls();
    if (old != nullptr) {
        old->release();
    }
}

void OrvaneVUMeterGUI::forgetControls() {
    leftMeter = rightMeter = nullptr;
    leftLed = rightLed = nullptr;
    headroomSwitch = modeSwitch = nullptr;
    holdButton = sizeButton = nullptr;
    label = nullptr;
}

void OrvaneVUMeterGUI::idle() {
    if (inIdle) {
        return;
    }
    runPendingWork();
    AEffGUIEditor::idle();
}

CControl* OrvaneVUMeterGUI::controlForTag(VstInt32 tag) const {
    switch (tag) {
    case 0: return headroomSwitch;
    case 1: return modeSwitch;
    case 2: return holdButton;
    case 3: return sizeButton;
    default: return nullptr;
    }
}

void OrvaneVUMeterGUI::setParameter(VstInt32 index, float) {
    OpenGate::Pass pass(gate, OpenGate::Kind::call);
    if (!pass || index < 0 || index > 3) {
        return;
    }
    if (deferUnlessUiThread(1u << (kPendingValueShift + unsigned(index)))) {
        applyValue(index);
    }
}

// The control shows the stored, clamped value, not the argument; the next idle redraws it.
void OrvaneVUMeterGUI::applyValue(VstInt32 tag) {
    controlForTag(tag)->setValue(vuEffect()->getParameter(tag));
}

void OrvaneVUMeterGUI::valueChanged(toolkit::CDrawContext*, CControl* control) {
    if (!gate.isOpen() || control == nullptr) {
        return;
    }
    const int32_t tag = control->getTag();
    if (tag >= 0 && tag <= 3) {
        vuEffect()->setParameterAutomated(tag, control->getValue());
        control->setDirty(true);
    } else if (tag == OrvaneUserLabel::kTag && label != nullptr) {
        char text[toolkit::kDisplayTextSize] = {};
        label->getText(text);
        vuEffect()->storeLabelText(text);
        label->setHasText(vuEffect()->getLabelText()[0] != '\0');
    }
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
bool OrvaneVUMeterGUI::deferUnlessUiThread(unsigned work) {
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
    if (work == 0) {
        return;
    }
    OrvaneVUMeter* owner = vuEffect();
    if ((work & kPendingRebuild) != 0) {
        applyRebuild();
    }
    if ((work & kPendingHold) != 0) {
        applyHoldNeedle(owner->getParameter(2) > 0.5f);
    }
    if ((work & kPendingLabel) != 0) {
        applyLabelText(owner->getLabelText().data());
    }
    for (VstInt32 tag = 0; tag < 4; ++tag) {
        if ((work & (1u << (kPendingValueShift + unsigned(tag)))) != 0) {
            applyValue(tag);
        }
    }
}

// A rebuild to the size already shown would load the same images into the same places: it keeps
// what is there. (Hosts load chunks, which rebuild, at every preset change.)
void OrvaneVUMeterGUI::applyRebuild() {
    const bool large = isLarge();
    if (large == shownLarge) {
        return;
    }
    shownLarge = large;
    const Layout& layout = layoutFor(large);
    CBitmap* images[] = {new CBitmap(layout.background), new CBitmap(layout.needle),
                         new CBitmap(layout.hold), new CBitmap(layout.label),
                         new CBitmap(layout.led)};
    auto [background, needle, hold, labelStrip, led] = images;
    const int32_t width = background->getWidth();
    const int32_t height = background->getHeight();

    frame->setSize(width, height);
    setRectSize(static_cast<VstInt16>(width), static_cast<VstInt16>(height));
    frame->setBackground(background);

    placeMeters(layout, needle, led, nullptr);
    if (vuEffect()->getParameter(2) > 0.5f) {
        leftMeter->setHoldBitmap(hold);
        rightMeter->setHoldBitmap(hold);
    }
    place(holdButton, holdButtonRect(width));
    place(sizeButton, sizeButtonRect(width, height));
    place(label, layout.labelRect);
    label->setLabelFont(layout.labelFontHeight);
    label->setBackground(labelStrip);

    for (CBitmap* image : images) {
        image->release();
    }
}

void OrvaneVUMeterGUI::applyHoldNeedle(bool on) {
    if (on == (leftMeter->getHoldBitmap() != nullptr)) {
        return; // already so, with the strip of the size shown
    }
    auto* strip = new CBitmap(layoutFor(isLarge()).hold);
    leftMeter->setHoldBitmap(on ? strip : nullptr);
    rightMeter->setHoldBitmap(on ? strip : nullptr);
    strip->release();
}

void OrvaneVUMeterGUI::applyLabelText(const char* text) {
    label->setText(text);
    label->setHasText(text != nullptr && text[0] != '\0');
}
