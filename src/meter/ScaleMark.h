// One mark of a needle meter's scale: where the needle stands on it, and the level that puts it
// there.
#pragma once

#include <atomic>
#include <cstdint>

namespace meter {

struct ScaleMark {
    // Scaled level (filter output times kLevelScale) at which the needle stands on this mark.
    // Written whole by a reference change, read whole by the drawing.
    std::atomic<double> threshold{0.0};
    // Film-strip frame that shows the needle on this mark.
    uint32_t frame = 0;
};

} // namespace meter
