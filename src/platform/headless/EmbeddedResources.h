// The image resources compiled into builds without Windows resources: a table generated at build
// time from resources/*.png (the library rv_resources, which rv_platform links).
#pragma once

#include <cstddef>

namespace platform::headless {

struct EmbeddedResource {
    int id;
    const unsigned char* data;
    std::size_t size;
};

// Sorted by id.
extern const EmbeddedResource kEmbeddedPngs[];
extern const std::size_t kEmbeddedPngCount;

} // namespace platform::headless
