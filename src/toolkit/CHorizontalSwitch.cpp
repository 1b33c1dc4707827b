#include "toolkit/CHorizontalSwitch.h"

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

#include <cmath>

namespace toolkit {

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* controlListener,
                                     int32_t controlTag, CBitmap* bitmap, int32_t positions,
                                     int32_t heightOfOneFrame, int32_t images,
                                     const CPoint& offset)
    : CControl(size, controlListener, controlTag, bitmap), bitmapOffset(offset),
      imageCount(images), positionCount(positions), frameHeight(heightOfOneFrame) {
    defaultValue = 0.0f;
}

void CHorizontalSwitch::draw(CDrawContext* context) {
    if (background) {
        // A NaN or far out-of-range value must not turn into an undefined conversion: the frame
        // index is clamped to the strip's positions.
        const float position = float(positionCount - 1) * value + 0.5f;
        int32_t k = 0;
        if (position >= 1.0f) k = position >= float(positionCount) ? positionCount - 1 : int32_t(position);
        if (k < 0) k = 0;
        const CPoint source(0, k * frameHeight);
        if (transparent) background->drawWithTransparency(context, viewRect, source);
        else background->draw(context, viewRect, source);
    }
    setDirty(false);
}

void CHorizontalSwitch::onMouseDown(CDrawContext* context, CPoint& where, int32_t buttons) {
    if (!mouseEnabled) return;
    if (buttons == kMouseStateUnread) buttons = CDrawContext::readMouseState();
    if (listener && (buttons & kAnyModifierMask) &&
        listener->modifierClicked(context, this, buttons) != 0)
        return;
    if (!(buttons & kLeftButton)) return;
    if (handleDefaultClick(context, buttons)) return;
    // Fewer than two positions leave nothing to choose (and would divide by zero).
    if (!background || positionCount < 2 || background->getWidth() <= 0) return;
    const double slice = double(background->getWidth()) / double(positionCount);

    beginEdit();
    do {
        const double quotient = std::trunc(double(where.x - viewRect.left) / slice);
        value = float(quotient) / float(positionCount - 1);
        if (value > 1.0f) value = 1.0f;
        else if (!(value > 0.0f)) value = 0.0f; // left of the switch: 0, never -0
        if (isDirty() && listener) listener->valueChanged(context, this);
        getMouseLocation(context, where);
        doIdle();
    } while (CDrawContext::readMouseState() == buttons);
    endEdit();
}

bool CHorizontalSwitch::isTypeOf(const char* name) const {
    return sameClassName(name, "CHorizontalSwitch") || CControl::isTypeOf(name);
}

} // namespace toolkit
