#include "Fonts.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <stdexcept>

namespace skingen {

namespace {

struct FontFile {
    const char* path;
    const char* package;
};

// Indexed by Face.
constexpr std::array<FontFile, 4> kFontFiles{{
    {"/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf", "fonts-liberation2"},
    {"/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf", "fonts-liberation2"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf", "fonts-dejavu-core"},
    {"/usr/share/fonts/opentype/dancingscript/DancingScript-Regular.otf", "fonts-dancingscript"},
}};

} // namespace

struct Fonts::Impl {
    FT_Library library = nullptr;
    std::array<FT_Face, kFontFiles.size()> ftFaces{};
    std::array<cairo_font_face_t*, kFontFiles.size()> faces{};
    cairo_font_options_t* options = nullptr;
};

Fonts::Fonts() : impl_(new Impl) {
    if (FT_Init_FreeType(&impl_->library) != 0)
        throw std::runtime_error("cannot initialise FreeType");
    for (std::size_t i = 0; i < kFontFiles.size(); ++i) {
        if (FT_New_Face(impl_->library, kFontFiles[i].path, 0, &impl_->ftFaces[i]) != 0) {
            delete impl_;
            throw std::runtime_error(std::string("font file missing: ") + kFontFiles[i].path +
                                     " (install the Debian package " + kFontFiles[i].package + ")");
        }
        impl_->faces[i] = cairo_ft_font_face_create_for_ft_face(impl_->ftFaces[i], 0);
        // cairo may keep the face in its caches after we let go of it: it frees the FreeType
        // face itself when the last reference goes.
        static cairo_user_data_key_t key;
        cairo_font_face_set_user_data(impl_->faces[i], &key, impl_->ftFaces[i],
                                      [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
    }
    impl_->options = cairo_font_options_create();
    cairo_font_options_set_antialias(impl_->options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(impl_->options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(impl_->options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_subpixel_order(impl_->options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
}

Fonts::~Fonts() {
    cairo_font_options_destroy(impl_->options);
    for (auto* f : impl_->faces)
        cairo_font_face_destroy(f);
    // The FreeType library stays: faces cached by cairo may still need it until the process ends.
    delete impl_;
}

void Fonts::use(cairo_t* cr, Face face, double pixelSize) const {
    cairo_set_font_face(cr, impl_->faces[static_cast<std::size_t>(face)]);
    cairo_set_font_size(cr, pixelSize);
    cairo_set_font_options(cr, impl_->options);
}

void drawText(cairo_t* cr, const std::string& text, double x, double y, Align align) {
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    double left = x - ext.x_bearing - ext.width / 2;
    if (align == Align::Left)
        left = x - ext.x_bearing;
    else if (align == Align::Right)
        left = x - ext.x_bearing - ext.width;
    const double baseline = y - ext.y_bearing - ext.height / 2;
    cairo_move_to(cr, left, baseline);
    cairo_show_text(cr, text.c_str());
}

} // namespace skingen
