// Software surfaces with GDI's pixel rules.
#include "platform/Graphics.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessObjects.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace platform {
namespace {

PenObject stockPen(kPenSolid, 1, 0, true);          // black pen
BrushObject stockBrush(0xFFFFFF, true);             // white brush
FontObject stockFont(true);                         // system font
BitmapObject stockBitmap(1, 1, false, true);        // a memory surface's first bitmap
bool refuseBrushes = false;

IRect intersect(IRect a, const IRect& b) {
    a.left = std::max(a.left, b.left);
    a.top = std::max(a.top, b.top);
    a.right = std::min(a.right, b.right);
    a.bottom = std::min(a.bottom, b.bottom);
    if (a.right < a.left) a.right = a.left;
    if (a.bottom < a.top) a.bottom = a.top;
    return a;
}

bool inside(const IRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

BitmapObject* asBitmap(Object o) {
    return o && o->kind == ObjectKind::Bitmap ? static_cast<BitmapObject*>(o) : nullptr;
}

void putPixel(SurfaceObject& s, const IRect& area, int x, int y, uint32_t pixel) {
    if (inside(area, x, y)) s.target->row(y)[x] = pixel;
}

// Copies or combines a block; source pixels outside the source are left out. `op` combines one
// row: op(destination, source, count).
template <class RowOp>
void combineBlock(SurfaceObject& dst, int x, int y, int w, int h, const BitmapObject& src, int sx,
                  int sy, RowOp op) {
    if (!dst.target || w <= 0 || h <= 0) return;
    IRect area = intersect(dst.drawable(), {x, y, x + w, y + h});
    area = intersect(area, {x - sx, y - sy, x - sx + src.width, y - sy + src.height});
    const int count = area.width();
    if (count <= 0) return;
    for (int dy = area.top; dy < area.bottom; ++dy)
        op(dst.target->row(dy) + area.left, src.row(sy + (dy - y)) + sx + (area.left - x), count);
}

// A per-pixel combination applied to whole rows.
template <class PixelOp> auto perPixel(PixelOp pixelOp) {
    return [pixelOp](uint32_t* d, const uint32_t* s, int n) {
        for (int i = 0; i < n; ++i) d[i] = pixelOp(d[i], s[i]);
    };
}

void copyRows(uint32_t* d, const uint32_t* s, int n) { std::memcpy(d, s, size_t(n) * 4); }

// x / 255 rounded down, for x below 65536, on two 16-bit lanes at once.
inline uint32_t div255Lanes(uint32_t t) {
    return ((t + 0x00010001u + ((t >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

// Premultiplied source over: D = S + round(D * (255 - Sa) / 255), per channel.
inline uint32_t sourceOver(uint32_t d, uint32_t s) {
    const uint32_t sa = s >> 24;
    if (sa == 255) return s;
    if (sa == 0) return d;
    const uint32_t inv = 255 - sa;
    const uint32_t rb = div255Lanes((d & 0x00FF00FFu) * inv + 0x007F007Fu);
    const uint32_t ag = div255Lanes(((d >> 8) & 0x00FF00FFu) * inv + 0x007F007Fu);
    const uint32_t outRb = ((s & 0x00FF00FFu) + rb) & 0x00FF00FFu;
    const uint32_t outAg = (((s >> 8) & 0x00FF00FFu) + ag) & 0x00FF00FFu;
    return outRb | (outAg << 8);
}

// A row of source over, in runs: opaque runs are copied, transparent runs skipped.
void sourceOverRow(uint32_t* d, const uint32_t* s, int n) {
    int i = 0;
    while (i < n) {
        const uint32_t alpha = s[i] >> 24;
        int j = i + 1;
        if (alpha == 255) {
            while (j < n && (s[j] >> 24) == 255) ++j;
            std::memcpy(d + i, s + i, size_t(j - i) * 4);
        } else if (alpha == 0) {
            while (j < n && (s[j] >> 24) == 0) ++j;
        } else {
            d[i] = sourceOver(d[i], s[i]);
        }
        i = j;
    }
}

inline uint32_t scale255(uint32_t value, uint32_t factor) { return (value * factor + 127) / 255; }

} // namespace

IRect SurfaceObject::drawable() const {
    if (!target) return {};
    IRect r{0, 0, target->width, target->height};
    return clipSet ? intersect(r, clip) : r;
}

namespace headless_detail {
int liveObjects = 0;
int createdObjects[4] = {0, 0, 0, 0};

uint32_t toPixel(ColorRef c) {
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
ColorRef toColorRef(uint32_t p) { return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16); }
void fillPixels(SurfaceObject& s, IRect r, uint32_t pixel) {
    r = intersect(r, s.drawable());
    for (int y = r.top; y < r.bottom; ++y) std::fill_n(s.target->row(y) + r.left, r.width(), pixel);
}
} // namespace headless_detail

using namespace headless_detail;

Surface acquireWindowSurface(Window window) {
    if (!windowIsLive(window) || !window->pixels) return nullptr;
    auto* s = new SurfaceObject;
    s->window = window;
    s->target = window->pixels.get();
    window->surfaces.push_back(s);
    s->pen = &stockPen;
    s->brush = &stockBrush;
    s->font = &stockFont;
    return s;
}

void releaseWindowSurface(Window, Surface surface) {
    if (!surface) return;
    // A surface whose window went away was already detached from it.
    if (surface->window) {
        std::erase(surface->window->surfaces, surface);
        headless_detail::presentIfHosted(surface->window);
    }
    delete surface;
}

Surface createMemorySurface(Window) {
    auto* s = new SurfaceObject;
    s->memory = true;
    s->pen = &stockPen;
    s->brush = &stockBrush;
    s->font = &stockFont;
    s->bitmap = &stockBitmap;
    s->target = &stockBitmap;
    return s;
}

void deleteMemorySurface(Surface surface) { delete surface; }

Object createCompatibleBitmap(Window, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    return new BitmapObject(width, height, false);
}

Object currentObject(Surface s, ObjectKind kind) {
    if (!s) return nullptr;
    switch (kind) {
    case ObjectKind::Pen: return s->pen;
    case ObjectKind::Brush: return s->brush;
    case ObjectKind::Font: return s->font;
    case ObjectKind::Bitmap: return s->memory ? s->bitmap : nullptr;
    }
    return nullptr;
}

Object selectObject(Surface s, Object o) {
    if (!s || !o) return nullptr;
    GraphicsObject* previous = nullptr;
    switch (o->kind) {
    case ObjectKind::Pen: previous = s->pen; s->pen = o; break;
    case ObjectKind::Brush: previous = s->brush; s->brush = o; break;
    case ObjectKind::Font: previous = s->font; s->font = o; break;
    case ObjectKind::Bitmap:
        if (!s->memory) return nullptr;
        previous = s->bitmap;
        s->bitmap = o;
        s->target = static_cast<BitmapObject*>(o);
        break;
    }
    return previous;
}

void deleteObject(Object o) {
    if (o && !o->stock) delete o;
}

Object createPen(int style, int width, ColorRef color) { return new PenObject(style, width, color); }

Object createSolidBrush(ColorRef color) {
    return refuseBrushes ? nullptr : new BrushObject(color);
}

void setTextTransparent(Surface s, bool transparent) {
    if (s) s->transparentText = transparent;
}
void setTextBackground(Surface s, ColorRef color) {
    if (s) s->textBackground = color;
}
ColorRef setTextColor(Surface s, ColorRef color) {
    if (!s) return 0;
    return std::exchange(s->textColor, color);
}
ColorRef setTextBackgroundColor(Surface s, ColorRef color) {
    if (!s) return 0;
    return std::exchange(s->textBackground, color);
}
void setCopyMode(Surface) {}

void setClipRect(Surface s, const IRect& rect) {
    if (!s) return;
    s->clipSet = true;
    s->clip = rect;
}

void fillRect(Surface s, const IRect& rect, Object brush) {
    if (!s || !s->target || !brush || brush->kind != ObjectKind::Brush) return;
    fillPixels(*s, rect, toPixel(static_cast<BrushObject*>(brush)->color));
}

void moveTo(Surface s, int x, int y) {
    if (!s) return;
    s->currentX = x;
    s->currentY = y;
}

void lineTo(Surface s, int x, int y) {
    if (!s) return;
    const int x0 = s->currentX, y0 = s->currentY;
    s->currentX = x;
    s->currentY = y;
    auto* pen = static_cast<PenObject*>(s->pen);
    if (!s->target || !pen || pen->style == kPenNull) return;
    const uint32_t pixel = toPixel(pen->color);
    const IRect area = s->drawable();
    // Bresenham from (x0, y0) towards (x, y), leaving out the end point.
    const int dx = std::abs(x - x0), dy = std::abs(y - y0);
    const int stepX = x0 < x ? 1 : -1, stepY = y0 < y ? 1 : -1;
    int px = x0, py = y0;
    if (dx >= dy) {
        int error = 2 * dy - dx;
        for (int i = 0; i < dx; ++i) {
            putPixel(*s, area, px, py, pixel);
            if (error > 0) {
                py += stepY;
                error -= 2 * dx;
            }
            error += 2 * dy;
            px += stepX;
        }
    } else {
        int error = 2 * dx - dy;
        for (int i = 0; i < dy; ++i) {
            putPixel(*s, area, px, py, pixel);
            if (error > 0) {
                px += stepX;
                error -= 2 * dy;
            }
            error += 2 * dx;
            py += stepY;
        }
    }
}

void drawText(Surface s, const char* text, const IRect& rect, TextAlign align) {
    if (!s || !s->target || !text || !s->font) return;
    renderText(*s, *static_cast<FontObject*>(s->font), text, rect, align);
}

void blit(Surface dst, int x, int y, int w, int h, Surface src, int sx, int sy, RasterOp op) {
    if (!dst || !src || !src->target) return;
    switch (op) {
    case RasterOp::Copy:
        combineBlock(*dst, x, y, w, h, *src->target, sx, sy, copyRows);
        break;
    case RasterOp::Xor:
        combineBlock(*dst, x, y, w, h, *src->target, sx, sy,
                     perPixel([](uint32_t d, uint32_t s) { return (d ^ s) | 0xFF000000u; }));
        break;
    case RasterOp::And:
        combineBlock(*dst, x, y, w, h, *src->target, sx, sy,
                     perPixel([](uint32_t d, uint32_t s) { return (d & s) | 0xFF000000u; }));
        break;
    }
}

ColorRef getPixel(Surface s, int x, int y) {
    if (!s || !s->target || !inside(s->drawable(), x, y)) return 0xFFFFFFFFu;
    return toColorRef(s->target->row(y)[x]);
}

Object createDib32(int width, int height, uint8_t** bits) {
    if (width <= 0 || height <= 0) return nullptr;
    auto* bitmap = new BitmapObject(width, height, true);
    if (bits) *bits = reinterpret_cast<uint8_t*>(bitmap->pixels.data());
    return bitmap;
}

Object loadBitmapResource(int) { return nullptr; } // no platform bitmap resources here

bool bitmapSize(Object o, int& width, int& height) {
    BitmapObject* b = asBitmap(o);
    if (!b) return false;
    width = b->width;
    height = b->height;
    return true;
}

// The image library is part of this backend; a test can take it away to see the fallbacks.
namespace {
bool libraryPresent = true;
int libraryHolders = 0;
char libraryToken;
} // namespace

void* loadImageLibrary() {
    if (!libraryPresent) return nullptr;
    ++libraryHolders;
    return &libraryToken;
}
void freeImageLibrary(void* library) {
    if (library && libraryHolders > 0) --libraryHolders;
}
bool alphaBlendAvailable() { return libraryHolders > 0; }
bool transparentBltAvailable() { return libraryHolders > 0; }

void drawBitmapCopy(Surface dst, int x, int y, int w, int h, Object bitmap, int sx, int sy) {
    BitmapObject* b = asBitmap(bitmap);
    if (!dst || !b) return;
    combineBlock(*dst, x, y, w, h, *b, sx, sy, copyRows);
}

void drawBitmapBlended(Surface dst, int x, int y, int w, int h, Object bitmap, int sx, int sy,
                       uint8_t alpha, bool perPixelAlpha) {
    BitmapObject* b = asBitmap(bitmap);
    if (!dst || !b || !alphaBlendAvailable() || alpha == 0) return;
    const uint32_t a = alpha;
    if (perPixelAlpha && a == 255) {
        combineBlock(*dst, x, y, w, h, *b, sx, sy, sourceOverRow);
    } else if (perPixelAlpha) {
        combineBlock(*dst, x, y, w, h, *b, sx, sy, perPixel([a](uint32_t d, uint32_t s) {
            const uint32_t sa = scale255(s >> 24, a);
            const uint32_t inv = 255 - sa;
            uint32_t out = 0;
            for (int shift = 0; shift < 24; shift += 8)
                out |= ((scale255((s >> shift) & 0xFF, a) + scale255((d >> shift) & 0xFF, inv)) &
                        0xFF)
                       << shift;
            return out | (((sa + scale255(d >> 24, inv)) & 0xFF) << 24);
        }));
    } else {
        combineBlock(*dst, x, y, w, h, *b, sx, sy, perPixel([a](uint32_t d, uint32_t s) {
            uint32_t out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const uint32_t sv = (s >> shift) & 0xFF, dv = (d >> shift) & 0xFF;
                out |= ((sv * a + dv * (255 - a) + 127) / 255) << shift;
            }
            return out;
        }));
    }
}

void drawBitmapKeyed(Surface dst, int x, int y, int w, int h, Object bitmap, int sx, int sy,
                     ColorRef key) {
    BitmapObject* b = asBitmap(bitmap);
    if (!dst || !b) return;
    const uint32_t keyPixel = toPixel(key) & 0xFFFFFF;
    combineBlock(*dst, x, y, w, h, *b, sx, sy, perPixel([keyPixel](uint32_t d, uint32_t s) {
        return (s & 0xFFFFFF) == keyPixel ? d : s;
    }));
}

namespace headless {
void setImageLibraryPresent(bool present) { libraryPresent = present; }
void setBrushCreationRefused(bool refused) { refuseBrushes = refused; }
int liveGraphicsObjects() { return headless_detail::liveObjects; }
int graphicsObjectsCreated(ObjectKind kind) { return headless_detail::createdObjects[int(kind)]; }
} // namespace headless

} // namespace platform
