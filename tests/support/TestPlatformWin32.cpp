#include "TestPlatform.h"

#include "platform/win32/Win32Testing.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <map>
#include <string>

namespace testsupport {

namespace {

std::map<HWND, int>& wheelCounts() {
    static std::map<HWND, int> counts;
    return counts;
}

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL) wheelCounts()[window]++;
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerClassOnce(const char* name) {
    WNDCLASSA existing{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), name, &existing)) return;
    WNDCLASSA c{};
    c.lpfnWndProc = hostProc;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = name;
    c.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    RegisterClassA(&c);
}

// A data object that offers a list of files, as the shell does when files are dragged.
class FileListData final : public IDataObject {
public:
    // A file list of `files` names, or text when `files` is negative.
    explicit FileListData(int files) : fileCount(files) {}
    virtual ~FileListData() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        if (--refs == 0) {
            delete this;
            return 0;
        }
        return refs;
    }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (fileCount < 0) {
            if (format->cfFormat != CF_TEXT || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
            HGLOBAL memory = GlobalAlloc(GHND, 6);
            std::memcpy(GlobalLock(memory), "hello", 6);
            GlobalUnlock(memory);
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = memory;
            medium->pUnkForRelease = nullptr;
            return S_OK;
        }
        if (format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        std::string names;
        for (int i = 0; i < fileCount; ++i) names += "C:\\file" + std::to_string(i) + ".wav" + '\0';
        names += '\0';
        HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
        auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
        drop->pFiles = sizeof(DROPFILES);
        std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    ULONG refs = 1;
    int fileCount;
};

IDropTarget* targetOf(void* window) {
    return static_cast<IDropTarget*>(platform::win32::registeredDropTarget(window));
}

} // namespace

void* createHostWindow(int width, int height, const char* className) {
    registerClassOnce(className);
    HWND w = CreateWindowExA(0, className, "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 80,
                             width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    pumpMessages();
    return w;
}

void* createChildWindow(void* parent, int x, int y, int width, int height, const char* cls) {
    registerClassOnce(cls);
    HWND w = CreateWindowExA(0, cls, "inner", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                             height, static_cast<HWND>(parent), nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    pumpMessages();
    return w;
}

void destroyWindow(void* window) {
    DestroyWindow(static_cast<HWND>(window));
    pumpMessages();
}

bool isWindow(void* window) { return IsWindow(static_cast<HWND>(window)) != 0; }

platform::IRect clientSize(void* window) {
    RECT r{};
    GetClientRect(static_cast<HWND>(window), &r);
    return {0, 0, r.right, r.bottom};
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void repaint(void* window, const platform::IRect& area) {
    RECT r{area.left, area.top, area.right, area.bottom};
    InvalidateRect(static_cast<HWND>(window), &r, FALSE);
    UpdateWindow(static_cast<HWND>(window));
    pumpMessages();
}

bool hasPendingPaint(void* window) {
    return GetUpdateRect(static_cast<HWND>(window), nullptr, FALSE) != 0;
}

void mouseDown(void* window, int x, int y, Button button) {
    const UINT message = button == Button::Left    ? WM_LBUTTONDOWN
                         : button == Button::Right ? WM_RBUTTONDOWN
                                                   : WM_MBUTTONDOWN;
    SendMessageA(static_cast<HWND>(window), message, 0, MAKELPARAM(x, y));
}

void wheel(void* window, int x, int y, int notches) {
    RECT r;
    GetWindowRect(static_cast<HWND>(window), &r);
    SendMessageA(static_cast<HWND>(window), WM_MOUSEWHEEL, MAKEWPARAM(0, short(notches * 120)),
                 MAKELPARAM(r.left + x, r.top + y));
}

void moveCursorTo(void* window, int x, int y) {
    RECT r;
    GetWindowRect(static_cast<HWND>(window), &r);
    SetCursorPos(r.left + x, r.top + y);
}

int wheelMessagesSeen(void* window) { return wheelCounts()[static_cast<HWND>(window)]; }

void sendPaintWithoutUpdate(void* window) {
    ValidateRect(static_cast<HWND>(window), nullptr);
    SendMessageA(static_cast<HWND>(window), WM_PAINT, 0, 0);
}

void* requestEditColors(void* window, uint32_t& textColor, uint32_t& backColor) {
    HDC dc = CreateCompatibleDC(nullptr);
    const LRESULT brush = SendMessageA(static_cast<HWND>(window), WM_CTLCOLOREDIT,
                                       reinterpret_cast<WPARAM>(dc), 0);
    textColor = GetTextColor(dc);
    backColor = GetBkColor(dc);
    DeleteDC(dc);
    return reinterpret_cast<void*>(brush);
}

bool windowClassRegistered(const std::string& name) {
    WNDCLASSA info{};
    return GetClassInfoA(GetModuleHandleA(nullptr), name.c_str(), &info) != 0;
}

int dragEnterText(void* window) { return dragEnterFiles(window, -1); }

bool isDropTarget(void* window) { return targetOf(window) != nullptr; }

int dragEnterFiles(void* window, int files) {
    IDropTarget* target = targetOf(window);
    if (!target) return DROPEFFECT_NONE;
    auto* data = new FileListData(files);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, MK_LBUTTON, POINTL{0, 0}, &effect);
    data->Release();
    return int(effect);
}

int dragOver(void* window) {
    IDropTarget* target = targetOf(window);
    DWORD effect = DROPEFFECT_NONE;
    if (target) target->DragOver(MK_LBUTTON, POINTL{0, 0}, &effect);
    return int(effect);
}

void dragLeave(void* window) {
    if (IDropTarget* target = targetOf(window)) target->DragLeave();
}

int dropFiles(void* window, int files) {
    IDropTarget* target = targetOf(window);
    if (!target) return DROPEFFECT_NONE;
    auto* data = new FileListData(files);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(data, 0, POINTL{0, 0}, &effect);
    data->Release();
    return int(effect);
}

uint32_t windowPixel(void* window, int x, int y) {
    HDC dc = GetDC(static_cast<HWND>(window));
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(static_cast<HWND>(window), dc);
    return c;
}

ImageLibrary::ImageLibrary() : library(platform::loadImageLibrary()) {}
ImageLibrary::~ImageLibrary() { platform::freeImageLibrary(library); }

} // namespace testsupport
