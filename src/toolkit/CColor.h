// Colours as four bytes, and the constants the toolkit uses.
#pragma once

#include <cstdint>

namespace toolkit {

struct CColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;

    // The number the platform receives: red + 256 * green + 65536 * blue (alpha not included).
    constexpr uint32_t toPlatform() const {
        return uint32_t(red) | (uint32_t(green) << 8) | (uint32_t(blue) << 16);
    }
    friend constexpr bool operator==(const CColor&, const CColor&) = default;
};

inline constexpr CColor kBlackCColor{0, 0, 0, 255};
inline constexpr CColor kWhiteCColor{255, 255, 255, 255};
inline constexpr CColor kRedCColor{255, 0, 0, 255};
// Default key colour of bitmaps drawn with transparency.
inline constexpr CColor kTransparentCColor{255, 255, 255, 0};

} // namespace toolkit
