#include "meter/ReferenceLevel.h"

namespace meter {

double referenceLevelForHeadroom(float headroom) {
    if (headroom < 0.25f) {
        return -12.0;
    }
    if (headroom < 0.5f) {
        return -14.0;
    }
    if (headroom < 0.75f) {
        return -18.0;
    }
    return -20.0;
}

} // namespace meter
