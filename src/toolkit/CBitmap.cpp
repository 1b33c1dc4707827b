#include "toolkit/CBitmap.h"

#include "platform/Resources.h"
#include "toolkit/CDrawContext.h"

#include <stb_image.h>

#include <memory>

namespace toolkit {

namespace {
struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

// A block to draw, in surface coordinates, with its source point. Parts of the block whose source
// lies outside the bitmap are cut off, so that no backend reads outside the pixels.
struct Block {
    int x, y, width, height, sx, sy;
};

bool clipBlock(CDrawContext* context, const CRect& rect, const CPoint& offset, int bitmapWidth,
               int bitmapHeight, Block& b) {
    if (!context || !context->getSystemContext()) return false;
    const CPoint& origin = context->getDrawingOrigin();
    b = {rect.left + origin.x, rect.top + origin.y, rect.width(), rect.height(), offset.x,
         offset.y};
    if (b.sx < 0) {
        b.x -= b.sx;
        b.width += b.sx;
        b.sx = 0;
    }
    if (b.sy < 0) {
        b.y -= b.sy;
        b.height += b.sy;
        b.sy = 0;
    }
    if (b.sx + b.width > bitmapWidth) b.width = bitmapWidth - b.sx;
    if (b.sy + b.height > bitmapHeight) b.height = bitmapHeight - b.sy;
    return b.width > 0 && b.height > 0;
}
} // namespace

CBitmap::CBitmap(int32_t id) : resourceId(id) {
    loadFromResource(id);
    transparentColor = kTransparentCColor;
}

CBitmap::CBitmap(const unsigned char* bytes, std::size_t size) : resourceId(0) {
    dispose();
    if (!loadFromPng(bytes, size)) dispose();
    transparentColor = kTransparentCColor;
}

CBitmap::~CBitmap() {
    platform::deleteObject(platformBitmap);
    platform::deleteObject(maskBitmap);
}

void CBitmap::dispose() {
    platform::deleteObject(platformBitmap);
    platform::deleteObject(maskBitmap);
    platformBitmap = nullptr;
    maskBitmap = nullptr;
    pixels = nullptr;
    noAlpha = false;
    width = height = 0;
}

bool CBitmap::loadFromFile(const char*) {
    dispose();
    return false;
}

bool CBitmap::loadFromResource(int32_t id) {
    dispose();
    const int resource = int(uint16_t(id & 0xFFFF));
    const platform::ResourceBytes bytes = platform::findPngResource(resource);
    if (bytes) {
        if (loadFromPng(bytes.data, bytes.size)) return true;
        // A decoded image whose platform bitmap could not be made ends here; an undecodable one
        // falls back to a platform bitmap resource.
        if (width != 0) {
            width = height = 0;
            return false;
        }
    }
    platformBitmap = platform::loadBitmapResource(resource);
    if (!platformBitmap) return false;
    int w = 0, h = 0;
    if (!platform::bitmapSize(platformBitmap, w, h)) return false;
    width = w;
    height = h;
    noAlpha = true;
    return true;
}

bool CBitmap::loadFromPng(const unsigned char* bytes, std::size_t size) {
    if (!bytes || size == 0 || size > std::size_t(INT32_MAX)) return false;
    int w = 0, h = 0, channels = 0;
    std::unique_ptr<unsigned char, StbFree> decoded(
        stbi_load_from_memory(bytes, int(size), &w, &h, &channels, 0));
    if (!decoded || w <= 0 || h <= 0) return false;
    width = w;
    height = h;
    uint8_t* bits = nullptr;
    platformBitmap = platform::createDib32(w, h, &bits);
    if (!platformBitmap || !bits) {
        platformBitmap = nullptr;
        return false;
    }
    pixels = bits;
    // Grey images are widened to colour: one sample is used for red, green and blue.
    const bool grey = channels < 3;
    const bool hasAlpha = channels == 4 || channels == 2;
    for (int r = 0; r < h; ++r) {
        const unsigned char* src = decoded.get() + size_t(r) * size_t(w) * size_t(channels);
        uint8_t* dst = bits + size_t(h - 1 - r) * size_t(w) * 4;
        for (int x = 0; x < w; ++x, src += channels, dst += 4) {
            const unsigned red = src[0];
            const unsigned green = grey ? src[0] : src[1];
            const unsigned blue = grey ? src[0] : src[2];
            const unsigned alpha = hasAlpha ? src[channels - 1] : 255u;
            if (alpha < 255) {
                dst[0] = uint8_t((blue * alpha) >> 8);
                dst[1] = uint8_t((green * alpha) >> 8);
                dst[2] = uint8_t((red * alpha) >> 8);
            } else {
                dst[0] = uint8_t(blue);
                dst[1] = uint8_t(green);
                dst[2] = uint8_t(red);
            }
            dst[3] = uint8_t(alpha);
        }
    }
    noAlpha = false;
    return true;
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset) {
    if (!noAlpha) {
        drawBlended(context, rect, offset, 255);
        return;
    }
    Block b;
    if (!platformBitmap || !clipBlock(context, rect, offset, width, height, b)) return;
    platform::drawBitmapCopy(context->getSystemContext(), b.x, b.y, b.width, b.height,
                             platformBitmap, b.sx, b.sy);
}

void CBitmap::drawWithTransparency(CDrawContext* context, const CRect& rect,
                                   const CPoint& offset) {
    if (!noAlpha) {
        drawBlended(context, rect, offset, 255);
        return;
    }
    Block b;
    if (!platformBitmap || !clipBlock(context, rect, offset, width, height, b)) return;
    platform::drawBitmapKeyed(context->getSystemContext(), b.x, b.y, b.width, b.height,
                              platformBitmap, b.sx, b.sy, transparentColor.toPlatform());
}

void CBitmap::drawBlended(CDrawContext* context, const CRect& rect, const CPoint& offset,
                          uint8_t alpha) {
    Block b;
    if (!platformBitmap || !clipBlock(context, rect, offset, width, height, b)) return;
    platform::drawBitmapBlended(context->getSystemContext(), b.x, b.y, b.width, b.height,
                                platformBitmap, b.sx, b.sy, alpha, !noAlpha);
}

} // namespace toolkit
