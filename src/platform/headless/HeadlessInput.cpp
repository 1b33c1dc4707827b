// The scripted mouse and the virtual clock.
#include "platform/Input.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessObjects.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

struct ScheduledState {
    uint32_t at;
    RawMouseState state;
    int x, y;
};

RawMouseState current;
int cursorX = 0, cursorY = 0;
uint32_t clock = 10000;
uint32_t doubleClick = 500;
std::vector<ScheduledState> scheduled;

// The host display's clock when there is one, else our own.
uint32_t now() {
    const RvHeadlessDisplay* display = headless_detail::hostDisplay();
    return display ? display->tickCount() : clock;
}

void applyDue() {
    const uint32_t time = now();
    while (!scheduled.empty() && int32_t(time - scheduled.front().at) >= 0) {
        current = scheduled.front().state;
        cursorX = scheduled.front().x;
        cursorY = scheduled.front().y;
        scheduled.erase(scheduled.begin());
    }
}

} // namespace

RawMouseState readRawMouseState() {
    applyDue();
    return current;
}

uint32_t tickCount() { return now(); }

void sleepMs(uint32_t milliseconds) {
    if (const RvHeadlessDisplay* display = headless_detail::hostDisplay())
        display->sleep(milliseconds);
    else
        clock += milliseconds;
    applyDue();
}

uint32_t doubleClickTime() { return doubleClick; }

void cursorPosition(int32_t& x, int32_t& y) {
    applyDue();
    x = cursorX;
    y = cursorY;
}

namespace headless {

void setCursorScreenPosition(int x, int y) {
    cursorX = x;
    cursorY = y;
}
void setMouseState(const RawMouseState& state) { current = state; }
RawMouseState mouseState() { return current; }

void press(Window w, int x, int y, Button button) {
    if (!isLiveWindow(w)) return;
    const IRect r = windowScreenRect(w);
    cursorX = r.left + x;
    cursorY = r.top + y;
    if (headless_detail::editFieldTakesPress(cursorX, cursorY)) return;
    if (!isLiveWindow(w)) return; // the field's owner may have closed the window
    switch (button) {
    case Button::Primary: current.primary = true; break;
    case Button::Secondary: current.secondary = true; break;
    case Button::Middle: current.middle = true; break;
    }
    if (w->events) w->events->mouseDown(x, y);
}

void releaseAll() {
    current.primary = current.secondary = current.middle = false;
}

void scheduleMouseState(uint32_t atTicks, const RawMouseState& state, int screenX, int screenY) {
    ScheduledState entry{atTicks, state, screenX, screenY};
    auto position = std::upper_bound(
        scheduled.begin(), scheduled.end(), entry,
        [](const ScheduledState& a, const ScheduledState& b) { return int32_t(a.at - b.at) < 0; });
    scheduled.insert(position, entry);
}

void setClock(uint32_t ticks) {
    clock = ticks;
    applyDue();
}
void advanceClock(uint32_t milliseconds) { sleepMs(milliseconds); }
void setDoubleClickTime(uint32_t milliseconds) { doubleClick = milliseconds; }

} // namespace headless
} // namespace platform
