// Virtual windows: a registry of live windows with their sizes, pixels and pending paint areas.
#include "platform/Window.h"
#include "platform/Module.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessObjects.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace platform {
namespace {

std::vector<WindowObject*>& registry() {
    static std::vector<WindowObject*> windows;
    return windows;
}

int classUseCount = 0;
char className[32] = "";
bool systemSwapped = false;
bool swappedFlag = false;
char cursorToken[10];
void* shownCursor = nullptr;

IRect unite(const IRect& a, const IRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

void screenOrigin(const WindowObject* w, int& x, int& y) {
    x = 0;
    y = 0;
    for (; w; w = w->parent) {
        x += w->x;
        y += w->y;
    }
}

void destroyTree(WindowObject* w) {
    w->dying = true;
    while (!w->children.empty()) destroyTree(w->children.back());
    if (WindowEvents* events = w->events) {
        w->events = nullptr;
        events->windowDestroyed();
    }
    // Surfaces still held on the window draw nowhere from now on.
    for (SurfaceObject* s : w->surfaces) {
        s->target = nullptr;
        s->window = nullptr;
    }
    if (w->hostHandle) {
        if (const RvHeadlessDisplay* display = headless_detail::hostDisplay())
            display->detach(w->hostHandle, &w->client);
    }
    WindowObject* parent = w->parent;
    if (parent) std::erase(parent->children, w);
    std::erase(registry(), w);
    delete w;
    if (parent && parent->hostHandle && !parent->dying) headless_detail::childOfStandInGone(parent);
}

} // namespace

namespace headless_detail {
bool windowIsLive(const WindowObject* window) {
    return window && std::find(registry().begin(), registry().end(), window) != registry().end();
}

const std::vector<WindowObject*>& allWindows() { return registry(); }
} // namespace headless_detail

using headless_detail::windowIsLive;

void acquireFrameWindowClass() {
    if (classUseCount++ == 0) {
        // The module handle in upper-case hexadecimal, two digits per byte of a pointer, as on Win32.
        std::snprintf(className, sizeof className, "Plugin%0*" PRIXPTR, int(2 * sizeof(void*)),
                      reinterpret_cast<uintptr_t>(moduleHandle()));
        swappedFlag = systemSwapped;
    }
}

void releaseFrameWindowClass() {
    if (classUseCount > 0 && --classUseCount == 0) className[0] = 0;
}

const char* frameWindowClassName() { return className; }
int frameWindowClassUseCount() { return classUseCount; }
bool mouseButtonsSwapped() { return swappedFlag; }

Window createFrameWindow(Window parent, int width, int height, WindowEvents* events) {
    if (classUseCount == 0) return nullptr;
    // Our own live window, or a window the host's display vouches for; no other handle is used.
    if (!windowIsLive(parent)) parent = headless_detail::standInFor(parent);
    if (!parent) return nullptr;
    Window w = headless::createWindow(parent, 0, 0, width, height, className, false);
    if (w) w->events = events;
    return w;
}

void destroyFrameWindow(Window window) {
    if (!windowIsLive(window)) return;
    window->events = nullptr;
    destroyTree(window);
}

IRect windowScreenRect(Window w) {
    if (!windowIsLive(w)) return {};
    headless_detail::refreshStandIn(w);
    int x = 0, y = 0;
    screenOrigin(w, x, y);
    return {x, y, x + w->width, y + w->height};
}

Window parentWindow(Window w) { return windowIsLive(w) ? w->parent : nullptr; }

void windowClassName(Window w, char* buffer, int size) {
    if (!buffer || size <= 0) return;
    buffer[0] = 0;
    if (windowIsLive(w)) std::snprintf(buffer, size_t(size), "%s", w->className.c_str());
}

bool windowHasCaption(Window w) { return windowIsLive(w) && w->caption; }

void setWindowSizeOnTop(Window w, int width, int height) {
    if (!windowIsLive(w)) return;
    width = std::max(0, width);
    height = std::max(0, height);
    if (w->hostHandle) { // the host's window: the host decides
        if (const RvHeadlessDisplay* display = headless_detail::hostDisplay())
            display->resizeWindow(w->hostHandle, width, height);
        headless_detail::refreshStandIn(w);
        return;
    }
    if (width == w->width && height == w->height) return;
    w->width = width;
    w->height = height;
    w->pixels->resize(width, height);
    for (SurfaceObject* s : w->surfaces) s->clipSet = false; // the clip region is reset
    w->hasUpdate = false;
    headless::invalidate(w, {0, 0, width, height});
    if (w->parent) { // on top of its siblings
        auto& siblings = w->parent->children;
        std::erase(siblings, w);
        siblings.push_back(w);
    }
}

int fixedFrameHeight() { return 3; }

void screenToWindow(Window w, int32_t& x, int32_t& y) {
    if (!windowIsLive(w)) return;
    int ox = 0, oy = 0;
    screenOrigin(w, ox, oy);
    x -= ox;
    y -= oy;
}

void* currentCursor() { return shownCursor ? shownCursor : &cursorToken[0]; }
void showCursor(void* cursor) { shownCursor = cursor; }
void* standardCursor(int type) {
    return type >= 1 && type <= 9 && type != 7 ? &cursorToken[type] : nullptr;
}

bool oleInitialize() { return true; }
void oleUninitialize() {}

bool registerDropTarget(Window w, WindowEvents*) {
    if (!windowIsLive(w) || w->dropTarget) return false;
    w->dropTarget = true;
    return true;
}

void revokeDropTarget(Window w) {
    if (windowIsLive(w)) w->dropTarget = false;
}

namespace headless {

Window createWindow(Window parent, int x, int y, int width, int height, const char* cls,
                    bool caption) {
    if (parent && !windowIsLive(parent)) return nullptr;
    auto* w = new WindowObject;
    w->parent = parent;
    w->className = cls ? cls : "";
    w->caption = caption;
    w->x = x;
    w->y = y;
    w->width = std::max(0, width);
    w->height = std::max(0, height);
    w->pixels = std::make_unique<BitmapObject>(w->width, w->height, false);
    if (w->width > 0 && w->height > 0) {
        w->hasUpdate = true; // a new visible window asks to be painted
        w->update = {0, 0, w->width, w->height};
    }
    if (parent) parent->children.push_back(w);
    registry().push_back(w);
    return w;
}

void destroyWindow(Window w) {
    if (windowIsLive(w)) destroyTree(w);
}

bool isLiveWindow(const void* handle) {
    return windowIsLive(static_cast<const WindowObject*>(handle));
}

Window firstChild(Window w) {
    return windowIsLive(w) && !w->children.empty() ? w->children.front() : nullptr;
}
int windowWidth(Window w) {
    if (!windowIsLive(w)) return 0;
    headless_detail::refreshStandIn(w);
    return w->width;
}
int windowHeight(Window w) {
    if (!windowIsLive(w)) return 0;
    headless_detail::refreshStandIn(w);
    return w->height;
}
int liveWindowCount() { return int(registry().size()); }

void invalidate(Window w, const IRect& area) {
    if (!windowIsLive(w)) return;
    IRect r{std::max(0, area.left), std::max(0, area.top), std::min(w->width, area.right),
            std::min(w->height, area.bottom)};
    if (r.right <= r.left || r.bottom <= r.top) return;
    w->update = w->hasUpdate ? unite(w->update, r) : r;
    w->hasUpdate = true;
}

bool hasPendingPaint(Window w) { return windowIsLive(w) && w->hasUpdate; }

void validate(Window w) {
    if (windowIsLive(w)) w->hasUpdate = false;
}

void processPaint(Window w) {
    if (!windowIsLive(w)) return;
    if (w->hasUpdate) {
        const IRect area = w->update;
        w->hasUpdate = false;
        if (w->events) {
            Surface s = acquireWindowSurface(w);
            setClipRect(s, area); // painting is limited to the update area
            w->events->paint(s, area);
            releaseWindowSurface(w, s);
        }
    }
    std::vector<WindowObject*> children = w->children;
    for (WindowObject* child : children) processPaint(child);
}

} // namespace headless

// Virtual windows belong to no thread: the first window with a waiting paint request is painted.
bool dispatchPendingPaint() {
    for (WindowObject* w : registry()) {
        if (!w->hasUpdate) continue;
        const IRect area = w->update;
        w->hasUpdate = false;
        if (w->events) {
            Surface s = acquireWindowSurface(w);
            setClipRect(s, area);
            w->events->paint(s, area);
            releaseWindowSurface(w, s);
        }
        return true;
    }
    return false;
}

namespace headless {

ColorRef windowPixel(Window w, int x, int y) {
    if (!windowIsLive(w) || !w->pixels || x < 0 || y < 0 || x >= w->width || y >= w->height)
        return 0xFFFFFFFFu;
    return headless_detail::toColorRef(w->pixels->row(y)[x]);
}

const uint32_t* windowPixels(Window w) {
    return windowIsLive(w) && !w->pixels->pixels.empty() ? w->pixels->pixels.data() : nullptr;
}

void setSystemSwapsButtons(bool swapped) { systemSwapped = swapped; }

bool isDropTarget(Window w) { return windowIsLive(w) && w->dropTarget; }

int dragEnter(Window w, int itemCount) {
    if (!isDropTarget(w) || !w->events) return kDropEffectNone;
    return w->events->dragEnter(itemCount) ? kDropEffectMove : kDropEffectNone;
}

int dragOver(Window w) {
    if (!isDropTarget(w) || !w->events) return kDropEffectNone;
    return w->events->dragOver() ? kDropEffectMove : kDropEffectNone;
}

void dragLeave(Window w) {
    if (isDropTarget(w) && w->events) w->events->dragLeave();
}

int drop(Window w) {
    if (!isDropTarget(w) || !w->events) return kDropEffectNone;
    return w->events->drop() ? kDropEffectMove : kDropEffectNone;
}

Object requestEditFieldColors(Window w, Surface editSurface) {
    if (!windowIsLive(w) || !w->events) return nullptr;
    return w->events->editFieldColors(editSurface);
}

void turnWheel(Window w, int x, int y, int delta) {
    if (!windowIsLive(w)) return;
    if (w->events) w->events->wheel(x, y, float(int16_t(delta)) / 120.0f);
    // Default processing hands the wheel on to the parent windows.
    for (WindowObject* p = windowIsLive(w) ? w->parent : nullptr; p; p = p->parent)
        p->wheelsReceived++;
}

int wheelTurnsReceived(Window w) { return windowIsLive(w) ? w->wheelsReceived : 0; }

} // namespace headless
} // namespace platform
