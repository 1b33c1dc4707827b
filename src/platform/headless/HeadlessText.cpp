// Single-line text with FreeType; faces are found by name through fontconfig, which substitutes a
// metric-compatible face (Liberation Sans for "Arial") the way the platform's font mapper does.
#include "platform/headless/HeadlessObjects.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>

namespace platform {

struct FontFace {
    FT_Face face = nullptr;
    bool boldFile = false;   // the file itself is bold
    bool italicFile = false; // the file itself is slanted
};

namespace {

struct FaceCache {
    FT_Library library = nullptr;
    FcConfig* config = nullptr; // our own, so that nothing of it outlives the process's end
    std::map<std::tuple<std::string, int, bool, bool, bool>, std::unique_ptr<FontFace>> faces;
    std::mutex mutex;

    FaceCache() {
        if (FT_Init_FreeType(&library) != 0) library = nullptr;
        config = FcInitLoadConfigAndFonts();
    }
    ~FaceCache() {
        for (auto& entry : faces)
            if (entry.second->face) FT_Done_Face(entry.second->face);
        if (library) FT_Done_FreeType(library);
        if (config) FcConfigDestroy(config);
    }
};

FaceCache& cache() {
    static FaceCache instance;
    return instance;
}

FontFace* loadFace(FaceCache& c, const char* family, int weight, bool italic, bool decorative,
                   bool fixedPitch) {
    auto result = std::make_unique<FontFace>();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    // The generic family as a fallback, as the platform does for unknown faces; a fixed-pitch
    // request falls back on a monospaced face.
    const char* generic = fixedPitch ? "monospace" : (decorative ? "serif" : "sans-serif");
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(generic));
    if (fixedPitch) FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
    FcPatternAddInteger(pattern, FC_WEIGHT, weight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(c.config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult matchResult = FcResultNoMatch;
    FcPattern* match = c.config ? FcFontMatch(c.config, pattern, &matchResult) : nullptr;
    FcPatternDestroy(pattern);
    if (match) {
        FcChar8* file = nullptr;
        int index = 0, fileWeight = FC_WEIGHT_REGULAR, fileSlant = FC_SLANT_ROMAN;
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &fileWeight);
        FcPatternGetInteger(match, FC_SLANT, 0, &fileSlant);
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && c.library) {
            FT_Face face = nullptr;
            if (FT_New_Face(c.library, reinterpret_cast<const char*>(file), index, &face) == 0) {
                result->face = face;
                result->boldFile = fileWeight >= FC_WEIGHT_DEMIBOLD;
                result->italicFile = fileSlant != FC_SLANT_ROMAN;
            }
        }
        FcPatternDestroy(match);
    }
    return result.release();
}

// Windows-1252 bytes to Unicode: 0x80..0x9F hold typographic characters, the rest is Latin-1.
unsigned toUnicode(unsigned char c) {
    static const unsigned short high[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    return c >= 0x80 && c < 0xA0 ? high[c - 0x80] : c;
}

inline uint32_t blendChannel(uint32_t text, uint32_t dst, uint32_t coverage) {
    return (text * coverage + dst * (255 - coverage) + 127) / 255;
}

} // namespace

namespace headless_detail {

FontFace* findFace(const char* family, int weight, bool italic, bool decorative, bool fixedPitch) {
    FaceCache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    auto key = std::make_tuple(std::string(family ? family : ""), weight >= 600 ? 700 : 400, italic,
                               decorative, fixedPitch);
    auto found = c.faces.find(key);
    if (found != c.faces.end()) return found->second.get();
    FontFace* face = loadFace(c, std::get<0>(key).c_str(), weight, italic, decorative, fixedPitch);
    c.faces.emplace(key, std::unique_ptr<FontFace>(face));
    return face;
}

void renderText(SurfaceObject& s, const FontObject& font, const char* text, const IRect& rect,
                TextAlign align) {
    FontFace* ff = font.face;
    std::lock_guard<std::mutex> lock(cache().mutex);
    int ascent = font.pixelHeight, descent = font.pixelHeight / 4;
    FT_Face face = ff ? ff->face : nullptr;
    if (face) {
        FT_Set_Pixel_Sizes(face, 0, FT_UInt(std::max(1, font.pixelHeight)));
        ascent = int((face->size->metrics.ascender + 32) >> 6);
        descent = int((-face->size->metrics.descender + 32) >> 6);
    }
    const FT_Int32 loadFlags = FT_LOAD_DEFAULT;
    const int emboldenPixels = font.syntheticBold ? 1 : 0;

    // Width of the line: the sum of the glyph advances.
    int width = 0;
    for (const char* p = text; *p; ++p) {
        if (face && FT_Load_Char(face, toUnicode(static_cast<unsigned char>(*p)), loadFlags) == 0)
            width += int((face->glyph->advance.x + 32) >> 6) + emboldenPixels;
    }
    const int lineHeight = ascent + descent;
    int x = rect.left;
    if (align == TextAlign::Center) x = rect.left + (rect.width() - width) / 2;
    else if (align == TextAlign::Right) x = rect.right - width;
    const int top = rect.top + (rect.height() - lineHeight) / 2;
    const int baseline = top + ascent;

    // The text is cut off at the rectangle's edges and the surface's clip.
    IRect area = s.drawable();
    area.left = std::max(area.left, rect.left);
    area.top = std::max(area.top, rect.top);
    area.right = std::min(area.right, rect.right);
    area.bottom = std::min(area.bottom, rect.bottom);
    if (area.right <= area.left || area.bottom <= area.top) return;

    if (!s.transparentText)
        fillPixels(s, {x, top, x + width, top + lineHeight}, toPixel(s.textBackground));

    const uint32_t color = toPixel(s.textColor);
    const uint32_t tr = (color >> 16) & 0xFF, tg = (color >> 8) & 0xFF, tb = color & 0xFF;
    auto plot = [&](int px, int py, uint32_t coverage) {
        if (px < area.left || px >= area.right || py < area.top || py >= area.bottom) return;
        if (coverage == 0) return;
        uint32_t& d = s.target->row(py)[px];
        d = 0xFF000000u | (blendChannel(tr, (d >> 16) & 0xFF, coverage) << 16) |
            (blendChannel(tg, (d >> 8) & 0xFF, coverage) << 8) |
            blendChannel(tb, d & 0xFF, coverage);
    };

    int penX = x;
    for (const char* p = text; *p && face; ++p) {
        if (FT_Load_Char(face, toUnicode(static_cast<unsigned char>(*p)), loadFlags | FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot g = face->glyph;
        const FT_Bitmap& bm = g->bitmap;
        const int originX = penX + g->bitmap_left, originY = baseline - g->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row) {
            const int py = originY + int(row);
            const int slant = font.syntheticItalic ? (baseline - py) / 4 : 0;
            const unsigned char* src = bm.buffer + ptrdiff_t(row) * bm.pitch;
            for (unsigned col = 0; col < bm.width; ++col) {
                uint32_t coverage = 0;
                if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) coverage = src[col];
                else if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    coverage = (src[col >> 3] & (0x80 >> (col & 7))) ? 255 : 0;
                for (int b = 0; b <= emboldenPixels; ++b)
                    plot(originX + int(col) + slant + b, py, coverage);
            }
        }
        penX += int((g->advance.x + 32) >> 6) + emboldenPixels;
    }
    if (font.underline) {
        const int underlineY = baseline + std::max(1, descent / 2);
        for (int px = x; px < x + width; ++px) plot(px, underlineY, 255);
    }
}

} // namespace headless_detail

Object createFont(const FontDescription& d) {
    auto* font = new FontObject;
    font->face = headless_detail::findFace(d.face, d.weight, d.italic, d.decorative, d.fixedPitch);
    font->pixelHeight = d.pixelHeight > 0 ? d.pixelHeight : (d.pixelHeight < 0 ? -d.pixelHeight : 12);
    font->underline = d.underline;
    if (font->face) {
        font->syntheticBold = d.weight >= 600 && !font->face->boldFile;
        font->syntheticItalic = d.italic && !font->face->italicFile;
    }
    return font;
}

} // namespace platform
