// skingen OUTPUT_DIR: draws every image of the editor's skin and writes it as PNG.
#include "Artwork.h"
#include "PngWriter.h"

#include <cairo.h>

#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <functional>
#include <string>

using namespace skingen;

namespace {

struct Entry {
    int id;
    const char* name;
    Storage storage;
    std::function<Image(const Fonts&)> draw;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    try {
        const Fonts fonts;
        const Entry entries[] = {
            {101, "background-small", Storage::Opaque, [](const Fonts& f) { return drawBackground(SkinSize::Small, f); }},
            {102, "needle-small", Storage::Palette, [](const Fonts&) { return drawNeedleStrip(SkinSize::Small, NeedleKind::Main); }},
            {103, "hold-needle-small", Storage::Palette, [](const Fonts&) { return drawNeedleStrip(SkinSize::Small, NeedleKind::Hold); }},
            {104, "headroom-switch", Storage::Opaque, [](const Fonts& f) { return drawHeadroomSwitch(f); }},
            {105, "mode-switch", Storage::Opaque, [](const Fonts&) { return drawModeSwitch(); }},
            {106, "hold-button", Storage::Opaque, [](const Fonts& f) { return drawHoldButton(f); }},
            {107, "size-button", Storage::TrueColourAlpha, [](const Fonts&) { return drawSizeButton(); }},
            {108, "label-small", Storage::Palette, [](const Fonts&) { return drawLabelStrip(SkinSize::Small); }},
            {109, "led-small", Storage::Palette, [](const Fonts&) { return drawLedStrip(SkinSize::Small); }},
            {201, "background-large", Storage::Opaque, [](const Fonts& f) { return drawBackground(SkinSize::Large, f); }},
            {202, "needle-large", Storage::Palette, [](const Fonts&) { return drawNeedleStrip(SkinSize::Large, NeedleKind::Main); }},
            {203, "hold-needle-large", Storage::Palette, [](const Fonts&) { return drawNeedleStrip(SkinSize::Large, NeedleKind::Hold); }},
            {208, "label-large", Storage::Palette, [](const Fonts&) { return drawLabelStrip(SkinSize::Large); }},
            {209, "led-large", Storage::Palette, [](const Fonts&) { return drawLedStrip(SkinSize::Large); }},
        };
        std::string rc = "// The editor skin as module resources of type PNG, by number.\n"
                         "// Written by tools/skingen together with the images; do not edit.\n"
                         "#include <winresrc.h>\n\nLANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n\n";
        for (const Entry& e : entries) {
            const std::string file = std::to_string(e.id) + "-" + e.name + ".png";
            writePng(dir + "/" + file, e.draw(fonts), e.storage);
            rc += std::to_string(e.id) + " PNG \"" + file + "\"\n";
            std::printf("%s/%s\n", dir.c_str(), file.c_str());
        }
        std::ofstream script(dir + "/skin.rc", std::ios::binary);
        script << rc;
        if (!script)
            throw std::runtime_error("cannot write " + dir + "/skin.rc");
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "skingen: %s\n", ex.what());
        return 1;
    }
    return 0;
}
