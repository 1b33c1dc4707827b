// Needle strips: one frame per needle position, the needle rotated about the pivot below the frame.
#include "Artwork.h"

#include <cmath>

namespace skingen {

Image drawNeedleStrip(SkinSize size, NeedleKind kind) {
    const Layout layout = layoutFor(size);
    const MeterGeometry& g = layout.meter;
    const ScaleRadii radii = scaleRadii(g);
    const double k = g.scale;
    const Rgb colour = kind == NeedleKind::Main ? rgb8(0, 0, 0) : rgb8(165, 9, 1);
    // The black needle lies over the face half transparent, so the scale shows through it; the
    // hold needle is a stronger red so that it stands out next to the moving one.
    const double strength = kind == NeedleKind::Main ? (size == SkinSize::Small ? 0.5 : 0.56) : 0.8;

    Canvas canvas(g.frameWidth, g.frameHeight * kNeedleFrameCount);
    cairo_t* cr = canvas.cr();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int n = 0; n < kNeedleFrameCount; ++n) {
        cairo_save(cr);
        cairo_translate(cr, 0, double(n) * g.frameHeight);
        cairo_rectangle(cr, 0, 0, g.frameWidth, g.frameHeight);
        cairo_clip(cr);
        // Drawn into a group so that the soft halo and the core combine into one needle whose
        // opacity is then set as a whole.
        cairo_push_group(cr);
        const Point from = g.along(n, g.pivot.y - g.frameHeight - 4); // starts below the frame
        const Point tip = g.along(n, radii.needleTip);
        setColour(cr, colour, 0.35);
        cairo_set_line_width(cr, 2.4 * k);
        cairo_move_to(cr, from.x, from.y);
        cairo_line_to(cr, tip.x, tip.y);
        cairo_stroke(cr);
        setColour(cr, colour, 1.0);
        cairo_set_line_width(cr, 1.0 * k);
        cairo_move_to(cr, from.x, from.y);
        cairo_line_to(cr, tip.x, tip.y);
        cairo_stroke(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, strength);
        cairo_restore(cr);
    }
    return canvas.image();
}

} // namespace skingen
