// The editor backgrounds: panel, top bar, two meter faces with their printed scales, the default
// caption and the model designation.
#include "Artwork.h"

#include <cmath>
#include <numbers>
#include <string>

namespace skingen {

namespace {

constexpr Rgb kPanel = rgb8(29, 65, 68);
constexpr Rgb kFace = rgb8(226, 188, 88);
constexpr Rgb kInk = rgb8(20, 16, 10);
constexpr Rgb kRed = rgb8(196, 24, 16);

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// Cairo measures arc angles from the x axis, clockwise on screen; the needle's are from vertical.
double arcAngle(double frame) { return radians(needleDegrees(frame) - 90.0); }

void roundedRect(cairo_t* cr, double x0, double y0, double x1, double y1, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1 - r, y0 + r, r, -std::numbers::pi / 2, 0);
    cairo_arc(cr, x1 - r, y1 - r, r, 0, std::numbers::pi / 2);
    cairo_arc(cr, x0 + r, y1 - r, r, std::numbers::pi / 2, std::numbers::pi);
    cairo_arc(cr, x0 + r, y0 + r, r, std::numbers::pi, 1.5 * std::numbers::pi);
    cairo_close_path(cr);
}

void tick(cairo_t* cr, const MeterGeometry& g, double frame, double r0, double r1, double width) {
    const Point a = g.along(frame, r0);
    const Point b = g.along(frame, r1);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_stroke(cr);
}

void screw(cairo_t* cr, double cx, double cy, double r, double slotDegrees) {
    // Recess shadow, then the domed head lit from the upper left, then the slot.
    cairo_arc(cr, cx + 0.4, cy + 0.6, r + 0.9, 0, 2 * std::numbers::pi);
    setColour(cr, rgb8(8, 22, 24), 0.8);
    cairo_fill(cr);
    cairo_pattern_t* head = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(head, 0, 0.86, 0.87, 0.86);
    cairo_pattern_add_color_stop_rgb(head, 0.6, 0.58, 0.60, 0.60);
    cairo_pattern_add_color_stop_rgb(head, 1, 0.30, 0.32, 0.32);
    cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
    cairo_set_source(cr, head);
    cairo_fill(cr);
    cairo_pattern_destroy(head);
    const double a = radians(slotDegrees);
    const double dx = std::cos(a) * r * 0.85, dy = std::sin(a) * r * 0.85;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, std::max(1.1, r * 0.28));
    setColour(cr, rgb8(35, 36, 36));
    cairo_move_to(cr, cx - dx, cy - dy);
    cairo_line_to(cr, cx + dx, cy + dy);
    cairo_stroke(cr);
    // The slot's lit lower edge.
    cairo_set_line_width(cr, 0.6);
    setColour(cr, rgb8(200, 202, 200), 0.5);
    cairo_move_to(cr, cx - dx - std::sin(a) * 0.8, cy - dy + std::cos(a) * 0.8);
    cairo_line_to(cr, cx + dx - std::sin(a) * 0.8, cy + dy + std::cos(a) * 0.8);
    cairo_stroke(cr);
}

// One meter face, drawn in the coordinates of the meter's rectangle (the needle frame).
void drawFace(cairo_t* cr, const Layout& layout, const Fonts& fonts, const char* channel) {
    const MeterGeometry& g = layout.meter;
    const ScaleRadii r = scaleRadii(g);
    const double k = g.scale;
    const double w = g.frameWidth, h = g.frameHeight;

    // Bezel: a dark recess around the face with a faint lit lower edge on the panel.
    roundedRect(cr, -5, -5, w + 5, h + 5, 5);
    setColour(cr, rgb8(70, 110, 112), 0.55);
    cairo_fill(cr);
    roundedRect(cr, -5, -5, w + 5, h + 4, 5);
    setColour(cr, rgb8(6, 14, 15));
    cairo_fill(cr);

    // The cream face, a little lighter towards the middle as under a lamp.
    roundedRect(cr, -3, -3, w + 3, h + 3, 3);
    cairo_pattern_t* face = cairo_pattern_create_radial(g.pivot.x, g.pivot.y - 40 * k, 10 * k,
                                                        g.pivot.x, g.pivot.y - 40 * k, 150 * k);
    cairo_pattern_add_color_stop_rgb(face, 0, 232 / 255.0, 196 / 255.0, 98 / 255.0);
    cairo_pattern_add_color_stop_rgb(face, 1, 216 / 255.0, 177 / 255.0, 78 / 255.0);
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    // Inner shadow along the top edge of the recess.
    cairo_save(cr);
    cairo_clip(cr);
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, -3, 0, 4 * k);
    cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, 0.35);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0);
    cairo_set_source(cr, shade);
    cairo_paint(cr);
    cairo_pattern_destroy(shade);
    cairo_restore(cr);

    const double zero = frameForDb(0);
    const double end = kNeedleFrames.back();

    // The red band from 0 VU to the end of the scale.
    setColour(cr, kRed);
    cairo_new_path(cr);
    cairo_arc(cr, g.pivot.x, g.pivot.y, r.arc + r.band, arcAngle(zero), arcAngle(end + 1.5));
    cairo_arc_negative(cr, g.pivot.x, g.pivot.y, r.arc, arcAngle(end + 1.5), arcAngle(zero));
    cairo_close_path(cr);
    cairo_fill(cr);

    // Scale line from the first mark to 0 VU.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    setColour(cr, kInk);
    cairo_set_line_width(cr, 0.9 * k);
    cairo_new_path(cr);
    cairo_arc(cr, g.pivot.x, g.pivot.y, r.arc + 0.45 * k, arcAngle(kNeedleFrames[0]), arcAngle(zero));
    cairo_stroke(cr);

    // Long ticks and numbers at the marks (the +3.5 end has no number of its own).
    const char* names[] = {"20", "10", "7", "5", "3", "2", "1", "0", "1", "2", "3", nullptr};
    fonts.use(cr, Face::Sans, 9.5 * k);
    for (std::size_t i = 0; i + 1 < kScaleMarksDb.size(); ++i) {
        const bool red = kScaleMarksDb[i] >= 0;
        setColour(cr, red ? kRed : kInk);
        const double frame = frameForDb(kScaleMarksDb[i]);
        tick(cr, g, frame, r.arc, r.majorTick + (red ? 0.5 * k : 0), (i == 7 ? 1.4 : 1.0) * k);
        std::string text = names[i];
        const Point at = g.along(frame, r.numbers);
        drawText(cr, text, at.x, at.y);
        if (i == 0) { // the minus sign of -20, set before the number as printed scales do
            cairo_text_extents_t ext;
            cairo_text_extents(cr, text.c_str(), &ext);
            cairo_set_line_width(cr, 0.9 * k);
            cairo_move_to(cr, at.x - ext.width / 2 - 4.4 * k, at.y);
            cairo_line_to(cr, at.x - ext.width / 2 - 1.0 * k, at.y);
            cairo_stroke(cr);
        }
        if (i == 10) { // "3+"
            cairo_text_extents_t ext;
            cairo_text_extents(cr, text.c_str(), &ext);
            const double px = at.x + ext.width / 2 + 3.4 * k;
            cairo_set_line_width(cr, 0.9 * k);
            cairo_move_to(cr, px - 2.1 * k, at.y);
            cairo_line_to(cr, px + 2.1 * k, at.y);
            cairo_move_to(cr, px, at.y - 2.1 * k);
            cairo_line_to(cr, px, at.y + 2.1 * k);
            cairo_stroke(cr);
        }
    }
    // Short ticks between the marks.
    const double minors[] = {-15, -9, -8, -6, -4, -2.5, -1.5, -0.5, 0.5, 1.5, 2.5, 3.5};
    for (double db : minors) {
        setColour(cr, db >= 0 ? kRed : kInk);
        tick(cr, g, frameForDb(db), r.arc, db >= 0 ? r.arc + r.band + 1.2 * k : r.minorTick, 0.8 * k);
    }

    // Percentage scale under the arc: where the needle stands for that fraction of the 0 VU level.
    setColour(cr, kInk);
    cairo_set_line_width(cr, 0.7 * k);
    cairo_new_path(cr);
    cairo_arc(cr, g.pivot.x, g.pivot.y, r.percentArc, arcAngle(0), arcAngle(zero));
    cairo_stroke(cr);
    fonts.use(cr, Face::Sans, 6.6 * k);
    for (int p = 0; p <= 100; p += 10) {
        const double frame = frameForPercent(p);
        const bool major = p % 20 == 0;
        tick(cr, g, frame, major ? r.percentTick - 1.0 * k : r.percentTick + 1.5 * k, r.percentArc,
             (major ? 0.9 : 0.7) * k);
        if (major) {
            const Point at = g.along(frame, r.percentNumbers);
            drawText(cr, std::to_string(p), at.x, at.y);
        }
    }
    const Point pc = g.along(frameForPercent(100) + 11, r.percentNumbers);
    drawText(cr, "%", pc.x, pc.y);

    // VU in the middle, the channel at the lower left.
    fonts.use(cr, Face::SansBold, 17 * k);
    setColour(cr, kInk);
    drawText(cr, "VU", g.pivot.x, h - 22 * k);
    fonts.use(cr, Face::SansBold, 11 * k);
    drawText(cr, channel, 11 * k, h - 10 * k);

    // Socket of the peak lamp in the upper right corner.
    const double ledX = w - layout.ledWidth + layout.ledLeftInset + layout.ledWidth / 2.0;
    const double ledY = layout.ledTopOffset + layout.ledWidth / 2.0;
    const double lampR = (layout.ledWidth == 28 ? 5.0 : 6.5);
    cairo_arc(cr, ledX, ledY, lampR + 2.2 * k, 0, 2 * std::numbers::pi);
    setColour(cr, rgb8(120, 96, 40), 0.55);
    cairo_fill(cr);
    cairo_arc(cr, ledX, ledY, lampR + 1.0 * k, 0, 2 * std::numbers::pi);
    setColour(cr, rgb8(40, 30, 14));
    cairo_fill(cr);
    fonts.use(cr, Face::Sans, 5.5 * k);
    setColour(cr, kInk);
    drawText(cr, "PEAK", ledX, ledY + lampR + 6.5 * k);
}

} // namespace

Image drawBackground(SkinSize size, const Fonts& fonts) {
    const Layout L = layoutFor(size);
    const double k = L.meter.scale;
    Canvas canvas(L.width, L.height);
    cairo_t* cr = canvas.cr();

    // Panel, faintly lighter at the top as if lit from above.
    cairo_pattern_t* panel = cairo_pattern_create_linear(0, 0, 0, L.height);
    cairo_pattern_add_color_stop_rgb(panel, 0, 33 / 255.0, 72 / 255.0, 75 / 255.0);
    cairo_pattern_add_color_stop_rgb(panel, 1, 26 / 255.0, 59 / 255.0, 62 / 255.0);
    cairo_set_source(cr, panel);
    cairo_paint(cr);
    cairo_pattern_destroy(panel);

    // Top bar, rows 0 to 20, edged below by a grey line.
    setColour(cr, rgb8(0, 0, 0));
    cairo_rectangle(cr, 0, 0, L.width, 21);
    cairo_fill(cr);
    setColour(cr, rgb8(128, 132, 132));
    cairo_rectangle(cr, 0, 21, L.width, 1);
    cairo_fill(cr);
    fonts.use(cr, Face::Condensed, 8.5);
    setColour(cr, rgb8(176, 180, 178));
    drawText(cr, "REF", 23, 11, Align::Right);
    drawText(cr, "MODE", 140, 11, Align::Right);

    // Corner screws.
    const double sr = 4.5 * k;
    const double sx = 11 * k, syTop = 22 + 11 * k, syBottom = L.height - 11 * k;
    screw(cr, sx, syTop, sr, 28);
    screw(cr, L.width - sx, syTop, sr, -52);
    screw(cr, sx, syBottom, sr, 71);
    screw(cr, L.width - sx, syBottom, sr, 9);

    // The two faces.
    const struct {
        int top;
        const char* channel;
    } meters[] = {{L.upperMeterTop, "L"}, {L.lowerMeterTop, "R"}};
    for (const auto& m : meters) {
        cairo_save(cr);
        cairo_translate(cr, L.meterLeft, m.top);
        drawFace(cr, L, fonts, m.channel);
        cairo_restore(cr);
    }

    // Default caption between the faces, shown while the label holds no text.
    // The script's loops reach far above and below its letters: the caption is sized so that its
    // ink stays inside the label's rectangle, where the tape hides it.
    const double labelHeight = L.labelBottom - L.labelTop;
    double captionSize = labelHeight * 1.05;
    fonts.use(cr, Face::Handwriting, captionSize);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, "Marrowdyne", &ext);
    if (ext.height > labelHeight - 3)
        captionSize *= (labelHeight - 3) / ext.height;
    fonts.use(cr, Face::Handwriting, captionSize);
    setColour(cr, rgb8(236, 226, 186));
    drawText(cr, "Marrowdyne", (L.labelLeft + L.labelRight) / 2.0, (L.labelTop + L.labelBottom) / 2.0);

    // Model designation where the invisible size button lies.
    fonts.use(cr, Face::Condensed, 8 * k);
    setColour(cr, rgb8(170, 182, 180));
    drawText(cr, "RV47-T", (L.sizeButtonLeft + L.sizeButtonRight) / 2.0,
             (L.sizeButtonTop + L.sizeButtonBottom) / 2.0);

    return canvas.image();
}

} // namespace skingen
