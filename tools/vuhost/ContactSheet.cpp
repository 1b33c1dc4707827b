#include "ContactSheet.h"

#include <algorithm>
#include <string>

namespace vuhost {

namespace {

constexpr std::uint32_t kBackground = 0xFF202020u;
constexpr std::uint32_t kText = 0xFFE8E8E8u;
constexpr int kGap = 6;
constexpr int kFontScale = 2;
constexpr int kGlyphWidth = 3, kGlyphHeight = 5;

// 3 x 5 glyphs, one row per entry, the top bit of three on the left.
const unsigned char* glyph(char c) {
    static const unsigned char digits[10][5] = {
        {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
        {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};
    static const unsigned char dot[5] = {0, 0, 0, 0, 2};
    static const unsigned char s[5] = {3, 4, 2, 1, 6};
    static const unsigned char space[5] = {0, 0, 0, 0, 0};
    if (c >= '0' && c <= '9') return digits[c - '0'];
    if (c == '.') return dot;
    if (c == 's') return s;
    return space;
}

std::string timeText(int milliseconds) {
    const int hundredths = (std::max(0, milliseconds) + 5) / 10;
    std::string cents = std::to_string(hundredths % 100);
    if (cents.size() < 2) cents = "0" + cents;
    return std::to_string(hundredths / 100) + "." + cents + " s";
}

} // namespace

int ContactSheet::drawTime(Image& image, int x, int y, int milliseconds, int scale,
                           std::uint32_t color) {
    const std::string text = timeText(milliseconds);
    int pen = x;
    for (char c : text) {
        const unsigned char* rows = glyph(c);
        for (int r = 0; r < kGlyphHeight; ++r)
            for (int col = 0; col < kGlyphWidth; ++col)
                if (rows[r] & (4 >> col)) image.fill(pen + col * scale, y + r * scale, scale, scale, color);
        pen += (kGlyphWidth + 1) * scale;
    }
    return pen - x;
}

std::vector<std::size_t> ContactSheet::pick(std::size_t frameCount) {
    std::vector<std::size_t> chosen;
    if (frameCount <= std::size_t(kMaxCells)) {
        for (std::size_t i = 0; i < frameCount; ++i) chosen.push_back(i);
        return chosen;
    }
    for (std::size_t cell = 0; cell < std::size_t(kMaxCells); ++cell)
        chosen.push_back(cell * (frameCount - 1) / (std::size_t(kMaxCells) - 1));
    return chosen;
}

Image ContactSheet::make(const std::vector<TimedFrame>& frames) {
    const std::vector<std::size_t> chosen = pick(frames.size());
    int cellWidth = 1, cellHeight = 1;
    for (std::size_t i : chosen) {
        cellWidth = std::max(cellWidth, frames[i].image.width / 2);
        cellHeight = std::max(cellHeight, frames[i].image.height / 2);
    }
    const int labelHeight = kGlyphHeight * kFontScale + 2 * kGap / 2;
    const int columns = std::max(1, std::min(kColumns, int(chosen.size())));
    const int rows = std::max(1, (int(chosen.size()) + columns - 1) / columns);
    Image sheet(kGap + columns * (cellWidth + kGap), kGap + rows * (cellHeight + labelHeight + kGap),
                kBackground);
    for (std::size_t n = 0; n < chosen.size(); ++n) {
        const TimedFrame& frame = frames[chosen[n]];
        const int x = kGap + int(n % std::size_t(columns)) * (cellWidth + kGap);
        const int y = kGap + int(n / std::size_t(columns)) * (cellHeight + labelHeight + kGap);
        sheet.paste(frame.image.halved(), x, y);
        drawTime(sheet, x, y + cellHeight + kGap / 2, frame.milliseconds, kFontScale, kText);
    }
    return sheet;
}

} // namespace vuhost
