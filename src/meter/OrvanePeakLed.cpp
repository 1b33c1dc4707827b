#include "meter/OrvanePeakLed.h"

#include "platform/Input.h"
#include "toolkit/CBitmap.h"

using toolkit::CPoint;

OrvanePeakLed::OrvanePeakLed(const toolkit::CRect& size, toolkit::CBitmap* ledStrip)
    : CControl(size, nullptr, 0, nullptr), litSince(platform::tickCount()) {
    if (ledStrip) ledStrip->retain();
    if (background) background->release();
    background = ledStrip;
    setDirty(true);
}

void OrvanePeakLed::draw(toolkit::CDrawContext* context) {
    if (!background) return;
    const uint32_t now = platform::tickCount();
    CPoint source(0, 0);
    const double peak = peakInput.takePeak();
    if (peak > 1.0) {
        lit = true;
        litSince = now;
        source.y = viewRect.height();
    } else if (lit && now - litSince < holdTime) { // modulo 2^32: survives the counter's wrap
        source.y = viewRect.height();
    } else {
        lit = false;
        litSince = now;
    }
    if (transparent) background->drawWithTransparency(context, viewRect, source);
    else background->draw(context, viewRect, source);
    setDirty(false);
}

void OrvanePeakLed::setDirty(bool flag) { CView::setDirty(flag); }

bool OrvanePeakLed::isTypeOf(const char* className) const {
    return toolkit::sameClassName(className, "OrvanePeakLed") || CControl::isTypeOf(className);
}
