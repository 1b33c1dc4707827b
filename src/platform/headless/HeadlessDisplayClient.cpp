// The backend's side of the headless display (HeadlessDisplay.h): finding the host's display,
// stand-ins for its windows, the pump and presenting pixels.
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessDisplay.h"
#include "platform/headless/HeadlessObjects.h"

#include <dlfcn.h>

namespace platform {
namespace {

bool complete(const RvHeadlessDisplay* d) {
    return d && d->version >= kHeadlessDisplayVersion && d->size >= sizeof(RvHeadlessDisplay) &&
           d->isWindow && d->windowSize && d->resizeWindow && d->tickCount && d->sleep &&
           d->present && d->attach && d->detach;
}

const RvHeadlessDisplay* lookUpDisplay() {
    void* symbol = dlsym(RTLD_DEFAULT, RV_HEADLESS_DISPLAY_SYMBOL);
    if (!symbol) return nullptr;
    const auto offer = reinterpret_cast<RvHeadlessDisplayProc>(symbol);
    const RvHeadlessDisplay* display = offer(kHeadlessDisplayVersion);
    return complete(display) ? display : nullptr;
}

struct DisplayChoice {
    bool injected = false;
    const RvHeadlessDisplay* display = nullptr;
};

DisplayChoice& choice() {
    static DisplayChoice c;
    return c;
}

void pumpStandIn(void* context) {
    auto* standIn = static_cast<WindowObject*>(context);
    if (headless_detail::windowIsLive(standIn)) headless::processPaint(standIn);
}

} // namespace

namespace headless_detail {

const RvHeadlessDisplay* hostDisplay() {
    if (choice().injected) return choice().display;
    static const RvHeadlessDisplay* const found = lookUpDisplay();
    return found;
}

WindowObject* standInFor(const void* handle) {
    const RvHeadlessDisplay* display = hostDisplay();
    if (!handle || !display || display->isWindow(handle) != 1) return nullptr;
    for (WindowObject* w : headless_detail::allWindows())
        if (w->hostHandle == handle && !w->dying) return w;
    int32_t width = 0, height = 0;
    if (!display->windowSize(handle, &width, &height)) return nullptr;
    WindowObject* w = headless::createWindow(nullptr, 0, 0, width, height, "HostWindow", true);
    if (!w) return nullptr;
    w->hasUpdate = false; // the host paints its own window
    w->hostHandle = handle;
    w->client.context = w;
    w->client.pump = &pumpStandIn;
    if (display->attach(handle, &w->client) != 1) {
        w->hostHandle = nullptr; // not attached: nothing to detach
        headless::destroyWindow(w);
        return nullptr;
    }
    return w;
}

void childOfStandInGone(WindowObject* standIn) {
    if (standIn->children.empty()) headless::destroyWindow(standIn);
}

void refreshStandIn(WindowObject* w) {
    const RvHeadlessDisplay* display = hostDisplay();
    if (!w->hostHandle || !display) return;
    int32_t width = 0, height = 0;
    if (!display->windowSize(w->hostHandle, &width, &height)) return; // gone: keep the last size
    width = width < 0 ? 0 : width;
    height = height < 0 ? 0 : height;
    if (width != w->width || height != w->height) {
        w->width = width;
        w->height = height;
        w->pixels->resize(width, height);
    }
}

void presentIfHosted(WindowObject* w) {
    const RvHeadlessDisplay* display = hostDisplay();
    if (!display || !w || w->hostHandle) return;
    int x = 0, y = 0;
    WindowObject* top = w;
    for (; top->parent; top = top->parent) {
        x += top->x;
        y += top->y;
    }
    if (!top->hostHandle || w->width <= 0 || w->height <= 0) return;
    if (display->isWindow(top->hostHandle) != 1) return; // the host closed it under us
    display->present(top->hostHandle, x, y, w->width, w->height, w->pixels->pixels.data(),
                     w->width);
}

} // namespace headless_detail

namespace headless {

void useHostDisplay(const RvHeadlessDisplay* display) {
    choice().injected = true;
    choice().display = complete(display) ? display : nullptr;
}

void useProcessDisplay() { choice() = {}; }

} // namespace headless
} // namespace platform
