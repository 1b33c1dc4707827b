/* The headless display: how a host process lends its own windows and clock to the headless
 * backend of a plug-in module that carries a private copy of that backend.
 *
 * A plug-in module built for Linux links the headless backend statically: it has its own window
 * registry, virtual clock and mouse, and exports only its entry points. A host passes the editor's
 * parent as an opaque handle; the backend never dereferences a handle that is not one of its own
 * live windows (a real DAW passes X11 window ids), and such a parent gets an editor drawn off
 * screen. A host that wants to see the editor (our vuhost) offers a display instead:
 *
 *   - The host process exports one C function under the name kHeadlessDisplaySymbol
 *     ("rvHeadlessDisplay", default visibility, in the dynamic symbol table of the executable).
 *     Called with the version the caller was built for, it answers a table of that version or a
 *     newer compatible one, or null when it cannot serve that version.
 *   - The backend looks the symbol up once, at run time, with dlsym(RTLD_DEFAULT, ...). In a
 *     process without it (any real DAW) nothing changes.
 *   - With a display, a parent handle for which isWindow answers 1 counts as a live parent. The
 *     backend makes a local stand-in window of the handle's size and puts the editor's window in
 *     it; it never dereferences the handle, only passes it back to the display.
 *   - The backend then reads the millisecond clock through tickCount and sleeps through sleep, so
 *     host and plug-in share one (virtual) time.
 *   - Whenever the plug-in has drawn into a window inside the stand-in, it presents that window's
 *     pixels to the host (present), at the window's place in the host window.
 *   - The host's message loop is the pump: the backend attaches a client to each host window it
 *     uses and detaches it when its stand-in goes away; the host calls client->pump(context) from
 *     its message loop, and the backend delivers waiting paint requests there, as a window
 *     system delivers WM_PAINT.
 *
 * Rules: every call happens on the host's user-interface thread. The table and the functions stay
 * valid for the life of the process. Pixels are top-down rows of 32-bit 0xAARRGGBB words (blue
 * first in memory), opaque; stride is in words. A version bump adds fields at the end, and `size`
 * tells the caller how much of the table there is. This header holds no code and includes no OS
 * header: both sides compile it as it stands.
 */
#ifndef RV_HEADLESS_DISPLAY_H
#define RV_HEADLESS_DISPLAY_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define RV_HEADLESS_DISPLAY_SYMBOL "rvHeadlessDisplay"
enum { kHeadlessDisplayVersion = 1 };

/* What the plug-in's backend registers with a host window. */
typedef struct RvHeadlessClient {
    void* context;
    /* Delivers waiting paint requests of the plug-in's windows in this host window. */
    void (*pump)(void* context);
} RvHeadlessClient;

typedef struct RvHeadlessDisplay {
    uint32_t version; /* kHeadlessDisplayVersion or newer */
    uint32_t size;    /* sizeof (RvHeadlessDisplay) as the host built it */

    /* 1 when the handle is a live window of this display, else 0. Any value may be asked. */
    int (*isWindow)(const void* handle);
    /* The window's client size; 0 (and nothing written) for a handle that is not a window. */
    int (*windowSize)(const void* handle, int32_t* width, int32_t* height);
    /* Asks the host to give its window this client size; 1 when it did. */
    int (*resizeWindow)(const void* handle, int32_t width, int32_t height);

    /* The shared millisecond clock (wrapping) and a sleep on it. */
    uint32_t (*tickCount)(void);
    void (*sleep)(uint32_t milliseconds);

    /* Pixels of a plug-in window at (x, y) in the host window's client area. */
    void (*present)(const void* handle, int32_t x, int32_t y, int32_t width, int32_t height,
                    const uint32_t* pixels, int32_t stride);

    /* Registers (attach) or removes (detach) a client of the window; 1 on success. */
    int (*attach)(const void* handle, const RvHeadlessClient* client);
    void (*detach)(const void* handle, const RvHeadlessClient* client);
} RvHeadlessDisplay;

typedef const RvHeadlessDisplay* (*RvHeadlessDisplayProc)(uint32_t version);

#ifdef __cplusplus
}
#endif

#endif /* RV_HEADLESS_DISPLAY_H */
