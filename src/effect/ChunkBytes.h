// Little-endian 32-bit floats in state chunks.
#pragma once

#include <cstddef>

namespace effect {

float readChunkFloat(const unsigned char* bytes);
void writeChunkFloat(unsigned char* bytes, float value);

// The stored form of a parameter value read from a chunk or set by the host: clamped to 0 to 1;
// a value that is not a number leaves `previous` in place.
float clampParameter(float value, float previous);

} // namespace effect
