#include "toolkit/COnOffButton.h"

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

namespace toolkit {

COnOffButton::COnOffButton(const CRect& size, CControlListener* controlListener, int32_t controlTag,
                           CBitmap* bitmap, int32_t order)
    : CControl(size, controlListener, controlTag, bitmap), listenerOrder(order) {}

void COnOffButton::draw(CDrawContext* context) {
    int32_t y = 0;
    if (value > 0.5f && background) y = background->getHeight() / 2;
    if (background) {
        if (transparent) background->drawWithTransparency(context, viewRect, CPoint(0, y));
        else background->draw(context, viewRect, CPoint(0, y));
    }
    setDirty(false);
}

void COnOffButton::onMouseDown(CDrawContext* context, CPoint&, int32_t buttons) {
    if (!mouseEnabled) return;
    if (buttons == kMouseStateUnread) buttons = CDrawContext::readMouseState();
    if (!(buttons & kLeftButton)) return;
    if (listener && (buttons & kAnyModifierMask) &&
        listener->modifierClicked(context, this, buttons) != 0)
        return;
    // Any value whose whole part is non-zero counts as on (NaN counts as off).
    const bool on = value >= 1.0f || value <= -1.0f;
    value = on ? 0.0f : 1.0f;
    const auto tell = [&] {
        beginEdit();
        listener->valueChanged(context, this);
        endEdit();
    };
    if (listener && listenerOrder == ListenerBeforeRedraw) tell();
    doIdle();
    if (listener && listenerOrder == ListenerAfterRedraw) tell();
}

bool COnOffButton::isTypeOf(const char* name) const {
    return sameClassName(name, "COnOffButton") || CControl::isTypeOf(name);
}

int32_t COnOffButton::getListenerOrder() const { return listenerOrder; }
void COnOffButton::setListenerOrder(int32_t order) { listenerOrder = order; }

} // namespace toolkit
