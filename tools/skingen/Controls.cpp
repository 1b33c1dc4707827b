// Strips of the switches and buttons on the top bar, and the invisible size button.
#include "Artwork.h"

#include <cmath>
#include <numbers>
#include <string>

namespace skingen {

namespace {

constexpr Rgb kDim = rgb8(112, 116, 116);
constexpr Rgb kBright = rgb8(250, 250, 250);

// A box cell of a strip frame; the highlighted one is brighter and drawn with a thicker line.
void box(cairo_t* cr, double x0, double y0, double x1, double y1, bool lit) {
    // Lines on whole pixels: the dim box is one pixel wide at the third pixel in from the cell's
    // edge, the lit one two pixels wide at the second and third.
    const double lw = lit ? 2.0 : 1.0;
    const double inset = lit ? 2.0 : 2.5;
    cairo_rectangle(cr, x0 + inset, y0 + inset, x1 - x0 - 2 * inset, y1 - y0 - 2 * inset);
    if (lit) {
        setColour(cr, rgb8(40, 42, 42));
        cairo_fill_preserve(cr);
    }
    setColour(cr, lit ? kBright : kDim);
    cairo_set_line_width(cr, lw);
    cairo_stroke(cr);
}

void ring(cairo_t* cr, double cx, double cy, double r, bool lit) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
    setColour(cr, lit ? kBright : kDim);
    cairo_set_line_width(cr, lit ? 1.4 : 1.0);
    cairo_stroke(cr);
}

} // namespace

Image drawHeadroomSwitch(const Fonts& fonts) {
    const char* values[] = {"12", "14", "18", "20"};
    Canvas canvas(80, 80);
    cairo_t* cr = canvas.cr();
    setColour(cr, rgb8(0, 0, 0));
    cairo_paint(cr);
    for (int frame = 0; frame < 4; ++frame) {
        for (int cell = 0; cell < 4; ++cell) {
            const bool lit = cell == frame;
            const double x0 = cell * 20, y0 = frame * 20;
            box(cr, x0, y0, x0 + 20, y0 + 20, lit);
            fonts.use(cr, lit ? Face::SansBold : Face::Sans, 9);
            setColour(cr, lit ? kBright : kDim);
            drawText(cr, values[cell], x0 + 10, y0 + 10);
        }
    }
    return canvas.image();
}

Image drawModeSwitch() {
    Canvas canvas(60, 60);
    cairo_t* cr = canvas.cr();
    setColour(cr, rgb8(0, 0, 0));
    cairo_paint(cr);
    for (int frame = 0; frame < 3; ++frame) {
        for (int cell = 0; cell < 3; ++cell) {
            const bool lit = cell == frame;
            const double x0 = cell * 20, y0 = frame * 20, cx = x0 + 10, cy = y0 + 10;
            box(cr, x0, y0, x0 + 20, y0 + 20, lit);
            if (cell == 0) { // mono: one ring
                ring(cr, cx, cy, 4.0, lit);
            } else if (cell == 1) { // left and right: two rings side by side
                ring(cr, cx - 3.3, cy, 2.5, lit);
                ring(cr, cx + 3.3, cy, 2.5, lit);
            } else { // three interlaced rings
                for (int i = 0; i < 3; ++i) {
                    const double a = -std::numbers::pi / 2 + i * 2 * std::numbers::pi / 3;
                    ring(cr, cx + 2.2 * std::cos(a), cy + 0.4 + 2.2 * std::sin(a), 2.6, lit);
                }
            }
        }
    }
    return canvas.image();
}

Image drawHoldButton(const Fonts& fonts) {
    Canvas canvas(40, 40);
    cairo_t* cr = canvas.cr();
    setColour(cr, rgb8(0, 0, 0));
    cairo_paint(cr);
    for (int frame = 0; frame < 2; ++frame) {
        const bool lit = frame == 1;
        box(cr, 0, frame * 20, 40, frame * 20 + 20, lit);
        fonts.use(cr, lit ? Face::SansBold : Face::Sans, 9);
        setColour(cr, lit ? kBright : kDim);
        drawText(cr, "HOLD", 20, frame * 20 + 10);
    }
    return canvas.image();
}

Image drawSizeButton() {
    // An invisible click area: every pixel of both frames fully transparent.
    return Canvas(50, 40).image();
}

} // namespace skingen
