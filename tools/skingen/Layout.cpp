#include "Artwork.h"

namespace skingen {

Layout layoutFor(SkinSize size) {
    if (size == SkinSize::Small)
        return {250, 303, 30, 53, 183, 20, 153, 230, 173, 180, 283, 230, 303, 28, 1, 7, 2, smallMeter()};
    return {340, 400, 30, 60, 240, 20, 195, 320, 225, 270, 380, 320, 400, 40, 2, 0, 3, largeMeter()};
}

ScaleRadii scaleRadii(const MeterGeometry& g) {
    const double k = g.scale;
    return {106 * k, 4.5 * k, 115 * k, 111 * k, 123 * k, 101 * k, 96.5 * k, 90 * k, 114 * k};
}

} // namespace skingen
