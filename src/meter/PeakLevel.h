// The level input of a peak LED: the largest level fed since the LED last took it.
#pragma once

#include <atomic>

namespace meter {

class PeakLevel {
public:
    // Audio thread: raises the peak to `level` when it is larger. NaN never enters.
    void feedLevel(double level) {
        double current = held.load(std::memory_order_relaxed);
        while (level > current &&
               !held.compare_exchange_weak(current, level, std::memory_order_relaxed)) {
        }
    }
    // Drawing: answers the peak and puts 0 in its place, in one step, so that no level fed in
    // between is lost.
    double takePeak();
    double peak() const { return held.load(std::memory_order_relaxed); }

private:
    std::atomic<double> held{0.0};
    static_assert(std::atomic<double>::is_always_lock_free);
};

} // namespace meter
