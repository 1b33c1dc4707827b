// GDI, call for call; alpha blending and keyed copies through msimg32.dll looked up at run time.
#include "platform/Graphics.h"
#include "platform/Module.h"
#include "platform/win32/Win32Common.h"

#include <cstring>
#include <vector>

namespace platform {

using namespace win32;

HINSTANCE win32::instance() {
    if (void* stored = moduleHandle()) return static_cast<HINSTANCE>(stored);
    return GetModuleHandleA(nullptr);
}

Surface acquireWindowSurface(Window w) { return w ? surface(GetDC(hwnd(w))) : nullptr; }

void releaseWindowSurface(Window w, Surface s) {
    if (s) ReleaseDC(hwnd(w), dc(s));
}

Surface createMemorySurface(Window w) {
    HDC source = GetDC(hwnd(w)); // the screen's surface when there is no window
    HDC memory = CreateCompatibleDC(source);
    ReleaseDC(hwnd(w), source);
    return surface(memory);
}

void deleteMemorySurface(Surface s) {
    if (s) DeleteDC(dc(s));
}

Object createCompatibleBitmap(Window w, int width, int height) {
    HDC source = GetDC(hwnd(w));
    HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
    ReleaseDC(hwnd(w), source);
    return object(bitmap);
}

Object currentObject(Surface s, ObjectKind kind) {
    if (!s) return nullptr;
    UINT type = OBJ_PEN;
    switch (kind) {
    case ObjectKind::Pen: type = OBJ_PEN; break;
    case ObjectKind::Brush: type = OBJ_BRUSH; break;
    case ObjectKind::Font: type = OBJ_FONT; break;
    case ObjectKind::Bitmap: type = OBJ_BITMAP; break;
    }
    return object(GetCurrentObject(dc(s), type));
}

Object selectObject(Surface s, Object o) {
    if (!s || !o) return nullptr;
    return object(SelectObject(dc(s), gdi(o)));
}

void deleteObject(Object o) {
    if (o) DeleteObject(gdi(o));
}

Object createPen(int style, int width, ColorRef color) {
    LOGPEN description{};
    description.lopnStyle = UINT(style);
    description.lopnWidth.x = width;
    description.lopnColor = color;
    return object(CreatePenIndirect(&description));
}

Object createSolidBrush(ColorRef color) {
    LOGBRUSH description{};
    description.lbStyle = BS_SOLID;
    description.lbColor = color;
    return object(CreateBrushIndirect(&description));
}

Object createFont(const FontDescription& d) {
    LOGFONTA font{};
    font.lfHeight = -d.pixelHeight; // character height, not cell height
    font.lfWeight = d.weight;
    font.lfItalic = d.italic ? 1 : 0;
    font.lfUnderline = d.underline ? 1 : 0;
    font.lfStrikeOut = 0;
    font.lfCharSet = d.charSet;
    font.lfOutPrecision = d.outPrecision;
    font.lfClipPrecision = d.clipPrecision;
    font.lfQuality = d.quality;
    if (d.fixedPitch) font.lfPitchAndFamily = FIXED_PITCH | FF_DONTCARE;
    else font.lfPitchAndFamily = d.decorative ? (FF_DECORATIVE | DEFAULT_PITCH)
                                              : (VARIABLE_PITCH | FF_SWISS);
    std::strncpy(font.lfFaceName, d.face ? d.face : "", LF_FACESIZE - 1);
    return object(CreateFontIndirectA(&font));
}

void setTextTransparent(Surface s, bool transparent) {
    if (s) SetBkMode(dc(s), transparent ? TRANSPARENT : OPAQUE);
}

void setTextBackground(Surface s, ColorRef color) {
    if (s) SetBkColor(dc(s), color);
}

ColorRef setTextColor(Surface s, ColorRef color) { return s ? SetTextColor(dc(s), color) : 0; }
ColorRef setTextBackgroundColor(Surface s, ColorRef color) {
    return s ? SetBkColor(dc(s), color) : 0;
}

void setCopyMode(Surface s) {
    if (s) SetROP2(dc(s), R2_COPYPEN);
}

void setClipRect(Surface s, const IRect& r) {
    if (!s) return;
    HRGN region = CreateRectRgn(r.left, r.top, r.right, r.bottom);
    SelectClipRgn(dc(s), region);
    DeleteObject(region);
}

void fillRect(Surface s, const IRect& r, Object brush) {
    if (!s || !brush) return;
    RECT rc{r.left, r.top, r.right, r.bottom};
    FillRect(dc(s), &rc, static_cast<HBRUSH>(gdi(brush)));
}

void moveTo(Surface s, int x, int y) {
    if (s) MoveToEx(dc(s), x, y, nullptr);
}

void lineTo(Surface s, int x, int y) {
    if (s) LineTo(dc(s), x, y);
}

void drawText(Surface s, const char* text, const IRect& r, TextAlign align) {
    if (!s || !text) return;
    RECT rc{r.left, r.top, r.right, r.bottom};
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    format |= align == TextAlign::Center ? DT_CENTER : align == TextAlign::Right ? DT_RIGHT : DT_LEFT;
    DrawTextA(dc(s), text, -1, &rc, format);
}

void blit(Surface dst, int x, int y, int w, int h, Surface src, int sx, int sy, RasterOp op) {
    if (!dst || !src) return;
    const DWORD rop = op == RasterOp::Xor ? SRCINVERT : op == RasterOp::And ? SRCAND : SRCCOPY;
    BitBlt(dc(dst), x, y, w, h, dc(src), sx, sy, rop);
}

ColorRef getPixel(Surface s, int x, int y) { return s ? GetPixel(dc(s), x, y) : CLR_INVALID; }

Object createDib32(int width, int height, uint8_t** bits) {
    if (width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // positive: bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    if (bits) *bits = static_cast<uint8_t*>(memory);
    return object(bitmap);
}

Object loadBitmapResource(int id) {
    return object(LoadBitmapA(instance(), MAKEINTRESOURCEA(id)));
}

bool bitmapSize(Object o, int& width, int& height) {
    BITMAP info{};
    if (!o || GetObjectA(gdi(o), sizeof info, &info) == 0) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}

namespace {
using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                         BLENDFUNCTION);
using TransparentBltFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                             UINT);
AlphaBlendFunction alphaBlendFunction = nullptr;
TransparentBltFunction transparentBltFunction = nullptr;
int libraryHolders = 0;

// Selects the bitmap into a memory surface compatible with `target` for one call.
class BitmapSource {
public:
    BitmapSource(HDC target, Object bitmap) : memory(CreateCompatibleDC(target)) {
        if (memory) previous = SelectObject(memory, gdi(bitmap));
    }
    ~BitmapSource() {
        if (memory) {
            SelectObject(memory, previous);
            DeleteDC(memory);
        }
    }
    HDC get() const { return memory; }

private:
    HDC memory;
    HGDIOBJ previous = nullptr;
};
} // namespace

// A one-bit mask of the block at (sx, sy): bits set where the source's red, green and blue equal
// the key, whatever the fourth byte holds (the platform's own colour-to-monochrome conversion
// compares that byte too on some systems).
static HBITMAP keyMask(HDC sourceDc, Object bitmap, int w, int h, int sx, int sy, ColorRef key) {
    BITMAP info{};
    if (GetObjectA(gdi(bitmap), sizeof info, &info) == 0) return nullptr;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight; // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(size_t(info.bmWidth) * size_t(info.bmHeight));
    // The bitmap is selected into sourceDc; GetDIBits reads it from there.
    HGDIOBJ selected = GetCurrentObject(sourceDc, OBJ_BITMAP);
    HBITMAP placeholder = CreateCompatibleBitmap(sourceDc, 1, 1);
    SelectObject(sourceDc, placeholder);
    const int rows = GetDIBits(sourceDc, static_cast<HBITMAP>(gdi(bitmap)), 0, UINT(info.bmHeight),
                               pixels.data(), &format, DIB_RGB_COLORS);
    SelectObject(sourceDc, selected);
    DeleteObject(placeholder);
    if (rows == 0) return nullptr;
    const uint32_t keyPixel = ((key & 0xFF) << 16) | (key & 0xFF00) | ((key >> 16) & 0xFF);
    const int stride = ((w + 15) / 16) * 2; // monochrome rows are padded to 16 bits
    std::vector<uint8_t> bits(size_t(stride) * size_t(h), 0);
    for (int y = 0; y < h; ++y) {
        const int row = sy + y;
        for (int x = 0; x < w; ++x) {
            const int column = sx + x;
            if (row < 0 || row >= info.bmHeight || column < 0 || column >= info.bmWidth) continue;
            if ((pixels[size_t(row) * size_t(info.bmWidth) + size_t(column)] & 0xFFFFFF) == keyPixel)
                bits[size_t(y) * size_t(stride) + size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        }
    }
    return CreateBitmap(w, h, 1, 1, bits.data());
}

void* loadImageLibrary() {
    HMODULE library = LoadLibraryA("msimg32.dll");
    if (!library) return nullptr;
    ++libraryHolders;
    alphaBlendFunction =
        reinterpret_cast<AlphaBlendFunction>(reinterpret_cast<void*>(GetProcAddress(library, "AlphaBlend")));
    transparentBltFunction = reinterpret_cast<TransparentBltFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "TransparentBlt")));
    return library;
}

void freeImageLibrary(void* library) {
    if (!library) return;
    // The functions stay usable while any frame holds the library.
    if (--libraryHolders <= 0) {
        libraryHolders = 0;
        alphaBlendFunction = nullptr;
        transparentBltFunction = nullptr;
    }
    FreeLibrary(static_cast<HMODULE>(library));
}

bool alphaBlendAvailable() { return alphaBlendFunction != nullptr; }
bool transparentBltAvailable() { return transparentBltFunction != nullptr; }

void drawBitmapCopy(Surface dst, int x, int y, int w, int h, Object bitmap, int sx, int sy) {
    if (!dst || !bitmap) return;
    BitmapSource source(dc(dst), bitmap);
    BitBlt(dc(dst), x, y, w, h, source.get(), sx, sy, SRCCOPY);
}

void drawBitmapBlended(Surface dst, int x, int y, int w, int h, Object bitmap, int sx, int sy,
                       uint8_t alpha, bool perPixelAlpha) {
    if (!dst || !bitmap || !alphaBlendFunction) return;
    BitmapSource source(dc(dst), bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, BYTE(perPixelAlpha ? AC_SRC_ALPHA : 0)};
    alphaBlendFunction(dc(dst), x, y, w, h, source.get(), sx, sy, w, h, blend);
}

void drawBitmapKeyed(Surface dst, int x, int y, int w, int h, Object bitmap, int sx, int sy,
                     ColorRef key) {
    if (!dst || !bitmap || w <= 0 || h <= 0) return;
    BitmapSource source(dc(dst), bitmap);
    if (transparentBltFunction) {
        transparentBltFunction(dc(dst), x, y, w, h, source.get(), sx, sy, w, h, key);
        return;
    }
    // The mask method: key pixels set in a one-bit mask, then xor, and, xor on the destination.
    HBITMAP mask = keyMask(source.get(), bitmap, w, h, sx, sy, key);
    if (!mask) return;
    HDC maskDc = CreateCompatibleDC(dc(dst));
    HGDIOBJ previousMask = SelectObject(maskDc, mask);
    const COLORREF previousText = SetTextColor(dc(dst), RGB(0, 0, 0));
    const COLORREF previousBk = SetBkColor(dc(dst), RGB(255, 255, 255));
    BitBlt(dc(dst), x, y, w, h, source.get(), sx, sy, SRCINVERT);
    BitBlt(dc(dst), x, y, w, h, maskDc, 0, 0, SRCAND);
    BitBlt(dc(dst), x, y, w, h, source.get(), sx, sy, SRCINVERT);
    SetTextColor(dc(dst), previousText);
    SetBkColor(dc(dst), previousBk);
    SelectObject(maskDc, previousMask);
    DeleteDC(maskDc);
    DeleteObject(mask);
}

} // namespace platform
