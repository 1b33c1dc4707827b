// The native edit field: a borderless "EDIT" pop-up, subclassed so that Enter and the loss of
// the keyboard focus reach the control attached to it.
#include "platform/EditField.h"
#include "platform/win32/Win32Common.h"

namespace platform {
namespace {

using win32::hwnd;

// The handler the field had before ours; only one field exists at a time.
WNDPROC previousEditProc = nullptr;

EditFieldEvents* attachedEvents(HWND field) {
    return reinterpret_cast<EditFieldEvents*>(GetWindowLongPtrA(field, GWLP_USERDATA));
}

LRESULT CALLBACK editFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = previousEditProc;
    switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_KILLFOCUS:
        if (EditFieldEvents* events = attachedEvents(field)) events->editFieldFocusLost();
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            if (EditFieldEvents* events = attachedEvents(field)) events->editFieldEnterPressed();
        }
        break;
    default: break;
    }
    // The control may have closed the field in the calls above: a destroyed window gets nothing
    // more.
    if (!IsWindow(field) || !previous) return 0;
    return CallWindowProcA(previous, field, message, wParam, lParam);
}

} // namespace

void windowToScreen(Window window, int32_t& x, int32_t& y) {
    POINT p{LONG(x), LONG(y)};
    MapWindowPoints(hwnd(window), nullptr, &p, 1);
    x = p.x;
    y = p.y;
}

Window createEditField(const EditFieldSetup& setup) {
    DWORD align = ES_CENTER;
    if (setup.align == TextAlign::Left) align = ES_LEFT;
    else if (setup.align == TextAlign::Right) align = ES_RIGHT;
    HWND field = CreateWindowExA(0, "EDIT", setup.text ? setup.text : "",
                                 WS_POPUP | WS_VISIBLE | ES_AUTOHSCROLL | align, setup.x, setup.y,
                                 setup.width, setup.height, hwnd(setup.owner), nullptr,
                                 win32::instance(), nullptr);
    return win32::window(field);
}

void openEditField(Window window, Object font, EditFieldEvents* events, int32_t maxLength) {
    HWND field = hwnd(window);
    if (!IsWindow(field)) return;
    SetWindowLongPtrA(field, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(events));
    SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(win32::gdi(font)), TRUE);
    SendMessageA(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, EM_LIMITTEXT, WPARAM(maxLength), 0);
    SetWindowPos(field, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetFocus(field);
    previousEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editFieldProc)));
}

bool editFieldText(Window field, char* buffer, int32_t size) {
    if (!buffer || size <= 0 || !IsWindow(hwnd(field))) return false;
    buffer[0] = 0;
    GetWindowTextA(hwnd(field), buffer, size);
    buffer[size - 1] = 0;
    return true;
}

void destroyEditField(Window field) {
    if (!IsWindow(hwnd(field))) return;
    SetWindowLongPtrA(hwnd(field), GWLP_USERDATA, 0);
    DestroyWindow(hwnd(field));
}

} // namespace platform
