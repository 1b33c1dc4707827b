#include "toolkit/CControl.h"

#include "platform/Input.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"
#include "toolkit/MouseState.h"

#include <algorithm>

namespace toolkit {

CControl::CControl(const CRect& size, CControlListener* controlListener, int32_t controlTag,
                   CBitmap* bitmap)
    : CView(size), listener(controlListener), tag(controlTag),
      doubleClickInterval(int32_t(std::max<uint32_t>(platform::doubleClickTime(), 250))) {
    mouseEnabled = true;
    transparent = false;
    background = bitmap;
    if (background) background->retain();
    setDirty(true);
}

CControl::~CControl() = default;

bool CControl::isDirty() const {
    // A NaN on either side compares unequal, so it counts as a difference.
    return value != drawnValue || CView::isDirty();
}

void CControl::setDirty(bool flag) {
    CView::setDirty(flag);
    if (flag) drawnValue = value == -1.0f ? 0.0f : -1.0f;
    else drawnValue = value;
}

bool CControl::isTypeOf(const char* name) const {
    return sameClassName(name, "CControl") || CView::isTypeOf(name);
}

void CControl::doIdle() {
    if (parentFrame) parentFrame->doIdle();
}

void CControl::setValue(float v) { value = v; }
float CControl::getValue() const { return value; }
void CControl::setMin(float v) { minValue = v; }
float CControl::getMin() const { return minValue; }
void CControl::setMax(float v) { maxValue = v; }
float CControl::getMax() const { return maxValue; }
void CControl::setDrawnValue(float v) { drawnValue = v; }
float CControl::getDrawnValue() const { return drawnValue; }
void CControl::setDefaultValue(float v) { defaultValue = v; }
float CControl::getDefaultValue() const { return defaultValue; }
void CControl::setTag(int32_t v) { tag = v; }
int32_t CControl::getTag() const { return tag; }

void CControl::beginEdit() {
    if (!parentFrame) return;
    parentFrame->setFocusView(this);
    parentFrame->beginEdit(tag);
}

void CControl::endEdit() {
    if (parentFrame) parentFrame->endEdit(tag);
}

void CControl::setBackgroundOffset(const CPoint& offset) { backgroundOffset = offset; }
void CControl::takeOwnOriginAsBackgroundOffset() { backgroundOffset = viewRect.topLeft(); }
void CControl::setWheelIncrement(float increment) { wheelIncrement = increment; }
float CControl::getWheelIncrement() const { return wheelIncrement; }

void CControl::clampValue() {
    if (value > maxValue) value = maxValue;
    else if (value < minValue) value = minValue;
}

bool CControl::handleDefaultClick(CDrawContext* context, int32_t buttons) {
    if (buttons != (kControlModifier | kLeftButton)) return false;
    beginEdit();
    value = getDefaultValue();
    if (isDirty() && listener) listener->valueChanged(context, this);
    endEdit();
    return true;
}

bool CControl::isDoubleClick() {
    const int32_t ticks = parentFrame ? int32_t(parentFrame->getTicks()) : 0;
    // Differences are taken modulo 2^32, so the test survives the tick counter wrapping.
    if (lastClickTicks > 0 &&
        uint32_t(ticks) - uint32_t(lastClickTicks) < uint32_t(doubleClickInterval)) {
        lastClickTicks = 0;
        return true;
    }
    lastClickTicks = ticks;
    return false;
}

} // namespace toolkit
