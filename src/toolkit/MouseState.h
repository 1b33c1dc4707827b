// Bits of the mouse state: buttons and modifier keys. -1 means "not read yet".
#pragma once

#include <cstdint>

namespace toolkit {

enum : int32_t {
    kLeftButton = 1,
    kMiddleButton = 2,
    kRightButton = 4,
    kShiftModifier = 8,
    kControlModifier = 16,
    kAltModifier = 32,
};

// Controls test for "any modifier" with this mask (the platform never reports 64).
inline constexpr int32_t kAnyModifierMask = 0x78;
// A mouse state that the receiver still has to read.
inline constexpr int32_t kMouseStateUnread = -1;

} // namespace toolkit
