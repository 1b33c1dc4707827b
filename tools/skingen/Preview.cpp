// skinpreview DIR SIZE FRAME OUT.png [ZOOM X Y W H]
// Composes an editor picture from the skin in DIR (SIZE small or large) with both needles at
// FRAME, the hold needle a few frames higher, the upper LED lit and the lower label taped, for
// looking at the skin as a user would. With ZOOM and a rectangle it writes that part enlarged
// without smoothing, to inspect single pixels.
// skinpreview --crop FILE.png OUT.png ZOOM X Y W H
// Writes part of one image enlarged over a grey checkerboard, to inspect its transparency.
#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

cairo_surface_t* load(const std::string& dir, const char* name) {
    cairo_surface_t* s = cairo_image_surface_create_from_png((dir.empty() ? std::string(name) : dir + "/" + name).c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot read %s/%s\n", dir.c_str(), name);
        std::exit(1);
    }
    return s;
}

void frameAt(cairo_t* cr, cairo_surface_t* strip, int frameH, int n, double x, double y, double w) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, frameH);
    cairo_clip(cr);
    cairo_set_source_surface(cr, strip, x, y - double(n) * frameH);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace

int crop(char** argv) {
    auto* img = load("", argv[2]);
    const int zoom = std::atoi(argv[4]), x = std::atoi(argv[5]), y = std::atoi(argv[6]);
    const int w = std::atoi(argv[7]), h = std::atoi(argv[8]);
    cairo_surface_t* z = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w * zoom, h * zoom);
    cairo_t* zc = cairo_create(z);
    for (int cy = 0; cy < h * zoom; cy += 8)
        for (int cx = 0; cx < w * zoom; cx += 8) {
            const double v = ((cx + cy) / 8) % 2 ? 0.55 : 0.75;
            cairo_set_source_rgb(zc, v, v, v);
            cairo_rectangle(zc, cx, cy, 8, 8);
            cairo_fill(zc);
        }
    cairo_scale(zc, zoom, zoom);
    cairo_set_source_surface(zc, img, -x, -y);
    cairo_pattern_set_filter(cairo_get_source(zc), CAIRO_FILTER_NEAREST);
    cairo_paint(zc);
    cairo_surface_write_to_png(z, argv[3]);
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 9 && std::string(argv[1]) == "--crop")
        return crop(argv);
    if (argc != 5 && argc != 10) {
        std::fprintf(stderr, "usage: %s DIR small|large FRAME OUT.png [ZOOM X Y W H]\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const bool large = std::string(argv[2]) == "large";
    const int frame = std::atoi(argv[3]);
    auto* bg = load(dir, large ? "201-background-large.png" : "101-background-small.png");
    auto* needle = load(dir, large ? "202-needle-large.png" : "102-needle-small.png");
    auto* hold = load(dir, large ? "203-hold-needle-large.png" : "103-hold-needle-small.png");
    auto* sw1 = load(dir, "104-headroom-switch.png");
    auto* sw2 = load(dir, "105-mode-switch.png");
    auto* holdButton = load(dir, "106-hold-button.png");
    auto* label = load(dir, large ? "208-label-large.png" : "108-label-small.png");
    auto* led = load(dir, large ? "209-led-large.png" : "109-led-small.png");
    const int W = cairo_image_surface_get_width(bg), H = cairo_image_surface_get_height(bg);
    const int mw = large ? 280 : 190, mh = large ? 130 : 90;
    const int tops[2] = {large ? 60 : 53, large ? 240 : 183};
    const int ledW = large ? 40 : 28;

    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, W, H);
    cairo_t* cr = cairo_create(out);
    cairo_set_source_surface(cr, bg, 0, 0);
    cairo_paint(cr);
    for (int m = 0; m < 2; ++m) {
        const int f = m == 0 ? frame : frame / 2;
        frameAt(cr, hold, mh, f + 12 > 129 ? 129 : f + 12, 30, tops[m], mw);
        frameAt(cr, needle, mh, f, 30, tops[m], mw);
        const int ledLeft = 30 + mw - ledW + (large ? 2 : 1);
        frameAt(cr, led, ledW, m == 0 ? 1 : 0, ledLeft, tops[m] + (large ? 0 : 7), ledW);
    }
    frameAt(cr, sw1, 20, 2, 26, 1, 80);
    frameAt(cr, sw2, 20, 1, 143, 1, 60);
    frameAt(cr, holdButton, 20, 1, W - 43, 1, 40);
    (void)label;
    if (std::getenv("PREVIEW_LABEL"))
        frameAt(cr, label, large ? 30 : 20, 0, 20, large ? 195 : 153, large ? 300 : 210);

    if (argc == 10) {
        const int zoom = std::atoi(argv[5]), x = std::atoi(argv[6]), y = std::atoi(argv[7]);
        const int w = std::atoi(argv[8]), h = std::atoi(argv[9]);
        cairo_surface_t* z = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w * zoom, h * zoom);
        cairo_t* zc = cairo_create(z);
        cairo_scale(zc, zoom, zoom);
        cairo_set_source_surface(zc, out, -x, -y);
        cairo_pattern_set_filter(cairo_get_source(zc), CAIRO_FILTER_NEAREST);
        cairo_paint(zc);
        cairo_surface_write_to_png(z, argv[4]);
        cairo_destroy(zc);
        cairo_surface_destroy(z);
    } else {
        cairo_surface_write_to_png(out, argv[4]);
    }
    return 0;
}
