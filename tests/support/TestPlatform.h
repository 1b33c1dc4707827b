// The same test actions on both backends: host windows, paint pumping, mouse and wheel messages,
// drags and pixel reads of windows. Windows builds use real windows under Wine; elsewhere the
// headless backend's virtual ones.
#pragma once

#include "platform/Graphics.h"

#include <cstdint>
#include <string>

namespace testsupport {

// A top-level host window of the given client size (a plain window, as a host's editor window).
void* createHostWindow(int width, int height, const char* className = "RvTestHost");
// A child of `parent` at (x, y), standing in for a host's inner window.
void* createChildWindow(void* parent, int x, int y, int width, int height,
                        const char* className = "RvTestChild");
void destroyWindow(void* window);
bool isWindow(void* window);
platform::IRect clientSize(void* window); // (0, 0, width, height)

// Handles every pending message, including paint requests.
void pumpMessages();
// Asks the window to be repainted in `area` and lets the paint through.
void repaint(void* window, const platform::IRect& area);
// Tells whether an update area is pending.
bool hasPendingPaint(void* window);

enum class Button { Left, Right, Middle };
// Delivers a button press at a window point, as the platform would.
void mouseDown(void* window, int x, int y, Button button);
// A wheel turn of `notches` over a window point.
void wheel(void* window, int x, int y, int notches);

// Moves the pointer to a point of a window.
void moveCursorTo(void* window, int x, int y);
// Wheel messages that reached a host window after its children's default processing.
int wheelMessagesSeen(void* window);
// Sends a paint message to a window that has no update area.
void sendPaintWithoutUpdate(void* window);

// The colour request of a native edit field in the window: the brush answered (default handling
// answers none or a system brush), with the text and background colours the field's surface got.
void* requestEditColors(void* window, uint32_t& textColor, uint32_t& backColor);

// Whether a window class of that name is registered in this process.
bool windowClassRegistered(const std::string& name);

// Drags of `files` file names over a window: the effect the drop target answered (0 none, 2 move).
bool isDropTarget(void* window);
int dragEnterFiles(void* window, int files);
// A drag of text (one item).
int dragEnterText(void* window);
int dragOver(void* window);
void dragLeave(void* window);
int dropFiles(void* window, int files);

// The pixels of a window as the screen shows them.
uint32_t windowPixel(void* window, int x, int y);

// Makes the image library's functions available for a test that draws bitmaps without a frame.
class ImageLibrary {
public:
    ImageLibrary();
    ~ImageLibrary();

private:
    void* library;
};

} // namespace testsupport
