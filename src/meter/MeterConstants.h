// The constants of the needle meters' ballistics and scale.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace meter {

constexpr double kBallisticsOmega = 13.5119;   // natural angular frequency, rad/s
constexpr double kBallisticsZeta = 0.8127;     // damping ratio
constexpr double kLevelScale = 1.433934302386369;
constexpr double kMarkOffsetDb = 0.8333333333333334;
constexpr double kDbToLog = 0.11512925464970228; // ln 10 / 20

// 4 zeta omega, omega squared and twice omega squared, as evaluated in double precision.
constexpr double kFourZetaOmega = 4.0 * kBallisticsZeta * kBallisticsOmega;
constexpr double kOmegaSquared = kBallisticsOmega * kBallisticsOmega;
constexpr double kTwoOmegaSquared = 2.0 * kOmegaSquared;
static_assert(kFourZetaOmega == 43.92448452);
static_assert(kOmegaSquared == 182.57144161000002);
static_assert(kTwoOmegaSquared == 365.14288322000004);

constexpr std::size_t kScaleMarkCount = 12;
using FrameTable = std::array<uint32_t, kScaleMarkCount>;

// The scale marks in VU decibels, ascending.
constexpr std::array<double, kScaleMarkCount> kScaleMarksDb = {-20, -10, -7, -5, -3, -2,
                                                               -1,  0,   1,  2,  3,  3.5};

// Reference level a new meter starts with, dB below full scale.
constexpr double kDefaultReferenceDb = -18.0;

} // namespace meter
