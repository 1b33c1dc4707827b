// Mouse state, pointer position and time from USER32 and KERNEL32.
#include "platform/Input.h"
#include "platform/win32/Win32Common.h"

namespace platform {

namespace {
bool down(int key) { return GetAsyncKeyState(key) < 0; }
} // namespace

RawMouseState readRawMouseState() {
    // GetAsyncKeyState reads the physical buttons, before any swapping.
    RawMouseState state;
    state.primary = down(VK_LBUTTON);
    state.secondary = down(VK_RBUTTON);
    state.middle = down(VK_MBUTTON);
    state.shift = down(VK_SHIFT);
    state.control = down(VK_CONTROL);
    state.alt = down(VK_MENU);
    return state;
}

uint32_t tickCount() { return GetTickCount(); }
void sleepMs(uint32_t milliseconds) { Sleep(milliseconds); }
uint32_t doubleClickTime() { return GetDoubleClickTime(); }

void cursorPosition(int32_t& x, int32_t& y) {
    POINT p{0, 0};
    GetCursorPos(&p);
    x = p.x;
    y = p.y;
}

} // namespace platform
