// Opens the editor of the built module through its entry point, as a host does.
// Windows (under Wine): a real top-level host window, the child window of class "Plugin" plus the
// module handle, the painted background, a click on the size button made with SendInput that
// makes the host resize its window, and typing into the label's EDIT field.
// Linux: the .so gets parents it cannot use (a window of another module, an X11 window id) and
// draws its editor off screen without touching them.
#include "host/VstAbi.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>
#else
#include <dlfcn.h>
#endif

namespace {

#if defined(_WIN32)
std::string modulePath() {
    std::string path = RV_PLUGIN_PATH;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}
using ModuleHandle = HMODULE;
ModuleHandle loadModule() { return LoadLibraryA(modulePath().c_str()); }
void* moduleSymbol(ModuleHandle m, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(m, name));
}
void freeModule(ModuleHandle m) { FreeLibrary(m); }
#else
using ModuleHandle = void*;
ModuleHandle loadModule() { return dlopen(RV_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL); }
void* moduleSymbol(ModuleHandle m, const char* name) { return dlsym(m, name); }
void freeModule(ModuleHandle m) { dlclose(m); }
#endif

// What the host saw of the plug-in, and what it answers.
struct HostRecord {
    std::vector<VstInt32> opcodes;
    std::vector<std::pair<VstInt32, VstIntPtr>> sizeRequests;
    void* window = nullptr; // the host's window, resized on request
};
HostRecord hostRecord;

VstIntPtr VSTCALLBACK testHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                               void* ptr, float) {
    hostRecord.opcodes.push_back(opcode);
    switch (opcode) {
    case audioMasterVersion: return 2400;
    case audioMasterCanDo:
        return ptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0 ? 1 : 0;
    case audioMasterSizeWindow:
        hostRecord.sizeRequests.push_back({index, value});
#if defined(_WIN32)
        if (hostRecord.window) {
            RECT r{0, 0, index, LONG(value)};
            const HWND w = static_cast<HWND>(hostRecord.window);
            AdjustWindowRectEx(&r, DWORD(GetWindowLongA(w, GWL_STYLE)), FALSE,
                               DWORD(GetWindowLongA(w, GWL_EXSTYLE)));
            SetWindowPos(w, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                         SWP_NOMOVE | SWP_NOZORDER);
        }
#endif
        return 1;
    case audioMasterGetVendorString:
        std::snprintf(static_cast<char*>(ptr), 65, "%s", "RV Test Host");
        return 1;
    default: return 0;
    }
}

class EditorThroughModule : public ::testing::Test {
protected:
    void SetUp() override {
        hostRecord = HostRecord{};
        module = loadModule();
        ASSERT_NE(module, nullptr) << "cannot load " << RV_PLUGIN_PATH;
        auto main = reinterpret_cast<VstPluginMainProc>(moduleSymbol(module, "VSTPluginMain"));
        ASSERT_NE(main, nullptr);
        effect = main(testHost);
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override {
        if (effect) dispatch(effClose);
        if (module) freeModule(module);
    }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f) {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }
    std::pair<int, int> rect() {
        ERect* r = nullptr;
        dispatch(effEditGetRect, 0, 0, &r);
        return r ? std::make_pair(r->right - r->left, r->bottom - r->top) : std::make_pair(0, 0);
    }
    void idleFor(int steps);
    std::vector<unsigned char> chunk() {
        void* data = nullptr;
        const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
        const auto* bytes = static_cast<const unsigned char*>(data);
        return size > 0 ? std::vector<unsigned char>(bytes, bytes + size)
                        : std::vector<unsigned char>{};
    }

    ModuleHandle module = nullptr;
    AEffect* effect = nullptr;
};

#if defined(_WIN32)

LRESULT CALLBACK hostWindowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(w, message, wParam, lParam);
}

// A host's message loop: TranslateMessage lets typed characters reach the EDIT field.
void pump(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (std::chrono::steady_clock::now() < end);
}

template <class Done> bool pumpUntil(Done done, int milliseconds = 3000) {
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (done()) return true;
        pump(20);
    }
    return done();
}

void sendMouseInput(DWORD flags, int screenX, int screenY) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG(screenX * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = LONG(screenY * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

// A left click at a client point of `window`: the press now, the release from another thread
// while this one pumps messages (a control may poll the button inside the press).
void click(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    sendMouseInput(0, p.x, p.y);
    pump(50);
    std::atomic<bool> released{false};
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        sendMouseInput(MOUSEEVENTF_LEFTUP, p.x, p.y);
        released = true;
    });
    sendMouseInput(MOUSEEVENTF_LEFTDOWN, p.x, p.y);
    pumpUntil([&] { return released.load(); });
    releaser.join();
    pump(100);
}

void sendKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    pump(30);
}

void EditorThroughModule::idleFor(int steps) {
    for (int i = 0; i < steps; ++i) {
        dispatch(effEditIdle);
        pump(20);
    }
}

COLORREF pngPixel(HMODULE dll, int id, int x, int y) {
    HRSRC found = FindResourceA(dll, MAKEINTRESOURCEA(id), "PNG");
    if (!found) return CLR_INVALID;
    const auto* bytes = static_cast<const stbi_uc*>(LockResource(LoadResource(dll, found)));
    int w = 0, h = 0, n = 0;
    stbi_uc* pixels = stbi_load_from_memory(bytes, int(SizeofResource(dll, found)), &w, &h, &n, 3);
    if (!pixels) return CLR_INVALID;
    const stbi_uc* p = pixels + (size_t(y) * size_t(w) + size_t(x)) * 3;
    const COLORREF color = RGB(p[0], p[1], p[2]);
    stbi_image_free(pixels);
    return color;
}

TEST_F(EditorThroughModule, OpensInAChildWindowThatResizesAndTakesTypedText) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = hostWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RvEditorTestHost";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassA(&windowClass);
    RECT frame{0, 0, 250, 303};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND host = CreateWindowExA(0, "RvEditorTestHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                60, 60, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    hostRecord.window = host;
    SetForegroundWindow(host);
    pump(100);

    ASSERT_EQ(dispatch(effEditOpen, 0, 0, host), 1);
    char expectedClass[32];
    std::snprintf(expectedClass, sizeof expectedClass, "Plugin%0*" PRIXPTR, int(2 * sizeof(void*)),
                  reinterpret_cast<uintptr_t>(module));
    EXPECT_EQ(std::strlen(expectedClass), 6 + 2 * sizeof(void*));
    HWND editor = FindWindowExA(host, nullptr, expectedClass, nullptr);
    ASSERT_NE(editor, nullptr) << "no child window of class " << expectedClass;
    EXPECT_EQ(GetParent(editor), host);
    EXPECT_TRUE(GetWindowLongA(editor, GWL_STYLE) & WS_CHILD);
    pump(200);

    // The background painted: panel pixels away from every control.
    HDC dc = GetDC(editor);
    for (auto [x, y] : {std::pair{2, 40}, {245, 150}, {10, 290}}) {
        EXPECT_EQ(GetPixel(dc, x, y), pngPixel(module, 101, x, y)) << x << "," << y;
    }
    ReleaseDC(editor, dc);

    // The size button, clicked as a user does: the editor grows within the click.
    idleFor(5);
    click(editor, 205, 293);
    ASSERT_TRUE(pumpUntil([&] { return !hostRecord.sizeRequests.empty(); }));
    EXPECT_EQ(hostRecord.sizeRequests.front(), (std::pair<VstInt32, VstIntPtr>{340, 400}));
    EXPECT_EQ(effect->getParameter(effect, 3), 1.0f);
    EXPECT_EQ(rect(), std::make_pair(340, 400));
    RECT client{};
    GetClientRect(editor, &client);
    EXPECT_EQ(client.right, 340);
    EXPECT_EQ(client.bottom, 400);
    GetClientRect(host, &client);
    EXPECT_EQ(client.right, 340);
    EXPECT_EQ(client.bottom, 400);

    // The label: a click opens its EDIT field, typing and Enter store the text.
    idleFor(5);
    click(editor, 170, 210);
    HWND field = nullptr;
    ASSERT_TRUE(pumpUntil([&] {
        field = GetFocus();
        char name[16] = "";
        if (field) GetClassNameA(field, name, sizeof name);
        return _stricmp(name, "EDIT") == 0;
    })) << "no EDIT field has the focus";
    for (WORD key : {WORD('T'), WORD('A'), WORD('P'), WORD('E')}) sendKey(key);
    sendKey(VK_RETURN);
    std::vector<unsigned char> state;
    EXPECT_TRUE(pumpUntil([&] {
        state = chunk();
        return state.size() == 25;
    }));
    ASSERT_EQ(state.size(), 25u) << "labelled form: 20 bytes of header, the text and a zero";
    float first = 0.0f;
    std::memcpy(&first, state.data(), 4);
    EXPECT_EQ(first, 5.0f);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(state.data()) + 20), "tape");

    dispatch(effEditClose);
    pump(50);
    EXPECT_EQ(FindWindowExA(host, nullptr, expectedClass, nullptr), nullptr);
    DestroyWindow(host);
    pump(50);
}

#else

void EditorThroughModule::idleFor(int steps) {
    for (int i = 0; i < steps; ++i) dispatch(effEditIdle);
}

TEST_F(EditorThroughModule, ParentsTheModuleCannotUseGetAnEditorDrawnOffScreen) {
    int notOurs = 0; // a window of another module's registry looks just like this to the .so
    for (void* parent : {static_cast<void*>(&notOurs), reinterpret_cast<void*>(uintptr_t(0x3e00007)),
                         static_cast<void*>(nullptr)}) {
        ASSERT_EQ(dispatch(effEditOpen, 0, 0, parent), 1);
        EXPECT_EQ(rect(), std::make_pair(250, 303));
        idleFor(3);
        effect->setParameter(effect, 3, 1.0f);
        EXPECT_EQ(rect(), std::make_pair(340, 400));
        dispatch(effEditIdle);
        effect->setParameter(effect, 3, 0.0f);
        dispatch(effEditClose);
    }
    EXPECT_EQ(notOurs, 0);
}

#endif

} // namespace
