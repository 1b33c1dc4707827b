#include "TestPlatform.h"

#include "platform/Window.h"
#include "platform/headless/Headless.h"

namespace testsupport {

using namespace platform;

void* createHostWindow(int width, int height, const char* className) {
    return headless::createWindow(nullptr, 100, 80, width, height, className, true);
}

void* createChildWindow(void* parent, int x, int y, int width, int height, const char* cls) {
    return headless::createWindow(static_cast<Window>(parent), x, y, width, height, cls, false);
}

void destroyWindow(void* window) { headless::destroyWindow(static_cast<Window>(window)); }
bool isWindow(void* window) { return headless::isLiveWindow(window); }

IRect clientSize(void* window) {
    auto* w = static_cast<Window>(window);
    return {0, 0, headless::windowWidth(w), headless::windowHeight(w)};
}

void pumpMessages() {}

void repaint(void* window, const IRect& area) {
    headless::invalidate(static_cast<Window>(window), area);
    headless::processPaint(static_cast<Window>(window));
}

bool hasPendingPaint(void* window) { return headless::hasPendingPaint(static_cast<Window>(window)); }

void mouseDown(void* window, int x, int y, Button button) {
    const headless::Button b = button == Button::Left    ? headless::Button::Primary
                               : button == Button::Right ? headless::Button::Secondary
                                                         : headless::Button::Middle;
    headless::press(static_cast<Window>(window), x, y, b);
    headless::releaseAll();
}

void wheel(void* window, int x, int y, int notches) {
    headless::turnWheel(static_cast<Window>(window), x, y, notches * 120);
}

void moveCursorTo(void* window, int x, int y) {
    const IRect r = windowScreenRect(static_cast<Window>(window));
    headless::setCursorScreenPosition(r.left + x, r.top + y);
}

int wheelMessagesSeen(void* window) {
    return headless::wheelTurnsReceived(static_cast<Window>(window));
}

void sendPaintWithoutUpdate(void* window) {
    headless::validate(static_cast<Window>(window));
    headless::processPaint(static_cast<Window>(window));
}

void* requestEditColors(void* window, uint32_t& textColor, uint32_t& backColor) {
    Surface s = createMemorySurface(nullptr);
    void* brush = headless::requestEditFieldColors(static_cast<Window>(window), s);
    textColor = setTextColor(s, 0);
    backColor = setTextBackgroundColor(s, 0);
    deleteMemorySurface(s);
    return brush;
}

bool windowClassRegistered(const std::string& name) {
    return platform::frameWindowClassUseCount() > 0 && name == platform::frameWindowClassName();
}

int dragEnterText(void* window) { return headless::dragEnter(static_cast<Window>(window), 1); }

bool isDropTarget(void* window) { return headless::isDropTarget(static_cast<Window>(window)); }
int dragEnterFiles(void* window, int files) {
    return headless::dragEnter(static_cast<Window>(window), files);
}
int dragOver(void* window) { return headless::dragOver(static_cast<Window>(window)); }
void dragLeave(void* window) { headless::dragLeave(static_cast<Window>(window)); }
int dropFiles(void* window, int) { return headless::drop(static_cast<Window>(window)); }

uint32_t windowPixel(void* window, int x, int y) {
    return headless::windowPixel(static_cast<Window>(window), x, y);
}

ImageLibrary::ImageLibrary() : library(platform::loadImageLibrary()) {}
ImageLibrary::~ImageLibrary() { platform::freeImageLibrary(library); }

} // namespace testsupport
