// Drawing surfaces and graphics objects, the same on every backend.
//
// Win32: a Surface is an HDC, an Object an HGDIOBJ (pen, brush, font or bitmap) and the calls map
// one to one onto GDI. Headless: software surfaces of 32-bit premultiplied BGRA pixels with GDI's
// pixel rules (fills leave out nothing of their rectangle, lines leave out their end point, the
// clip is one rectangle), text through FreeType with faces found by fontconfig.
#pragma once

#include <cstdint>

namespace platform {

struct SurfaceObject;
struct GraphicsObject;
struct WindowObject;
using Surface = SurfaceObject*;
using Object = GraphicsObject*;
using Window = WindowObject*;

// A colour as the platform takes it: red + 256 * green + 65536 * blue.
using ColorRef = uint32_t;

struct IRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
};

enum class ObjectKind { Pen, Brush, Font, Bitmap };

// Surfaces.
Surface acquireWindowSurface(Window window);             // GetDC
void releaseWindowSurface(Window window, Surface surface); // ReleaseDC
Surface createMemorySurface(Window compatibleWith);      // CreateCompatibleDC (screen when none)
void deleteMemorySurface(Surface surface);               // DeleteDC
// A bitmap in the colour format of the window's surface (the screen's when there is no window).
Object createCompatibleBitmap(Window window, int width, int height);

// Objects.
Object currentObject(Surface surface, ObjectKind kind); // GetCurrentObject
Object selectObject(Surface surface, Object object);    // answers the object it replaced
void deleteObject(Object object);
Object createPen(int style, int width, ColorRef color); // null when refused
Object createSolidBrush(ColorRef color);                // null when refused

struct FontDescription {
    const char* face = "";
    int pixelHeight = 0; // character height in pixels (not the cell height)
    int weight = 400;    // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool decorative = false; // decorative family with default pitch; else proportional sans-serif
    bool fixedPitch = false; // fixed pitch in any family (decorative does not apply then)
    // Hints to the platform's font mapper; the defaults are those of the standard fonts.
    uint8_t charSet = 1;       // 1 default character set; 0 ANSI
    uint8_t outPrecision = 3;  // 3 string precision; 7 TrueType faces only
    uint8_t clipPrecision = 2; // 2 stroke precision; 0 default
    uint8_t quality = 0;       // 0 default; 5 ClearType
};
Object createFont(const FontDescription& description);

// Surface state.
void setTextTransparent(Surface surface, bool transparent); // SetBkMode
void setTextBackground(Surface surface, ColorRef color);    // SetBkColor
ColorRef setTextColor(Surface surface, ColorRef color);     // answers the previous colour
ColorRef setTextBackgroundColor(Surface surface, ColorRef color); // answers the previous colour
void setCopyMode(Surface surface);                          // SetROP2(R2_COPYPEN)
void setClipRect(Surface surface, const IRect& rect);       // one rectangular clip region

// Drawing.
void fillRect(Surface surface, const IRect& rect, Object brush); // the whole rect, right/bottom excl.
void moveTo(Surface surface, int x, int y);
void lineTo(Surface surface, int x, int y); // end point left out
enum class TextAlign { Left, Center, Right };
// One line, vertically centred, clipped to the rectangle, no '&' prefix handling.
void drawText(Surface surface, const char* text, const IRect& rect, TextAlign align);

enum class RasterOp { Copy, Xor, And };
void blit(Surface dst, int x, int y, int width, int height, Surface src, int sx, int sy,
          RasterOp op = RasterOp::Copy);

// Reads one pixel as a ColorRef (GetPixel); 0xFFFFFFFF outside the surface or clip.
ColorRef getPixel(Surface surface, int x, int y);

// Bitmaps of 32-bit premultiplied BGRA pixels, rows bottom-up, no padding. `bits` receives the
// pixel memory, which lives as long as the bitmap.
Object createDib32(int width, int height, uint8_t** bits);
// A bitmap resource of the module in the platform's own format (LoadBitmapA); null if none.
Object loadBitmapResource(int id);
bool bitmapSize(Object bitmap, int& width, int& height);

// The image library that provides alpha blending and keyed copies (msimg32.dll on Windows).
// Each frame loads it at construction and frees it at destruction; while no frame holds it the
// blend and keyed-copy functions below are unavailable.
void* loadImageLibrary();
void freeImageLibrary(void* library);
bool alphaBlendAvailable();
bool transparentBltAvailable();

// Draws a block of the bitmap at (sx, sy) to the surface at (x, y):
// - copy: plain block copy;
// - blended: source-over with constant alpha, per-pixel alpha when perPixelAlpha is set (needs the
//   image library);
// - keyed: pixels whose colour equals key are left out (TransparentBlt when available, else the
//   mask method with xor/and block copies).
void drawBitmapCopy(Surface dst, int x, int y, int width, int height, Object bitmap, int sx, int sy);
void drawBitmapBlended(Surface dst, int x, int y, int width, int height, Object bitmap, int sx,
                       int sy, uint8_t alpha, bool perPixelAlpha);
void drawBitmapKeyed(Surface dst, int x, int y, int width, int height, Object bitmap, int sx,
                     int sy, ColorRef key);

} // namespace platform
