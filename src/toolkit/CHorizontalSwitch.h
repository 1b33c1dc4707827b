// A switch with a fixed number of positions side by side: a click or a drag picks the position
// under the pointer; the picture is one frame of a vertical film strip, position 0 on top.
#pragma once

#include "toolkit/CControl.h"

namespace toolkit {

class CHorizontalSwitch : public CControl {
public:
    // `imageCount` and `bitmapOffset` are kept for callers; drawing and the mouse do not use them.
    CHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                      CBitmap* background, int32_t positionCount, int32_t frameHeight,
                      int32_t imageCount, const CPoint& bitmapOffset = CPoint());

    void draw(CDrawContext* context) override;
    void onMouseDown(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    bool isTypeOf(const char* className) const override;

    int32_t getPositionCount() const { return positionCount; }
    int32_t getFrameHeight() const { return frameHeight; }
    int32_t getImageCount() const { return imageCount; }
    const CPoint& getBitmapOffset() const { return bitmapOffset; }

protected:
    CPoint bitmapOffset;
    int32_t imageCount;
    int32_t positionCount;
    int32_t frameHeight;
};

} // namespace toolkit
