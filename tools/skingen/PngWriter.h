// Stores images as PNG files the way the editor's catalogue wants them.
#pragma once

#include "Canvas.h"

#include <string>

namespace skingen {

enum class Storage {
    Palette,        // 8-bit indices, transparency table only when some pixel is not opaque
    Opaque,         // 8-bit indices, no transparency at all (alpha is dropped)
    TrueColourAlpha // 8-bit RGBA
};

// Writes image to path. Palette images with at most 256 distinct colours are stored exactly;
// others are quantised to 256 colours with dithering. Throws on any failure.
void writePng(const std::string& path, const Image& image, Storage storage);

} // namespace skingen
