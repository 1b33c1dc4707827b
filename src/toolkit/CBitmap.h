// A picture loaded from a PNG resource of the module, held as premultiplied 32-bit pixels and
// drawn block-wise into a drawing context. Film strips select their frames by source offset.
#pragma once

#include "platform/Graphics.h"
#include "toolkit/CColor.h"
#include "toolkit/CRect.h"
#include "toolkit/CReferenceCounter.h"

#include <cstddef>
#include <cstdint>

namespace toolkit {

class CDrawContext;

class CBitmap : public CReferenceCounter, private LiveCounter<CBitmap> {
public:
    explicit CBitmap(int32_t resourceId);
    // Decodes PNG bytes held in memory (images that do not come from the module's resources).
    CBitmap(const unsigned char* pngBytes, std::size_t size);
    ~CBitmap() override;

    static int liveCount() { return LiveCounter<CBitmap>::live(); }

    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint());
    virtual void drawWithTransparency(CDrawContext* context, const CRect& rect,
                                      const CPoint& offset = CPoint());
    virtual void drawBlended(CDrawContext* context, const CRect& rect, const CPoint& offset,
                             uint8_t alpha);
    virtual void dispose();
    virtual bool loadFromResource(int32_t resourceId);
    virtual bool loadFromFile(const char* fileName);

    // Decodes PNG bytes into this bitmap (the steps after the resource lookup).
    bool loadFromPng(const unsigned char* bytes, std::size_t size);

    int32_t getResourceId() const { return resourceId; }
    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    bool isLoaded() const { return platformBitmap != nullptr; }
    bool hasNoAlpha() const { return noAlpha; }
    CColor getTransparentColor() const { return transparentColor; }
    void setTransparentColor(CColor color) { transparentColor = color; }
    // The pixels of a PNG-loaded bitmap: blue, green, red, alpha, premultiplied, bottom-up rows.
    const uint8_t* getPixels() const { return pixels; }

private:
    int32_t resourceId;
    int32_t width = 0;
    int32_t height = 0;
    CColor transparentColor = kTransparentCColor;
    bool noAlpha = true;
    platform::Object platformBitmap = nullptr;
    platform::Object maskBitmap = nullptr;
    uint8_t* pixels = nullptr; // owned by platformBitmap
};

} // namespace toolkit
