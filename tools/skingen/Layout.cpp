#include "Artwork.h"

namespace skingen {

Layout layoutFor(SkinSize size) {
    if (size == SkinSize::Small)
        return {250, 303, 30, 53, 183, 20, 153, 230, 173, 180, 283, 230, 303, 28, 1, 7, 2, smallMeter()};
    return {340, 400, 30, 60, 240, 20, 195, 320, 225, 270, 380, 320, 400, 40, 2, 0, 3, largeMeter()};
}

} // namespace skingen
