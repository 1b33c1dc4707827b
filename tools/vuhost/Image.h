// Pictures as vuhost keeps them: opaque pixels, top-down rows of 0xAARRGGBB words, written and
// read as PNG (stb_image_write and stb_image).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vuhost {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // width * height, row after row from the top

    Image() = default;
    Image(int w, int h, std::uint32_t fill = 0xFF000000u);
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    std::uint32_t& at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    void fill(int x, int y, int w, int h, std::uint32_t color);
    // Copies `source` with its top-left corner at (x, y), cut at the edges.
    void paste(const Image& source, int x, int y);
    // Half the size in both directions, each pixel the mean of a 2 x 2 block.
    Image halved() const;
};

// Both throw Error with a one-line reason.
void writePng(const std::string& path, const Image& image);
Image readPng(const std::string& path);

} // namespace vuhost
