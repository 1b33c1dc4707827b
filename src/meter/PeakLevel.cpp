#include "meter/PeakLevel.h"

namespace meter {

double PeakLevel::takePeak() { return held.exchange(0.0, std::memory_order_relaxed); }

} // namespace meter
