// A needle meter: a control that shows one frame of a vertical needle film strip, chosen from the
// ballistics filter that the audio thread steps, and optionally a second, red needle that marks
// the highest frame of the last second.
#pragma once

#include "meter/VuBallistics.h"
#include "toolkit/CControl.h"

#include <cstdint>

namespace toolkit {
class CBitmap;
}

class OrvaneVU : public toolkit::CControl {
public:
    static constexpr uint32_t kHoldTimeMs = 1000;

    // At rest; `needleStrip` is retained (may be none). The control has no listener and tag 0.
    OrvaneVU(const toolkit::CRect& size, toolkit::CBitmap* needleStrip,
             const meter::FrameTable& frames, float sampleRate);
    ~OrvaneVU() override;

    void draw(toolkit::CDrawContext* context) override;
    // Only the flag: the value never changes, so the control stays dirty and is drawn at every
    // idle pass, which lets the hold needle time out without audio.
    void setDirty(bool flag = true) override;
    bool isTypeOf(const char* className) const override;

    // Audio thread: one filter step.
    void feedLevel(double level) { ballistics.feedLevel(level); }
    // The filter at rest with coefficients for `sampleRate`; must not overlap feedLevel.
    void setupFilter(double sampleRate) { ballistics.setupFilter(sampleRate); }
    void setReferenceLevel(double referenceDb) { ballistics.setReferenceLevel(referenceDb); }
    uint32_t currentFrame() const { return ballistics.currentFrame(); }
    const meter::VuBallistics& measuring() const { return ballistics; }

    // Retain the new strip, release the old one. None as hold strip turns the hold needle off.
    void setNeedleBitmap(toolkit::CBitmap* bitmap);
    void setHoldBitmap(toolkit::CBitmap* bitmap);
    toolkit::CBitmap* getNeedleBitmap() const { return needleBitmap; }
    toolkit::CBitmap* getHoldBitmap() const { return holdBitmap; }
    uint32_t getHeldFrame() const { return heldFrame; }

private:
    meter::VuBallistics ballistics;
    toolkit::CBitmap* needleBitmap = nullptr;
    toolkit::CBitmap* holdBitmap = nullptr;
    uint32_t holdTime = kHoldTimeMs;
    uint32_t holdStart;
    uint32_t heldFrame = 0;
};
