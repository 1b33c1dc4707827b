// The typefaces of the skin, loaded from the files of Debian's font packages. Loading by file
// rather than by family name means a missing package stops the program instead of letting a
// substitute face slip into the images.
#pragma once

#include <cairo.h>

#include <string>

namespace skingen {

enum class Face {
    Sans,          // Liberation Sans: scale numbers, captions
    SansBold,      // Liberation Sans Bold: VU, channel letters, highlighted switch text
    Condensed,     // DejaVu Sans Condensed Bold: top-bar captions, model designation
    Handwriting,   // Dancing Script: the default caption between the meters
};

class Fonts {
public:
    Fonts();
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    // Selects the face at the given pixel size, with fixed rendering options so that every run
    // draws the same pixels.
    void use(cairo_t* cr, Face face, double pixelSize) const;

private:
    struct Impl;
    Impl* impl_;
};

enum class Align { Left, Centre, Right };

// Draws one line of text whose ink box is centred vertically on y and placed horizontally at x
// according to align (by its ink box, so that digits of different width line up as printed).
void drawText(cairo_t* cr, const std::string& text, double x, double y, Align align = Align::Centre);

} // namespace skingen
