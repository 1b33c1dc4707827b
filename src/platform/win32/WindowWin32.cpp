// The frame window class and procedure, the host window walk, cursors and OLE.
#include "platform/Window.h"
#include "platform/Input.h"
#include "platform/win32/Win32Common.h"

#include <ole2.h>

#include <cinttypes>
#include <cstdio>
#include <windowsx.h>

namespace platform {

using namespace win32;

namespace {

char className[32] = "";
int classUseCount = 0;
bool swappedButtons = false;

WindowEvents* eventsOf(HWND window) {
    return reinterpret_cast<WindowEvents*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowEvents* events = eventsOf(window);
    if (!events) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        RECT update;
        if (!GetUpdateRect(window, &update, FALSE)) break;
        PAINTSTRUCT paint;
        HDC device = BeginPaint(window, &paint);
        const IRect area{paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right,
                         paint.rcPaint.bottom};
        if (device && area.right > area.left && area.bottom > area.top)
            events->paint(surface(device), area);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        events->mouseDown(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_MOUSEWHEEL: {
        RECT own;
        GetWindowRect(window, &own);
        const int x = GET_X_LPARAM(lParam) - own.left;
        const int y = GET_Y_LPARAM(lParam) - own.top;
        events->wheel(x, y, float(short(HIWORD(wParam))) / 120.0f);
        break; // default processing passes the wheel on to the parent windows
    }
    case WM_CTLCOLOREDIT:
        if (Object brush = events->editFieldColors(reinterpret_cast<Surface>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_DESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        events->windowDestroyed();
        break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

void acquireFrameWindowClass() {
    if (classUseCount++ > 0) return;
    std::snprintf(className, sizeof className, "Plugin%0*" PRIXPTR, int(2 * sizeof(void*)),
                  reinterpret_cast<uintptr_t>(instance()));
    WNDCLASSA windowClass{};
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = frameWindowProc;
    windowClass.hInstance = instance();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = className;
    // A class left registered by a window the platform destroyed early is still usable.
    RegisterClassA(&windowClass);
    swappedButtons = GetSystemMetrics(SM_SWAPBUTTON) > 0;
}

void releaseFrameWindowClass() {
    if (classUseCount <= 0) return;
    if (--classUseCount == 0) UnregisterClassA(className, instance());
}

const char* frameWindowClassName() { return className; }
int frameWindowClassUseCount() { return classUseCount; }
bool mouseButtonsSwapped() { return swappedButtons; }

Window createFrameWindow(Window parent, int width, int height, WindowEvents* events) {
    HWND created = CreateWindowExA(0, className, "Window",
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                   width, height, hwnd(parent), nullptr, instance(), nullptr);
    if (!created) return nullptr;
    SetWindowLongPtrA(created, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(events));
    return window(created);
}

void destroyFrameWindow(Window w) {
    if (!w) return;
    SetWindowLongPtrA(hwnd(w), GWLP_USERDATA, 0);
    DestroyWindow(hwnd(w));
}

IRect windowScreenRect(Window w) {
    RECT r{};
    if (w) GetWindowRect(hwnd(w), &r);
    return {r.left, r.top, r.right, r.bottom};
}

Window parentWindow(Window w) { return w ? window(GetParent(hwnd(w))) : nullptr; }

void windowClassName(Window w, char* buffer, int size) {
    if (!buffer || size <= 0) return;
    buffer[0] = 0;
    if (w) GetClassNameA(hwnd(w), buffer, size);
}

bool windowHasCaption(Window w) {
    return w && (GetWindowLongA(hwnd(w), GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

void setWindowSizeOnTop(Window w, int width, int height) {
    if (w) SetWindowPos(hwnd(w), HWND_TOP, 0, 0, width, height, SWP_NOMOVE);
}

int fixedFrameHeight() { return GetSystemMetrics(SM_CYFIXEDFRAME); }

void screenToWindow(Window w, int32_t& x, int32_t& y) {
    POINT p{x, y};
    MapWindowPoints(HWND_DESKTOP, hwnd(w), &p, 1);
    x = p.x;
    y = p.y;
}

void* currentCursor() { return GetCursor(); }
void showCursor(void* cursor) { SetCursor(static_cast<HCURSOR>(cursor)); }

void* standardCursor(int type) {
    LPCSTR id = nullptr;
    switch (type) {
    case 1: id = reinterpret_cast<LPCSTR>(IDC_WAIT); break;
    case 2: id = reinterpret_cast<LPCSTR>(IDC_SIZEWE); break;
    case 3: id = reinterpret_cast<LPCSTR>(IDC_SIZENS); break;
    case 4: id = reinterpret_cast<LPCSTR>(IDC_SIZEALL); break;
    case 5: id = reinterpret_cast<LPCSTR>(IDC_SIZENESW); break;
    case 6: id = reinterpret_cast<LPCSTR>(IDC_SIZENWSE); break;
    case 8: id = reinterpret_cast<LPCSTR>(IDC_NO); break;
    case 9: id = reinterpret_cast<LPCSTR>(IDC_HAND); break;
    default: return nullptr;
    }
    return LoadCursorA(nullptr, id);
}

bool dispatchPendingPaint() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) return false;
    DispatchMessageA(&message);
    return true;
}

// S_FALSE (already initialised on this thread) also counts and must be balanced.
bool oleInitialize() { return SUCCEEDED(OleInitialize(nullptr)); }
void oleUninitialize() { OleUninitialize(); }

} // namespace platform
