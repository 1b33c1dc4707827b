// A drawing context on a memory surface of a given size, cleared to a background colour; the
// frame's back buffer.
#pragma once

#include "toolkit/CDrawContext.h"

namespace toolkit {

class CBitmap;

class COffscreenContext : public CDrawContext {
public:
    COffscreenContext(CFrame* frame, int32_t width, int32_t height,
                      CColor background = kBlackCColor);
    ~COffscreenContext() override;

    // Copies a (destination width x height) block from (source) of this surface to the
    // destination context at the rectangle's top-left plus that context's drawing origin.
    void copyTo(CDrawContext* destination, const CRect& destinationRect,
                CPoint source = CPoint(0, 0));

    int32_t getWidth() const { return surfaceWidth; }
    int32_t getHeight() const { return surfaceHeight; }
    CColor getBackgroundColor() const { return backgroundColor; }

private:
    CBitmap* attachedBitmap = nullptr;
    int32_t surfaceHeight;
    int32_t surfaceWidth;
    bool ownsSurface = true;
    CColor backgroundColor;
    platform::Object surfaceBitmap = nullptr;
    platform::Object previousBitmap = nullptr;
};

} // namespace toolkit
