// A peak LED: lights for at least 300 ms after a level above full scale was fed. Its two-frame
// strip (dark on top, lit below) is the control's background.
#pragma once

#include "meter/PeakLevel.h"
#include "toolkit/CControl.h"

#include <cstdint>

class OrvanePeakLed : public toolkit::CControl {
public:
    static constexpr uint32_t kHoldTimeMs = 300;

    // Dark; `ledStrip` becomes the (retained) background. No listener, tag 0.
    OrvanePeakLed(const toolkit::CRect& size, toolkit::CBitmap* ledStrip);

    void draw(toolkit::CDrawContext* context) override;
    // Only the flag, as for the needle meter: the LED is drawn at every idle pass.
    void setDirty(bool flag = true) override;
    bool isTypeOf(const char* className) const override;

    // Audio thread: raises the held peak.
    void feedLevel(double level) { peakInput.feedLevel(level); }
    double peak() const { return peakInput.peak(); }
    // Drawing's side of the peak: answers it and resets it in one step.
    double takePeak() { return peakInput.takePeak(); }
    bool isLit() const { return lit; }

private:
    meter::PeakLevel peakInput;
    uint32_t holdTime = kHoldTimeMs;
    uint32_t litSince;
    bool lit = false;
};
