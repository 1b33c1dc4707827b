// The headless display vuhost offers to plug-ins built with the headless backend, and its windows.
#include "EditorWindow.h"

#include "Error.h"
#include "platform/headless/HeadlessDisplay.h"

#include <algorithm>
#include <vector>

namespace vuhost {

namespace {

constexpr std::uint32_t kClockStart = 1000; // where the virtual clock starts, in milliseconds

struct DisplayWindow {
    Image image;
    std::vector<const RvHeadlessClient*> clients;
};

struct Display {
    std::vector<std::unique_ptr<DisplayWindow>> windows;
    std::uint32_t clock = kClockStart;
};

Display& display() {
    static Display d;
    return d;
}

// A handle counts only when it is one of ours; it is compared, never dereferenced, before that.
DisplayWindow* find(const void* handle) {
    for (auto& w : display().windows)
        if (w.get() == handle) return w.get();
    return nullptr;
}

int isWindow(const void* handle) { return find(handle) ? 1 : 0; }

int windowSize(const void* handle, int32_t* width, int32_t* height) {
    DisplayWindow* w = find(handle);
    if (!w) return 0;
    if (width) *width = w->image.width;
    if (height) *height = w->image.height;
    return 1;
}

int resizeWindow(const void* handle, int32_t width, int32_t height) {
    DisplayWindow* w = find(handle);
    if (!w || width <= 0 || height <= 0 || width > 16384 || height > 16384) return 0;
    if (width != w->image.width || height != w->image.height) {
        Image resized(width, height);
        resized.paste(w->image, 0, 0);
        w->image = std::move(resized);
    }
    return 1;
}

uint32_t tickCount() { return display().clock; }
void sleep(uint32_t milliseconds) { display().clock += milliseconds; }

void present(const void* handle, int32_t x, int32_t y, int32_t width, int32_t height,
             const uint32_t* pixels, int32_t stride) {
    DisplayWindow* w = find(handle);
    if (!w || !pixels || width <= 0 || height <= 0 || stride < width) return;
    for (int32_t row = 0; row < height; ++row) {
        const int32_t ty = y + row;
        if (ty < 0 || ty >= w->image.height) continue;
        for (int32_t col = 0; col < width; ++col) {
            const int32_t tx = x + col;
            if (tx >= 0 && tx < w->image.width)
                w->image.at(tx, ty) = 0xFF000000u | pixels[std::size_t(row) * std::size_t(stride) + std::size_t(col)];
        }
    }
}

int attach(const void* handle, const RvHeadlessClient* client) {
    DisplayWindow* w = find(handle);
    if (!w || !client || !client->pump) return 0;
    if (std::find(w->clients.begin(), w->clients.end(), client) == w->clients.end())
        w->clients.push_back(client);
    return 1;
}

void detach(const void* handle, const RvHeadlessClient* client) {
    if (DisplayWindow* w = find(handle)) std::erase(w->clients, client);
}

const RvHeadlessDisplay kDisplay = {kHeadlessDisplayVersion, sizeof(RvHeadlessDisplay),
                                    isWindow, windowSize, resizeWindow, tickCount, sleep,
                                    present, attach, detach};

class HeadlessEditorWindow final : public EditorWindow {
public:
    HeadlessEditorWindow(int width, int height) : start_(display().clock) {
        auto w = std::make_unique<DisplayWindow>();
        w->image = Image(width, height);
        window_ = w.get();
        display().windows.push_back(std::move(w));
    }
    ~HeadlessEditorWindow() override {
        std::erase_if(display().windows, [this](const auto& w) { return w.get() == window_; });
    }
    void* handle() const override { return window_; }
    bool resize(int width, int height) override { return resizeWindow(window_, width, height) == 1; }
    int width() const override { return window_->image.width; }
    int height() const override { return window_->image.height; }
    void pump() override {
        // A client may detach while it is pumped: walk a copy, and skip the ones gone since.
        const auto clients = window_->clients;
        for (const RvHeadlessClient* c : clients)
            if (std::find(window_->clients.begin(), window_->clients.end(), c) != window_->clients.end())
                c->pump(c->context);
    }
    Image capture() override { return window_->image; }
    std::uint32_t elapsed() const override { return display().clock - start_; }
    void waitUntil(std::uint32_t ms) override {
        const std::uint32_t target = start_ + ms;
        if (int32_t(target - display().clock) > 0) display().clock = target;
        pump();
    }
    const char* clockKind() const override { return "virtual"; }

private:
    DisplayWindow* window_ = nullptr;
    std::uint32_t start_;
};

} // namespace

std::unique_ptr<EditorWindow> EditorWindow::create(int width, int height) {
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
        throw Error("cannot make a host window of " + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels");
    return std::make_unique<HeadlessEditorWindow>(width, height);
}

} // namespace vuhost

// The display's one entry: exported from the executable (see tools/vuhost/CMakeLists.txt), found
// by the plug-in's headless backend at run time.
extern "C" __attribute__((visibility("default"))) const RvHeadlessDisplay*
rvHeadlessDisplay(uint32_t version) {
    return version >= 1 ? &vuhost::kDisplay : nullptr;
}
