#include "meter/PeakLevel.h"

namespace meter {

void PeakLevel::feedLevel(double level) {
    double current = held.load(std::memory_order_relaxed);
    while (level > current &&
           !held.compare_exchange_weak(current, level, std::memory_order_relaxed)) {
    }
}

double PeakLevel::takePeak() { return held.exchange(0.0, std::memory_order_relaxed); }

} // namespace meter
