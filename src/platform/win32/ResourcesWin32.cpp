#include "platform/Module.h"
#include "platform/Resources.h"

#include <windows.h>

namespace platform {

ResourceBytes findPngResource(int id) {
    if (id <= 0 || id > 0xFFFF)
        return {};
    HMODULE module = static_cast<HMODULE>(moduleHandle());
    if (!module)
        module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
    if (!info)
        return {};
    HGLOBAL loaded = LoadResource(module, info);
    const DWORD size = SizeofResource(module, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data || size == 0)
        return {};
    return {static_cast<const unsigned char*>(data), size};
}

} // namespace platform
