// A real top-level window for the editor, its pixels read back from the screen, and the real clock.
#include "EditorWindow.h"

#include "Error.h"

#include <windows.h>

namespace vuhost {

namespace {

constexpr const char* kClassName = "vuhostEditorHost";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0; // not topmost: other programs on the display may be using the real mouse

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        return 0; // the rendering decides when the window goes
    case WM_ERASEBKGND:
        return 1; // the editor covers the client area
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        EndPaint(window, &ps);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool registerClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = hostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

RECT outerRect(int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
    return r;
}

class Win32EditorWindow final : public EditorWindow {
public:
    Win32EditorWindow(int width, int height) : start_(GetTickCount()) {
        if (!registerClass()) throw Error("cannot register the host window class");
        const RECT r = outerRect(width, height);
        window_ = CreateWindowExA(kExStyle, kClassName, "vuhost", kStyle, 0, 0, r.right - r.left,
                                  r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                                  nullptr);
        if (!window_)
            throw Error("cannot make the host window (error " + std::to_string(GetLastError()) + ")");
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        UpdateWindow(window_);
        pump();
    }
    ~Win32EditorWindow() override {
        DestroyWindow(window_);
        pump();
    }
    void* handle() const override { return window_; }
    // Called from inside the plug-in's size request: no messages are pumped here (a paint
    // delivered in the middle of the editor's own resize leaves Wine's window surface at the old
    // size); the next pass of the message loop delivers them.
    bool resize(int width, int height) override {
        const RECT r = outerRect(width, height);
        SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return this->width() == width && this->height() == height;
    }
    int width() const override {
        RECT r{};
        GetClientRect(window_, &r);
        return r.right - r.left;
    }
    int height() const override {
        RECT r{};
        GetClientRect(window_, &r);
        return r.bottom - r.top;
    }
    void pump() override {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    Image capture() override {
        const int w = width(), h = height();
        Image image(w, h);
        if (w <= 0 || h <= 0) return image;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(window_);
        HDC memory = CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (memory && dib && bits) {
            HGDIOBJ old = SelectObject(memory, dib);
            BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
            GdiFlush();
            const auto* source = static_cast<const std::uint32_t*>(bits);
            for (std::size_t i = 0; i < image.pixels.size(); ++i)
                image.pixels[i] = 0xFF000000u | (source[i] & 0x00FFFFFFu);
            SelectObject(memory, old);
        }
        if (dib) DeleteObject(dib);
        if (memory) DeleteDC(memory);
        ReleaseDC(window_, screen);
        return image;
    }
    std::uint32_t elapsed() const override { return GetTickCount() - start_; }
    void waitUntil(std::uint32_t ms) override {
        for (;;) {
            pump();
            const auto remaining = int32_t(ms - elapsed());
            if (remaining <= 0) break;
            Sleep(DWORD(remaining < 10 ? remaining : 10));
        }
    }
    const char* clockKind() const override { return "real"; }

private:
    HWND window_ = nullptr;
    DWORD start_;
};

} // namespace

std::unique_ptr<EditorWindow> EditorWindow::create(int width, int height) {
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
        throw Error("cannot make a host window of " + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels");
    return std::make_unique<Win32EditorWindow>(width, height);
}

} // namespace vuhost
