// The committed skin images, read from resources/ and decoded with stb_image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skintest {

enum class Stored { PaletteOpaque, PaletteAlpha, Rgba };

struct CatalogueEntry {
    int id;
    const char* file;
    int width, height, frameHeight;
    Stored stored;
};

// The fourteen images of the editor's catalogue.
const std::vector<CatalogueEntry>& catalogue();

std::vector<unsigned char> readFile(const std::string& name);

struct Decoded {
    int width = 0, height = 0;
    int channels = 0;                // the file's own channel count, as stb_image reports it
    std::vector<std::uint8_t> rgba;  // decoded to four channels

    const std::uint8_t* at(int x, int y) const { return &rgba[(std::size_t(y) * width + x) * 4]; }
    // Bilinear sample of one channel at a point in pixel coordinates (pixel centres at +0.5).
    double sample(double x, double y, int channel) const;
};

Decoded decode(const std::vector<unsigned char>& png);
Decoded decodeFile(const std::string& name);

} // namespace skintest
