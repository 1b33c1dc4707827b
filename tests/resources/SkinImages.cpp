#include "SkinImages.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace skintest {

const std::vector<CatalogueEntry>& catalogue() {
    static const std::vector<CatalogueEntry> entries{
        {101, "101-background-small.png", 250, 303, 303, Stored::PaletteOpaque},
        {102, "102-needle-small.png", 190, 11700, 90, Stored::PaletteAlpha},
        {103, "103-hold-needle-small.png", 190, 11700, 90, Stored::PaletteAlpha},
        {104, "104-headroom-switch.png", 80, 80, 20, Stored::PaletteOpaque},
        {105, "105-mode-switch.png", 60, 60, 20, Stored::PaletteOpaque},
        {106, "106-hold-button.png", 40, 40, 20, Stored::PaletteOpaque},
        {107, "107-size-button.png", 50, 40, 20, Stored::Rgba},
        {108, "108-label-small.png", 210, 20, 20, Stored::PaletteAlpha},
        {109, "109-led-small.png", 28, 56, 28, Stored::PaletteAlpha},
        {201, "201-background-large.png", 340, 400, 400, Stored::PaletteOpaque},
        {202, "202-needle-large.png", 280, 16900, 130, Stored::PaletteAlpha},
        {203, "203-hold-needle-large.png", 280, 16900, 130, Stored::PaletteAlpha},
        {208, "208-label-large.png", 300, 30, 30, Stored::PaletteAlpha},
        {209, "209-led-large.png", 40, 80, 40, Stored::PaletteAlpha},
    };
    return entries;
}

std::vector<unsigned char> readFile(const std::string& name) {
    std::ifstream in(std::string(RV_SKIN_DIR) + "/" + name, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + name);
    return {std::istreambuf_iterator<char>(in), {}};
}

Decoded decode(const std::vector<unsigned char>& png) {
    Decoded d;
    unsigned char* pixels =
        stbi_load_from_memory(png.data(), int(png.size()), &d.width, &d.height, &d.channels, 4);
    if (!pixels)
        throw std::runtime_error(std::string("stb_image: ") + stbi_failure_reason());
    d.rgba.assign(pixels, pixels + std::size_t(d.width) * d.height * 4);
    stbi_image_free(pixels);
    return d;
}

Decoded decodeFile(const std::string& name) { return decode(readFile(name)); }

double Decoded::sample(double x, double y, int channel) const {
    const double fx = x - 0.5, fy = y - 0.5;
    const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
    const double tx = fx - x0, ty = fy - y0;
    auto px = [&](int xx, int yy) {
        xx = std::clamp(xx, 0, width - 1);
        yy = std::clamp(yy, 0, height - 1);
        return double(at(xx, yy)[channel]);
    };
    return (px(x0, y0) * (1 - tx) + px(x0 + 1, y0) * tx) * (1 - ty) +
           (px(x0, y0 + 1) * (1 - tx) + px(x0 + 1, y0 + 1) * tx) * ty;
}

} // namespace skintest
