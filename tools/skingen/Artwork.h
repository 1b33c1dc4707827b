// The drawings of the skin, one function per image of the catalogue.
#pragma once

#include "Canvas.h"
#include "Fonts.h"
#include "MeterGeometry.h"

namespace skingen {

enum class SkinSize { Small, Large };

// The editor's layout for one size, in background pixels.
struct Layout {
    int width, height;
    int meterLeft, upperMeterTop, lowerMeterTop;
    int labelLeft, labelTop, labelRight, labelBottom;
    int sizeButtonLeft, sizeButtonTop, sizeButtonRight, sizeButtonBottom;
    int ledWidth;      // one LED frame is ledWidth x ledWidth
    int ledLeftInset;  // LED left = meter right - ledWidth + ledLeftInset
    int ledTopOffset;  // LED top = meter top + ledTopOffset
    int ledClearColumns;
    MeterGeometry meter;
};

Layout layoutFor(SkinSize size);


// The needle at a frame's angle as the strips show it, in the colour given.
enum class NeedleKind { Main, Hold };

Image drawBackground(SkinSize size, const Fonts& fonts);
Image drawNeedleStrip(SkinSize size, NeedleKind kind);
Image drawHeadroomSwitch(const Fonts& fonts);
Image drawModeSwitch();
Image drawHoldButton(const Fonts& fonts);
Image drawSizeButton();
Image drawLabelStrip(SkinSize size);
Image drawLedStrip(SkinSize size);

} // namespace skingen
