// The library's load hook: remembers the module instance handle for window classes and
// resources.
#include "platform/Module.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    platform::setModuleHandle(instance);
    return TRUE;
}
