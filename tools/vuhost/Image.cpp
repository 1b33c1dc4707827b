#include "Image.h"

#include "Error.h"

#include <algorithm>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb_image.h>
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace vuhost {

Image::Image(int w, int h, std::uint32_t color)
    : width(std::max(0, w)), height(std::max(0, h)),
      pixels(std::size_t(width) * std::size_t(height), color) {}

void Image::fill(int x, int y, int w, int h, std::uint32_t color) {
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(width, x + w), y1 = std::min(height, y + h);
    for (int row = y0; row < y1; ++row)
        for (int col = x0; col < x1; ++col) at(col, row) = color;
}

void Image::paste(const Image& source, int x, int y) {
    for (int row = 0; row < source.height; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= height) continue;
        for (int col = 0; col < source.width; ++col) {
            const int tx = x + col;
            if (tx >= 0 && tx < width) at(tx, ty) = source.at(col, row);
        }
    }
}

Image Image::halved() const {
    Image out(width / 2, height / 2);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const std::uint32_t p[4] = {at(2 * x, 2 * y), at(2 * x + 1, 2 * y), at(2 * x, 2 * y + 1),
                                        at(2 * x + 1, 2 * y + 1)};
            std::uint32_t result = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                std::uint32_t sum = 2; // rounded
                for (std::uint32_t v : p) sum += (v >> shift) & 0xFF;
                result |= (sum / 4) << shift;
            }
            out.at(x, y) = result;
        }
    return out;
}

void writePng(const std::string& path, const Image& image) {
    if (image.width <= 0 || image.height <= 0) throw Error(path + ": no picture to write (0 x 0)");
    std::vector<unsigned char> rgba(image.pixels.size() * 4);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const std::uint32_t p = image.pixels[i];
        rgba[4 * i + 0] = static_cast<unsigned char>(p >> 16);
        rgba[4 * i + 1] = static_cast<unsigned char>(p >> 8);
        rgba[4 * i + 2] = static_cast<unsigned char>(p);
        rgba[4 * i + 3] = 0xFF;
    }
    if (!stbi_write_png(path.c_str(), image.width, image.height, 4, rgba.data(), image.width * 4))
        throw Error(path + ": cannot write the PNG file");
}

Image readPng(const std::string& path) {
    int w = 0, h = 0, channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &w, &h, &channels, 4);
    if (!data) throw Error(path + ": cannot read it as a PNG picture");
    Image image(w, h);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = 0xFF000000u | (std::uint32_t(data[4 * i]) << 16) |
                          (std::uint32_t(data[4 * i + 1]) << 8) | data[4 * i + 2];
    stbi_image_free(data);
    return image;
}

} // namespace vuhost
