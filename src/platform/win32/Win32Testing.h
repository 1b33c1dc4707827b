// Access for tests to what the Win32 backend registered.
#pragma once

namespace platform::win32 {

// The IDropTarget registered for a frame window, or null.
void* registeredDropTarget(void* window);

} // namespace platform::win32
