// Mouse, keyboard modifiers and time.
#pragma once

#include <cstdint>

namespace platform {

// The physical buttons and the modifier keys, read at the moment of the call.
struct RawMouseState {
    bool primary = false;   // physical primary (left) button
    bool secondary = false; // physical secondary (right) button
    bool middle = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
};
RawMouseState readRawMouseState();

// The process-wide swapped-buttons flag: false until the first frame window class registration
// reads the system setting.
bool mouseButtonsSwapped();

uint32_t tickCount(); // milliseconds, wrapping
void sleepMs(uint32_t milliseconds);
uint32_t doubleClickTime();
void cursorPosition(int32_t& x, int32_t& y); // screen pixels

} // namespace platform
