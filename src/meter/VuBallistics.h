// The measuring half of a needle meter: a second-order ballistics filter stepped once per audio
// sample, and the mapping of its output onto a frame of the needle film strip.
#pragma once

#include "meter/MeterConstants.h"
#include "meter/ScaleMark.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace meter {

class VuBallistics {
public:
    // At rest, with coefficients for `sampleRate` and the scale for the default reference level.
    VuBallistics(float sampleRate, const FrameTable& frames);

    VuBallistics(const VuBallistics&) = delete;
    VuBallistics& operator=(const VuBallistics&) = delete;

    // Audio thread: one filter step with `level`, then the dirty mark.
    void feedLevel(double level) {
        x2 = x1;
        x1 = x0;
        x0 = level;
        y2 = y1;
        y1 = y0.load(std::memory_order_relaxed);
        const double y = (((b1 * x1 + b0 * x0) + b2 * x2) - a1 * y1) - a2 * y2;
        y0.store(y, std::memory_order_relaxed);
        dirty->store(true, std::memory_order_relaxed);
    }
    // Puts the filter at rest and computes the coefficients for `sampleRate`. Must not overlap
    // feedLevel on the same object.
    void setupFilter(double sampleRate);
    // Recomputes every threshold so that `referenceDb` reads 0 VU; frames stay.
    void setReferenceLevel(double referenceDb);
    // Drawing: the film-strip frame for the current filter output, 0 to the last mark's frame.
    uint32_t currentFrame() const;
    // The mapping itself, for a scaled level v (filter output times kLevelScale), thresholds
    // `thr` (ascending) and their frames.
    static uint32_t frameForScaledLevel(double v, const std::array<double, kScaleMarkCount>& thr,
                                        const FrameTable& frames);

    // The flag feedLevel raises; a control points it at its own dirty flag.
    void setDirtyFlag(std::atomic<bool>* flag) { dirty = flag != nullptr ? flag : &ownDirty; }
    std::atomic<bool>& dirtyFlag() { return *dirty; }

    double level() const { return y0.load(std::memory_order_relaxed); }
    double threshold(std::size_t index) const {
        return marks[index].threshold.load(std::memory_order_relaxed);
    }
    uint32_t frame(std::size_t index) const { return marks[index].frame; }

    struct Coefficients {
        double a1, a2, b0, b1, b2;
    };
    Coefficients coefficients() const { return {a1, a2, b0, b1, b2}; }

private:
    double x0 = 0.0;
    double x1 = 0.0;
    double x2 = 0.0;
    std::atomic<double> y0{0.0};
    double y1 = 0.0;
    double y2 = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double b0 = 0.0;
    double b1 = 0.0;
    double b2 = 0.0;
    std::array<ScaleMark, kScaleMarkCount> marks;

    std::atomic<bool> ownDirty{false};
    std::atomic<bool>* dirty = &ownDirty;

    static_assert(std::atomic<double>::is_always_lock_free);
};

} // namespace meter
