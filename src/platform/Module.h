// The module this code was loaded from. The library's load hook stores its instance handle here;
// the window class and the image resources are looked up through it.
#pragma once

namespace platform {

// Stores the module instance handle (Windows: the HINSTANCE given to the load hook).
void setModuleHandle(void* handle);

// The stored handle; null until the load hook has run (an executable that links the code
// directly answers its own module where the platform has one).
void* moduleHandle();

} // namespace platform
