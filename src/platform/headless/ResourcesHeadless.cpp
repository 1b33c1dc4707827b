#include "platform/Resources.h"
#include "platform/headless/EmbeddedResources.h"

#include <algorithm>

namespace platform {

ResourceBytes findPngResource(int id) {
    using headless::EmbeddedResource;
    const EmbeddedResource* first = headless::kEmbeddedPngs;
    const EmbeddedResource* last = first + headless::kEmbeddedPngCount;
    const EmbeddedResource* it =
        std::lower_bound(first, last, id, [](const EmbeddedResource& r, int wanted) { return r.id < wanted; });
    if (it == last || it->id != id)
        return {};
    return {it->data, it->size};
}

} // namespace platform
