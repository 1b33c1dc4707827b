// A cairo drawing surface and the images it produces.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace skingen {

// Straight (not premultiplied) 8-bit RGBA, rows top to bottom.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    std::uint8_t alphaAt(int x, int y) const { return rgba[(std::size_t(y) * width + x) * 4 + 3]; }
};

// An ARGB32 surface with its drawing context; everything skingen draws goes through one.
class Canvas {
public:
    Canvas(int width, int height);

    cairo_t* cr() const { return context_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

    // The pixels drawn so far, un-premultiplied.
    Image image() const;

private:
    int width_;
    int height_;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface_;
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context_;
};

struct Rgb {
    double r, g, b;
};

// Colours given as 8-bit components.
constexpr Rgb rgb8(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

inline void setColour(cairo_t* cr, Rgb c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// Deterministic pseudo-random numbers for textures: the same seed gives the same picture.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    // Uniform in [0, 1).
    double next();
    // Uniform in [lo, hi).
    double between(double lo, double hi) { return lo + (hi - lo) * next(); }

private:
    std::uint64_t state_;
};

} // namespace skingen
