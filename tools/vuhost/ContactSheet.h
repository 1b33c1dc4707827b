// The contact sheet of a rendering: a grid of frames, each with its time stamp beneath it.
#pragma once

#include "Image.h"

#include <vector>

namespace vuhost {

struct TimedFrame {
    Image image;
    int milliseconds = 0; // time of the frame since the start of the audio
};

class ContactSheet {
public:
    static constexpr int kMaxCells = 48;
    static constexpr int kColumns = 8;

    // Takes at most kMaxCells frames, evenly spaced and always with the first and the last, each
    // at half size in a grid of kColumns.
    static Image make(const std::vector<TimedFrame>& frames);
    // The indices make() picks.
    static std::vector<std::size_t> pick(std::size_t frameCount);
    // Draws a time such as "2.35 s" with its top-left corner at (x, y) in a small built-in font,
    // each font pixel `scale` pixels square; answers the width drawn.
    static int drawTime(Image& image, int x, int y, int milliseconds, int scale, std::uint32_t color);
};

} // namespace vuhost
