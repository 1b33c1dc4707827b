// The control base: a view with a normalised value, a tag and a listener told about user changes.
#pragma once

#include "toolkit/CControlListener.h"
#include "toolkit/CView.h"
#include "toolkit/MouseState.h"

namespace toolkit {

class CControl : public CView {
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0,
             CBitmap* background = nullptr);
    ~CControl() override;

    void draw(CDrawContext* context) override = 0;
    bool isDirty() const override;
    void setDirty(bool flag = true) override;
    bool isTypeOf(const char* className) const override;

    virtual void doIdle();
    virtual void setValue(float value);
    virtual float getValue() const;
    virtual void setMin(float value);
    virtual float getMin() const;
    virtual void setMax(float value);
    virtual float getMax() const;
    virtual void setDrawnValue(float value);
    virtual float getDrawnValue() const;
    virtual void setDefaultValue(float value);
    virtual float getDefaultValue() const;
    virtual void setTag(int32_t value);
    virtual int32_t getTag() const;
    virtual void beginEdit();
    virtual void endEdit();
    virtual void setBackgroundOffset(const CPoint& offset);
    virtual void takeOwnOriginAsBackgroundOffset();
    virtual void setWheelIncrement(float increment);
    virtual float getWheelIncrement() const;
    virtual void clampValue();
    virtual bool handleDefaultClick(CDrawContext* context, int32_t buttons);

    // True for the second of two clicks closer than the double-click interval.
    bool isDoubleClick();
    const CPoint& getBackgroundOffset() const { return backgroundOffset; }
    CControlListener* getListener() const { return listener; }
    void setListener(CControlListener* newListener) { listener = newListener; }

protected:
    CControlListener* listener;
    int32_t tag;
    float drawnValue = 1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float minValue = 0.0f;
    float maxValue = 1.0f;
    float wheelIncrement = 0.1f;
    int32_t lastClickTicks = -1;
    int32_t doubleClickInterval;
    CPoint backgroundOffset;
};

} // namespace toolkit
