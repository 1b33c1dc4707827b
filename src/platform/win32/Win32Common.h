// Shared helpers of the Win32 backend: handle conversions and the module instance.
#pragma once

#include <windows.h>

#include "platform/Graphics.h"

namespace platform::win32 {

inline HDC dc(Surface s) { return reinterpret_cast<HDC>(s); }
inline Surface surface(HDC h) { return reinterpret_cast<Surface>(h); }
inline HGDIOBJ gdi(Object o) { return reinterpret_cast<HGDIOBJ>(o); }
inline Object object(HGDIOBJ h) { return reinterpret_cast<Object>(h); }
inline HWND hwnd(Window w) { return reinterpret_cast<HWND>(w); }
inline Window window(HWND h) { return reinterpret_cast<Window>(h); }

// The module's instance: the one the load hook stored, else the executable's.
HINSTANCE instance();

} // namespace platform::win32
