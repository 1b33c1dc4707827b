// The software objects behind the headless backend's handles.
#pragma once

#include "platform/BlockCache.h"
#include "platform/Graphics.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessDisplay.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

namespace headless_detail {
extern int liveObjects;
extern int createdObjects[4];
} // namespace headless_detail

struct GraphicsObject {
    explicit GraphicsObject(ObjectKind k, bool isStock = false) : kind(k), stock(isStock) {
        if (!stock) {
            ++headless_detail::liveObjects;
            ++headless_detail::createdObjects[int(k)];
        }
    }
    virtual ~GraphicsObject() {
        if (!stock) --headless_detail::liveObjects;
    }
    ObjectKind kind;
    bool stock; // shared defaults: never deleted
};

enum PenStyle { kPenSolid = 0, kPenNull = 5 };

struct PenObject : GraphicsObject {
    PenObject(int s, int w, ColorRef c, bool isStock = false)
        : GraphicsObject(ObjectKind::Pen, isStock), style(s), width(w), color(c) {}
    RV_CACHED_ALLOCATION(PenObject)
    int style;
    int width;
    ColorRef color;
};

struct BrushObject : GraphicsObject {
    explicit BrushObject(ColorRef c, bool isStock = false)
        : GraphicsObject(ObjectKind::Brush, isStock), color(c) {}
    RV_CACHED_ALLOCATION(BrushObject)
    ColorRef color;
};

struct FontFace; // a FreeType face shared by all fonts that resolve to the same file
struct FontObject : GraphicsObject {
    FontObject() : GraphicsObject(ObjectKind::Font) {}
    explicit FontObject(bool isStock) : GraphicsObject(ObjectKind::Font, isStock) {}
    RV_CACHED_ALLOCATION(FontObject)
    FontFace* face = nullptr; // null: draws no glyphs
    int pixelHeight = 12;
    bool underline = false;
    bool syntheticBold = false;
    bool syntheticItalic = false;
};

// Pixels are 0xAARRGGBB words (bytes blue, green, red, alpha in memory), premultiplied.
struct BitmapObject : GraphicsObject {
    BitmapObject(int w, int h, bool isBottomUp, bool isStock = false)
        : GraphicsObject(ObjectKind::Bitmap, isStock), width(w), height(h), bottomUp(isBottomUp),
          pixels(size_t(w) * size_t(h), 0u) {}
    int width;
    int height;
    bool bottomUp;
    std::vector<uint32_t> pixels;

    // Changes the size in place (surfaces drawing into the bitmap stay valid); pixels cleared.
    void resize(int w, int h) {
        width = w;
        height = h;
        pixels.assign(size_t(w) * size_t(h), 0u);
    }

    uint32_t* row(int y) {
        return pixels.data() + size_t(bottomUp ? height - 1 - y : y) * size_t(width);
    }
    const uint32_t* row(int y) const {
        return pixels.data() + size_t(bottomUp ? height - 1 - y : y) * size_t(width);
    }
};

struct SurfaceObject {
    RV_CACHED_ALLOCATION(SurfaceObject)
    BitmapObject* target = nullptr; // where drawing lands: the selected bitmap or the window's
    WindowObject* window = nullptr; // for a window surface
    bool memory = false;
    GraphicsObject* pen = nullptr;
    GraphicsObject* brush = nullptr;
    GraphicsObject* font = nullptr;
    GraphicsObject* bitmap = nullptr; // selected bitmap of a memory surface
    bool clipSet = false;
    IRect clip{};
    bool transparentText = false;
    ColorRef textBackground = 0xFFFFFF;
    ColorRef textColor = 0;
    int currentX = 0, currentY = 0;

    // The drawable area: the target bounded by the clip.
    IRect drawable() const;
};

struct WindowObject {
    WindowObject* parent = nullptr;
    std::vector<WindowObject*> children;
    std::string className;
    bool caption = false;
    int x = 0, y = 0; // position in the parent (screen for a top-level window)
    int width = 0, height = 0;
    std::unique_ptr<BitmapObject> pixels; // always there; 0 x 0 for an empty window
    std::vector<SurfaceObject*> surfaces; // surfaces acquired on the window and not released
    WindowEvents* events = nullptr;
    bool hasUpdate = false;
    IRect update{};
    bool dropTarget = false;
    int wheelsReceived = 0; // wheel turns that reached this window by default processing
    // A stand-in for a window of the host's display: the display's handle (never dereferenced)
    // and the client registered with it. Null for the backend's own windows.
    const void* hostHandle = nullptr;
    RvHeadlessClient client{};
    bool dying = false; // being destroyed: its children's destruction must not release it again
};

namespace headless_detail {
uint32_t toPixel(ColorRef color);
ColorRef toColorRef(uint32_t pixel);
void fillPixels(SurfaceObject& s, IRect r, uint32_t pixel);
// Text through FreeType.
FontFace* findFace(const char* family, int weight, bool italic, bool decorative,
                   bool fixedPitch = false);
void renderText(SurfaceObject& s, const FontObject& font, const char* text, const IRect& rect,
                TextAlign align);
bool windowIsLive(const WindowObject* window);
const std::vector<WindowObject*>& allWindows();
// The host's display, when the process offers one (see HeadlessDisplay.h); else null.
const RvHeadlessDisplay* hostDisplay();
// The local stand-in for a parent handle that the display vouches for (made at the first use),
// or null when there is no display or the handle is none of its windows.
WindowObject* standInFor(const void* handle);
// Called when a child of a stand-in went away: the stand-in is released with its last child.
void childOfStandInGone(WindowObject* standIn);
// Brings a stand-in's size up to date with the host window.
void refreshStandIn(WindowObject* window);
// After drawing into a window: hands its pixels to the host when it lies inside a stand-in.
void presentIfHosted(WindowObject* window);
// A press at a screen point: true when the focused edit field lies there and takes it; else the
// field loses the keyboard focus first.
bool editFieldTakesPress(int screenX, int screenY);
} // namespace headless_detail

} // namespace platform
