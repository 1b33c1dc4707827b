// The frame's window: class registration, creation, the events it delivers, the walk over the
// host's windows, cursors and the drop target.
#pragma once

#include "platform/Graphics.h"

namespace platform {

// What the frame window delivers to its owner. Called on the thread that owns the window.
class WindowEvents {
public:
    // A paint request: `surface` is the paint device, `area` the area to repaint.
    virtual void paint(Surface surface, const IRect& area) = 0;
    // Any mouse button went down at (x, y), window coordinates.
    virtual void mouseDown(int32_t x, int32_t y) = 0;
    // A wheel turn at (x, y), window coordinates; one notch is 1.0, positive away from the user.
    virtual void wheel(int32_t x, int32_t y, float distance) = 0;
    // The platform destroyed the window while it still had its owner.
    virtual void windowDestroyed() = 0;
    // The native edit field asks for its colours; answer a brush, or null for default handling.
    virtual Object editFieldColors(Surface /*editSurface*/) { return nullptr; }

    // Drags over the window. dragEnter answers whether the drag is followed (the move effect is
    // shown); dragOver whether a drag is active; drop whether a view took the drop.
    virtual bool dragEnter(int32_t itemCount) = 0;
    virtual bool dragOver() = 0;
    virtual void dragLeave() = 0;
    virtual bool drop() = 0;

protected:
    ~WindowEvents() = default;
};

// The window class, shared by all frame windows of the module with a use count. The first
// registration also reads the swapped-buttons setting.
void acquireFrameWindowClass();
void releaseFrameWindowClass();
const char* frameWindowClassName();
int frameWindowClassUseCount();

// A visible child window of `parent` at (0, 0); null when it cannot be made.
Window createFrameWindow(Window parent, int width, int height, WindowEvents* events);
// Clears the window's link to its owner, then destroys it.
void destroyFrameWindow(Window window);

// Geometry and the host window walk.
IRect windowScreenRect(Window window); // GetWindowRect
Window parentWindow(Window window);
// The window's class name, at most `size` - 1 characters.
void windowClassName(Window window, char* buffer, int size);
bool windowHasCaption(Window window);
void setWindowSizeOnTop(Window window, int width, int height); // keeps the position
int fixedFrameHeight();                                        // SM_CYFIXEDFRAME
// A screen point in the coordinates of `window` (the desktop's when none).
void screenToWindow(Window window, int32_t& x, int32_t& y);

// Cursors: 0 keeps the default, see the frame for the others.
void* currentCursor();
void showCursor(void* cursor);
void* standardCursor(int type); // null for the default

// Takes one waiting paint request of any window of the calling thread off the queue and handles
// it (PeekMessage with WM_PAINT, then DispatchMessage); false when none was waiting.
bool dispatchPendingPaint();

// OLE around each frame and each editor, and the drop target of a frame window. oleInitialize
// answers whether the initialisation took and must be balanced by oleUninitialize.
bool oleInitialize();
void oleUninitialize();
bool registerDropTarget(Window window, WindowEvents* events);
void revokeDropTarget(Window window);

} // namespace platform
