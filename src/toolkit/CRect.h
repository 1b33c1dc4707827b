// Integer pixel geometry: points and rectangles (right and bottom exclusive, y grows downwards).
#pragma once

#include <algorithm>
#include <cstdint>

namespace toolkit {

struct CPoint {
    int32_t x = 0;
    int32_t y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int32_t px, int32_t py) : x(px), y(py) {}
    constexpr CPoint& offset(int32_t dx, int32_t dy) {
        x += dx;
        y += dy;
        return *this;
    }
    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
};

struct CRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int32_t l, int32_t t, int32_t r, int32_t b)
        : left(l), top(t), right(r), bottom(b) {}

    constexpr int32_t width() const { return right - left; }
    constexpr int32_t height() const { return bottom - top; }
    constexpr CPoint topLeft() const { return {left, top}; }

    constexpr CRect& offset(int32_t dx, int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }

    // Moves every edge inside `other`; an inverted result collapses to zero width or height.
    constexpr CRect& bound(const CRect& other) {
        left = std::max(left, other.left);
        top = std::max(top, other.top);
        right = std::min(right, other.right);
        bottom = std::min(bottom, other.bottom);
        if (bottom < top) bottom = top;
        if (right < left) right = left;
        return *this;
    }

    // Edges inclusive: rectangles that only touch overlap.
    constexpr bool rectOverlap(const CRect& other) const {
        return right >= other.left && left <= other.right && bottom >= other.top &&
               top <= other.bottom;
    }

    // All four edges count as inside.
    constexpr bool pointInside(const CPoint& p) const {
        return left <= p.x && p.x <= right && top <= p.y && p.y <= bottom;
    }

    constexpr bool isEmpty() const { return width() <= 0 || height() <= 0; }

    friend constexpr bool operator==(const CRect&, const CRect&) = default;
};

} // namespace toolkit
