// A two-state button: every left click toggles the value between 0 and 1; the upper half of the
// background shows "off", the lower half "on".
#pragma once

#include "toolkit/CControl.h"

namespace toolkit {

// When the listener hears of a click relative to the button's redraw.
enum : int32_t { ListenerAfterRedraw = 0, ListenerBeforeRedraw = 1 };

class COnOffButton : public CControl {
public:
    COnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                 int32_t listenerOrder = ListenerAfterRedraw);

    void draw(CDrawContext* context) override;
    void onMouseDown(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    bool isTypeOf(const char* className) const override;

    virtual int32_t getListenerOrder() const;
    virtual void setListenerOrder(int32_t order);

protected:
    int32_t listenerOrder;
};

} // namespace toolkit
