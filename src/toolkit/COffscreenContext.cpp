#include "toolkit/COffscreenContext.h"

#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"

#include <algorithm>

namespace toolkit {

COffscreenContext::COffscreenContext(CFrame* frame, int32_t width, int32_t height,
                                     CColor background)
    : CDrawContext(frame, nullptr, nullptr), surfaceHeight(height), surfaceWidth(width),
      backgroundColor(background) {
    clipRect = CRect(std::min(0, width), std::min(0, height), std::max(0, width),
                     std::max(0, height));
    platform::Window frameWindow = frame ? frame->getSystemWindow() : nullptr;
    systemContext = platform::createMemorySurface(frameWindow);
    if (systemContext) {
        surfaceBitmap = platform::createCompatibleBitmap(frameWindow, width, height);
        if (surfaceBitmap) previousBitmap = platform::selectObject(systemContext, surfaceBitmap);
        platform::setTextTransparent(systemContext, true);
        // The objects the construction of the base made were never selected into this surface.
        platform::selectObject(systemContext, pen);
        platform::selectObject(systemContext, fillBrush);
        platform::selectObject(systemContext, font);
        platform::setTextColor(systemContext, fontColor.toPlatform());
        platform::setTextBackground(systemContext, fillColor.toPlatform());
        platform::setCopyMode(systemContext);
    }
    setFillColor(backgroundColor);
    setFrameColor(backgroundColor);
    const CRect whole(0, 0, width, height);
    fillRect(whole);
    frameRect(whole);
}

COffscreenContext::~COffscreenContext() {
    if (attachedBitmap) attachedBitmap->release();
    if (systemContext) {
        // Our pen, brush and font go out of the surface before the base deletes them.
        if (previousBitmap) platform::selectObject(systemContext, previousBitmap);
        platform::deleteMemorySurface(systemContext);
        systemContext = nullptr;
    }
    if (ownsSurface) platform::deleteObject(surfaceBitmap);
}

void COffscreenContext::copyTo(CDrawContext* destination, const CRect& rect, CPoint source) {
    if (!destination || !systemContext || !destination->getSystemContext()) return;
    const CPoint& origin = destination->getDrawingOrigin();
    platform::blit(destination->getSystemContext(), rect.left + origin.x, rect.top + origin.y,
                   rect.width(), rect.height(), systemContext, source.x, source.y);
}

} // namespace toolkit
