// Small PNG files made in memory for the tests.
#pragma once

#include <cstdint>
#include <vector>

namespace testsupport {

// An RGBA (4 channels) or RGB (3 channels) image, rows top to bottom.
std::vector<unsigned char> makePng(int width, int height, int channels,
                                   const std::vector<unsigned char>& samples);

// A palette image: `indices` one byte per pixel; `alphas` (may be empty) becomes a tRNS chunk.
std::vector<unsigned char> makePalettePng(int width, int height,
                                          const std::vector<unsigned char>& paletteRgb,
                                          const std::vector<unsigned char>& alphas,
                                          const std::vector<unsigned char>& indices);

} // namespace testsupport
