// Peak lamp strips: frame 0 dark, frame 1 lit with a red glow.
#include "Artwork.h"

#include <numbers>

namespace skingen {

namespace {

void lamp(cairo_t* cr, double cx, double cy, double r, double halo, bool lit) {
    if (lit) {
        // The glow spreads over the face and fades to nothing.
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, r * 0.6, cx, cy, halo);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.2, 0.1, 0.75);
        cairo_pattern_add_color_stop_rgba(glow, 0.35, 1, 0.15, 0.05, 0.32);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.1, 0.0, 0);
        cairo_arc(cr, cx, cy, halo, 0, 2 * std::numbers::pi);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    } else {
        // A soft shadow under the dark lamp.
        cairo_pattern_t* shadow = cairo_pattern_create_radial(cx + r * 0.15, cy + r * 0.25, r * 0.8,
                                                              cx + r * 0.15, cy + r * 0.25, r * 1.7);
        cairo_pattern_add_color_stop_rgba(shadow, 0, 0, 0, 0, 0.55);
        cairo_pattern_add_color_stop_rgba(shadow, 1, 0, 0, 0, 0);
        cairo_arc(cr, cx + r * 0.15, cy + r * 0.25, r * 1.7, 0, 2 * std::numbers::pi);
        cairo_set_source(cr, shadow);
        cairo_fill(cr);
        cairo_pattern_destroy(shadow);
    }
    // The lens, darker towards its rim.
    cairo_pattern_t* lens = cairo_pattern_create_radial(cx - r * 0.2, cy - r * 0.25, r * 0.1, cx, cy, r);
    if (lit) {
        cairo_pattern_add_color_stop_rgb(lens, 0, 1, 0.72, 0.6);
        cairo_pattern_add_color_stop_rgb(lens, 0.45, 1, 0.16, 0.08);
        cairo_pattern_add_color_stop_rgb(lens, 1, 0.62, 0.02, 0.0);
    } else {
        cairo_pattern_add_color_stop_rgb(lens, 0, 0.26, 0.12, 0.11);
        cairo_pattern_add_color_stop_rgb(lens, 0.6, 0.09, 0.04, 0.04);
        cairo_pattern_add_color_stop_rgb(lens, 1, 0.02, 0.01, 0.01);
    }
    cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
    cairo_set_source(cr, lens);
    cairo_fill(cr);
    cairo_pattern_destroy(lens);
    // A thin dark rim and the glossy highlight.
    cairo_arc(cr, cx, cy, r - 0.3, 0, 2 * std::numbers::pi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    cairo_pattern_t* gloss = cairo_pattern_create_radial(cx - r * 0.32, cy - r * 0.38, 0, cx - r * 0.32,
                                                         cy - r * 0.38, r * 0.5);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, lit ? 0.95 : 0.7);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0);
    cairo_arc(cr, cx - r * 0.32, cy - r * 0.38, r * 0.5, 0, 2 * std::numbers::pi);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
}

} // namespace

Image drawLedStrip(SkinSize size) {
    const Layout L = layoutFor(size);
    const int s = L.ledWidth;
    const double r = size == SkinSize::Small ? 5.0 : 6.5;
    Canvas canvas(s, 2 * s);
    cairo_t* cr = canvas.cr();
    for (int frame = 0; frame < 2; ++frame) {
        cairo_save(cr);
        // The rightmost columns stay clear: the control ends inside the frame there.
        cairo_rectangle(cr, 0, frame * s, s - L.ledClearColumns, s);
        cairo_clip(cr);
        lamp(cr, s / 2.0, frame * s + s / 2.0, r, s / 2.0 - L.ledClearColumns, frame == 1);
        cairo_restore(cr);
    }
    return canvas.image();
}

} // namespace skingen
