// The host window an editor opens in, and the host's clock. Natively a window of the headless
// display that vuhost offers to the plug-in's headless backend (platform/headless/
// HeadlessDisplay.h) with a virtual clock; on Windows a real top-level window, captured from the
// screen, with the real clock.
#pragma once

#include "Image.h"

#include <cstdint>
#include <memory>

namespace vuhost {

class EditorWindow {
public:
    // A window whose client area is width x height; throws Error when it cannot be made.
    static std::unique_ptr<EditorWindow> create(int width, int height);
    virtual ~EditorWindow() = default;

    // What the plug-in gets as its parent window in effEditOpen.
    virtual void* handle() const = 0;
    // Gives the client area this size; answers whether it now has it.
    virtual bool resize(int width, int height) = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // One pass of the host's message loop: waiting window messages (paints) are delivered.
    virtual void pump() = 0;
    // The client area's pixels as they are now.
    virtual Image capture() = 0;
    // Milliseconds since the window was made, and waiting (pumping) until that clock reads `ms`.
    virtual std::uint32_t elapsed() const = 0;
    virtual void waitUntil(std::uint32_t ms) = 0;
    // "virtual" or "real".
    virtual const char* clockKind() const = 0;
};

} // namespace vuhost
