// Read-only access to the image resources built into this module.
#pragma once

#include <cstddef>

namespace platform {

struct ResourceBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    explicit operator bool() const { return data != nullptr && size > 0; }
};

// The bytes of the resource of type "PNG" with the given id, or empty when there is none.
// The bytes stay valid for the life of the module.
ResourceBytes findPngResource(int id);

} // namespace platform
