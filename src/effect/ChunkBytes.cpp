#include "effect/ChunkBytes.h"

#include <bit>
#include <cstdint>

namespace effect {

float readChunkFloat(const unsigned char* bytes) {
    const uint32_t bits = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                          (static_cast<uint32_t>(bytes[2]) << 16) |
                          (static_cast<uint32_t>(bytes[3]) << 24);
    return std::bit_cast<float>(bits);
}

void writeChunkFloat(unsigned char* bytes, float value) {
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    }
}

float clampParameter(float value, float previous) {
    if (value != value) {
        return previous;
    }
    if (value < 0.0f) {
        return 0.0f;
    }
    if (value > 1.0f) {
        return 1.0f;
    }
    return value;
}

} // namespace effect
