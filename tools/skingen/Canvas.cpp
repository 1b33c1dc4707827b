#include "Canvas.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace skingen {

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy),
      context_(cairo_create(surface_.get()), cairo_destroy) {
    if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS ||
        cairo_status(context_.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot create a drawing surface");
    cairo_set_antialias(context_.get(), CAIRO_ANTIALIAS_GRAY);
}

Image Canvas::image() const {
    cairo_surface_flush(surface_.get());
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int stride = cairo_image_surface_get_stride(surface_.get());
    Image out{width_, height_, std::vector<std::uint8_t>(std::size_t(width_) * height_ * 4)};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            std::uint32_t px;
            std::memcpy(&px, data + std::size_t(y) * stride + std::size_t(x) * 4, 4);
            const unsigned a = px >> 24;
            unsigned r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
            if (a == 0) {
                r = g = b = 0;
            } else if (a < 255) {
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
            std::uint8_t* o = &out.rgba[(std::size_t(y) * width_ + x) * 4];
            o[0] = std::uint8_t(std::min(r, 255u));
            o[1] = std::uint8_t(std::min(g, 255u));
            o[2] = std::uint8_t(std::min(b, 255u));
            o[3] = std::uint8_t(a);
        }
    }
    return out;
}

double Noise::next() {
    // xorshift64*
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return double((state_ * 0x2545F4914F6CDD1Dull) >> 11) / double(1ull << 53);
}

} // namespace skingen
