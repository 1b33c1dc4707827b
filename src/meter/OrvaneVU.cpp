#include "meter/OrvaneVU.h"

#include "platform/Input.h"
#include "toolkit/CBitmap.h"

using toolkit::CBitmap;
using toolkit::CPoint;

OrvaneVU::OrvaneVU(const toolkit::CRect& size, CBitmap* needleStrip,
                   const meter::FrameTable& frames, float sampleRate)
    : CControl(size, nullptr, 0, nullptr), ballistics(sampleRate, frames),
      holdStart(platform::tickCount()) {
    // Every filter step marks the control itself dirty.
    ballistics.setDirtyFlag(&dirty);
    setNeedleBitmap(needleStrip);
}

OrvaneVU::~OrvaneVU() {
    if (needleBitmap) needleBitmap->release();
    if (holdBitmap) holdBitmap->release();
}

void OrvaneVU::draw(toolkit::CDrawContext* context) {
    if (!needleBitmap) return;
    const uint32_t frame = ballistics.currentFrame();
    const uint32_t now = platform::tickCount();
    const int32_t frameHeight = viewRect.height();
    auto drawFrame = [&](CBitmap* strip, uint32_t n) {
        const CPoint source(0, int32_t(n) * frameHeight);
        if (transparent) strip->drawWithTransparency(context, viewRect, source);
        else strip->draw(context, viewRect, source);
    };
    // Differences of the wrapping tick count are taken modulo 2^32.
    if (frame > heldFrame || now - holdStart >= holdTime) {
        holdStart = now;
        heldFrame = frame;
    } else if (holdBitmap && heldFrame - frame > 1) {
        drawFrame(holdBitmap, heldFrame);
    }
    drawFrame(needleBitmap, frame);
    setDirty(false);
}

void OrvaneVU::setDirty(bool flag) { CView::setDirty(flag); }

bool OrvaneVU::isTypeOf(const char* className) const {
    return toolkit::sameClassName(className, "OrvaneVU") || CControl::isTypeOf(className);
}

void OrvaneVU::setNeedleBitmap(CBitmap* bitmap) {
    if (bitmap) bitmap->retain();
    if (needleBitmap) needleBitmap->release();
    needleBitmap = bitmap;
}

void OrvaneVU::setHoldBitmap(CBitmap* bitmap) {
    if (bitmap) bitmap->retain();
    if (holdBitmap) holdBitmap->release();
    holdBitmap = bitmap;
}
