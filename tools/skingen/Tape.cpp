// Label strips: pale masking tape with a crease and torn, frayed ends.
#include "Artwork.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace skingen {

Image drawLabelStrip(SkinSize size) {
    const int w = size == SkinSize::Small ? 210 : 300;
    const int h = size == SkinSize::Small ? 20 : 30;
    const double k = h / 20.0;
    Noise noise(size == SkinSize::Small ? 108 : 208);
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();

    // The outline: straight long edges, torn ends that wander in and out by a few pixels.
    const int steps = h * 2;
    std::vector<double> left(steps + 1), right(steps + 1);
    double l = 2.5 * k, r = w - 2.5 * k;
    for (int i = 0; i <= steps; ++i) {
        l = std::clamp(l + noise.between(-1.9, 1.9) * k, 0.4, 6.5 * k);
        r = std::clamp(r + noise.between(-1.9, 1.9) * k, w - 6.5 * k, w - 0.4);
        left[i] = l;
        right[i] = r;
    }
    auto outline = [&] {
        cairo_new_path(cr);
        cairo_move_to(cr, left[0], 0.5);
        for (int i = 0; i <= steps; ++i)
            cairo_line_to(cr, right[i], 0.5 + (h - 1.0) * i / steps);
        for (int i = steps; i >= 0; --i)
            cairo_line_to(cr, left[i], 0.5 + (h - 1.0) * i / steps);
        cairo_close_path(cr);
    };

    // Tape body: a slight lengthwise shading, as the tape curls a little at its edges.
    outline();
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(body, 0, 214 / 255.0, 205 / 255.0, 168 / 255.0);
    cairo_pattern_add_color_stop_rgb(body, 0.25, 225 / 255.0, 216 / 255.0, 179 / 255.0);
    cairo_pattern_add_color_stop_rgb(body, 0.8, 223 / 255.0, 214 / 255.0, 177 / 255.0);
    cairo_pattern_add_color_stop_rgb(body, 1, 208 / 255.0, 199 / 255.0, 162 / 255.0);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);

    outline();
    cairo_save(cr);
    cairo_clip(cr);
    // Paper fibres: short faint streaks along the tape.
    for (int i = 0; i < w * h / 14; ++i) {
        const double x = noise.between(0, w), y = noise.between(0, h);
        const double len = noise.between(2, 7) * k;
        const bool dark = noise.next() < 0.5;
        setColour(cr, dark ? rgb8(170, 160, 120) : rgb8(245, 240, 215), noise.between(0.08, 0.22));
        cairo_set_line_width(cr, 0.7);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + len, y + noise.between(-0.4, 0.4));
        cairo_stroke(cr);
    }
    // A crease a little right of the middle: a dark fold line with a lit side.
    const double cx = w * 0.53;
    const double slant = 3.0 * k;
    cairo_pattern_t* crease = cairo_pattern_create_linear(cx - 4 * k, 0, cx + 4 * k, 0);
    cairo_pattern_add_color_stop_rgba(crease, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(crease, 0.45, 0.35, 0.3, 0.15, 0.22);
    cairo_pattern_add_color_stop_rgba(crease, 0.52, 1, 1, 0.95, 0.35);
    cairo_pattern_add_color_stop_rgba(crease, 1, 1, 1, 1, 0);
    cairo_set_source(cr, crease);
    cairo_move_to(cr, cx - 4 * k - slant, 0);
    cairo_line_to(cr, cx + 4 * k - slant, 0);
    cairo_line_to(cr, cx + 4 * k + slant, h);
    cairo_line_to(cr, cx - 4 * k + slant, h);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);

    // Torn ends: the fibres thin out, so the last few pixels are partly transparent.
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    for (int i = 0; i <= steps; ++i) {
        const double y = 0.5 + (h - 1.0) * i / steps;
        for (int side = 0; side < 2; ++side) {
            const double edge = side == 0 ? left[i] : right[i];
            const double dir = side == 0 ? 1 : -1;
            for (int f = 0; f < 3; ++f) {
                const double depth = noise.between(0.5, 3.2) * k;
                setColour(cr, rgb8(0, 0, 0), noise.between(0.15, 0.45));
                cairo_set_line_width(cr, noise.between(0.5, 1.2));
                cairo_move_to(cr, edge - dir, y);
                cairo_line_to(cr, edge + dir * depth, y + noise.between(-0.8, 0.8));
                cairo_stroke(cr);
            }
        }
    }
    cairo_restore(cr);
    return canvas.image();
}

} // namespace skingen
