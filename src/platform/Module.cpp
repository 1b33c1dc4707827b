#include "platform/Module.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<void*> storedModule{nullptr};
}

void setModuleHandle(void* handle) { storedModule.store(handle, std::memory_order_release); }

void* moduleHandle() { return storedModule.load(std::memory_order_acquire); }

} // namespace platform
