#include "effect/ChannelMode.h"

#include <bit>
#include <cstdint>

namespace effect {

ChannelMode channelModeFor(float mode) {
    constexpr float kLower = std::bit_cast<float>(uint32_t{0x3EAAAAAB});
    constexpr float kUpper = std::bit_cast<float>(uint32_t{0x3F2AAAAA});
    if (mode < kLower) {
        return ChannelMode::mean;
    }
    if (mode > kUpper) {
        return ChannelMode::meanDifference;
    }
    return ChannelMode::leftRight;
}

} // namespace effect
