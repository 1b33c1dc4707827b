// Control of the headless backend for tests and offline rendering: virtual windows with their
// pixels, a scripted mouse, a virtual millisecond clock, paint requests and simulated drags.
#pragma once

#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/headless/HeadlessDisplay.h"

#include <cstdint>

namespace platform::headless {

// Windows. A window without a parent is a top-level window at (x, y) on the virtual screen; a
// child lies at (x, y) in its parent. Destroying a window destroys its children first.
Window createWindow(Window parent, int x, int y, int width, int height,
                    const char* className = "HostWindow", bool caption = false);
void destroyWindow(Window window);
bool isLiveWindow(const void* handle);
Window firstChild(Window window);
int windowWidth(Window window);
int windowHeight(Window window);
int liveWindowCount();

// Paint requests: an area waits for painting until processPaint delivers it.
void invalidate(Window window, const IRect& area);
bool hasPendingPaint(Window window);
// Drops the pending paint request, as if the area had been painted.
void validate(Window window);
// Delivers the pending paint request of the window and of its children (none when empty).
void processPaint(Window window);
// The window's pixels as ColorRef; 0xFFFFFFFF outside.
ColorRef windowPixel(Window window, int x, int y);
// Top-down rows of 0xAARRGGBB words, width * height of them; null for a window without pixels.
const uint32_t* windowPixels(Window window);

// Mouse. Positions are screen pixels; a press at a window point moves the pointer there, sets the
// buttons and delivers the press to the window.
enum class Button { Primary, Secondary, Middle };
void setCursorScreenPosition(int x, int y);
void setMouseState(const RawMouseState& state);
RawMouseState mouseState();
void setSystemSwapsButtons(bool swapped); // read at the next first class registration
void press(Window window, int x, int y, Button button);
void releaseAll();
// A wheel turn at the window point (x, y); delta in platform units (120 = one notch).
void turnWheel(Window window, int x, int y, int delta);
// Wheel turns passed on to this window by its children's default processing.
int wheelTurnsReceived(Window window);
// The pointer state to take over once the clock reaches `atTicks` (a scripted release, say).
void scheduleMouseState(uint32_t atTicks, const RawMouseState& state, int screenX, int screenY);

// Time: a virtual clock that only sleepMs and these move.
void setClock(uint32_t ticks);
void advanceClock(uint32_t milliseconds);
void setDoubleClickTime(uint32_t milliseconds);

// Drags over a window. Effects as the platform reports them: 0 none, 2 move.
enum : int { kDropEffectNone = 0, kDropEffectMove = 2 };
bool isDropTarget(Window window);
int dragEnter(Window window, int itemCount);
int dragOver(Window window);
void dragLeave(Window window);
int drop(Window window);

// A native edit field inside the window asks for its colours: the brush answered, or null.
Object requestEditFieldColors(Window window, Surface editSurface);

// Native edit fields (window class "EDIT"). Typing and keys go to the field that has the keyboard
// focus; a press outside that field takes the focus from it before the press is delivered, a
// press inside it stays in the field. A field made with a child window as owner belongs to that
// window's top-level window, as on Win32, and asks that window for its colours when it paints.
struct EditFieldInfo {
    IRect screenRect;
    Window owner = nullptr;
    TextAlign align = TextAlign::Center;
    const char* text = ""; // valid until the field changes
    int selectionStart = 0, selectionEnd = 0;
    int limit = 0;
    Object font = nullptr;
    int leftMargin = -1, rightMargin = -1;
    bool topmost = false;
    bool autoScroll = false;
    bool handlerReplaced = false;
    // The last colour request to the owner: its answer and the colours the field's surface got.
    int colorRequests = 0;
    Object brush = nullptr;
    ColorRef textColor = 0, backColor = 0xFFFFFF;
};
enum class EditKey { Enter, Escape, Backspace };
Window focusedEditField();
bool editFieldInfo(Window field, EditFieldInfo& info);
int liveEditFields();
// Types into the focused field: the selection is replaced, characters beyond the limit refused.
// Answers how many characters were taken.
int typeText(const char* text);
void pressKey(EditKey key);
// Another window takes the keyboard focus (none: the focus goes nowhere).
void setKeyboardFocus(Window window);
void setEditFieldCreationRefused(bool refused);

// The host's display (HeadlessDisplay.h): normally looked up in the process once; a test may
// put its own in place (null: none), and go back to the process's.
void useHostDisplay(const RvHeadlessDisplay* display);
void useProcessDisplay();

// Failure injection.
void setImageLibraryPresent(bool present);
void setBrushCreationRefused(bool refused);

// Pens, brushes, fonts and bitmaps alive now, and how many of a kind were ever made.
int liveGraphicsObjects();
int graphicsObjectsCreated(ObjectKind kind);

} // namespace platform::headless
