#include "toolkit/CDrawContext.h"

#include "platform/Input.h"
#include "toolkit/CFrame.h"
#include "toolkit/MouseState.h"

namespace toolkit {

const CStandardFont kStandardFonts[kNumStandardFonts] = {
    {"Arial", 12, false}, {"Arial", 18, false}, {"Arial", 14, false}, {"Arial", 12, false},
    {"Arial", 11, false}, {"Arial", 10, false}, {"Arial", 9, false},  {"Symbol", 13, true},
};

namespace {
platform::IRect toPlatform(const CRect& r) { return {r.left, r.top, r.right, r.bottom}; }
} // namespace

CDrawContext::CDrawContext(CFrame* frame, platform::Surface surface, platform::Window win)
    : systemContext(surface), window(win), ownerFrame(frame) {
    if (frame) frame->getViewRect(clipRect);
    else clipRect = CRect(0, 0, 1000, 1000);

    if (!systemContext && window) {
        systemContext = platform::acquireWindowSurface(window);
        acquiredSystemContext = systemContext;
    }
    if (systemContext) {
        savedBrush = platform::currentObject(systemContext, platform::ObjectKind::Brush);
        savedPen = platform::currentObject(systemContext, platform::ObjectKind::Pen);
        savedFont = platform::currentObject(systemContext, platform::ObjectKind::Font);
        platform::setTextTransparent(systemContext, true);
    }
    if (window) {
        const platform::IRect r = platform::windowScreenRect(window);
        screenOrigin = CPoint(r.left, r.top);
    }
    applyInitialState();
}

void CDrawContext::applyInitialState() {
    setFrameColor(kWhiteCColor);
    setLineStyle(kLineSolid);
    setLineWidth(1);
    setFillColor(kBlackCColor);
    setFontColor(kWhiteCColor);
    setFont(0, 0, 0);
    setDrawMode(kCopyMode);
}

CDrawContext::~CDrawContext() {
    if (systemContext) {
        if (savedBrush) platform::selectObject(systemContext, savedBrush);
        if (savedPen) platform::selectObject(systemContext, savedPen);
        if (savedFont) platform::selectObject(systemContext, savedFont);
    }
    platform::deleteObject(fillBrush);
    platform::deleteObject(pen);
    platform::deleteObject(font);
    if (acquiredSystemContext) platform::releaseWindowSurface(window, acquiredSystemContext);
}

void CDrawContext::remakePen() {
    platform::Object newPen = platform::createPen(penStyle, lineWidth, frameColor.toPlatform());
    if (!newPen) return;
    if (systemContext) platform::selectObject(systemContext, newPen);
    platform::deleteObject(pen);
    pen = newPen;
}

void CDrawContext::setLineStyle(int32_t style) {
    if (lineStyle == style) return;
    lineStyle = style;
    penStyle = 0; // solid is the only style
    remakePen();
}

void CDrawContext::setLineWidth(int32_t width) {
    if (lineWidth == width) return;
    lineWidth = width;
    remakePen();
}

void CDrawContext::setDrawMode(int32_t mode) {
    (void)mode; // copy is the only mode
    if (drawMode == kCopyMode) return;
    drawMode = kCopyMode;
    if (systemContext) platform::setCopyMode(systemContext);
}

void CDrawContext::setClipRect(const CRect& rect) {
    CRect moved = rect;
    moved.offset(drawingOrigin.x, drawingOrigin.y);
    if (moved == clipRect) return;
    clipRect = moved;
    if (systemContext) platform::setClipRect(systemContext, toPlatform(clipRect));
}

CRect& CDrawContext::getClipRect(CRect& rect) const {
    rect = clipRect;
    rect.offset(-drawingOrigin.x, -drawingOrigin.y);
    return rect;
}

void CDrawContext::resetClipRect() {
    CRect whole(0, 0, 1000, 1000);
    if (ownerFrame) ownerFrame->getViewRect(whole);
    whole.offset(-drawingOrigin.x, -drawingOrigin.y);
    setClipRect(whole);
}

void CDrawContext::setFrameColor(CColor color) {
    if (color == frameColor) return;
    frameColor = color;
    remakePen();
}

void CDrawContext::setFillColor(CColor color) {
    if (color == fillColor) return;
    fillColor = color;
    if (systemContext) platform::setTextBackground(systemContext, color.toPlatform());
    platform::Object brush = platform::createSolidBrush(color.toPlatform());
    if (!brush) return; // refused: the old brush stays in force
    if (systemContext) platform::selectObject(systemContext, brush);
    platform::deleteObject(fillBrush);
    fillBrush = brush;
}

void CDrawContext::setFontColor(CColor color) {
    fontColor = color;
    if (systemContext) platform::setTextColor(systemContext, color.toPlatform());
}

void CDrawContext::setFont(int32_t id, int32_t /*size*/, int32_t style) {
    if (id < 0 || id >= kNumStandardFonts) id = 0;
    const CStandardFont& entry = kStandardFonts[id];
    if (fontId == id && fontSize == entry.height && fontStyle == style) return;
    fontStyle = style;
    fontId = id;
    fontSize = entry.height;

    platform::FontDescription description;
    description.face = entry.face;
    description.pixelHeight = entry.height;
    description.weight = (style & kFontBold) || id == 0 ? 700 : 400;
    description.italic = (style & kFontItalic) != 0;
    description.underline = (style & kFontUnderline) != 0;
    description.decorative = entry.decorative;
    platform::Object newFont = platform::createFont(description);
    if (!newFont) return;
    if (systemContext) platform::selectObject(systemContext, newFont);
    platform::deleteObject(font);
    font = newFont;
}

void CDrawContext::frameRect(const CRect& rect) {
    moveTo(CPoint(rect.left, rect.top));
    lineTo(CPoint(rect.right - 1, rect.top));
    lineTo(CPoint(rect.right - 1, rect.bottom - 1));
    lineTo(CPoint(rect.left, rect.bottom - 1));
    lineTo(CPoint(rect.left, rect.top));
}

void CDrawContext::fillRect(const CRect& rect) {
    if (!systemContext || !fillBrush) return;
    CRect r = rect;
    r.offset(drawingOrigin.x, drawingOrigin.y);
    platform::fillRect(systemContext, {r.left + 1, r.top + 1, r.right, r.bottom}, fillBrush);
}

void CDrawContext::moveTo(const CPoint& point) {
    if (systemContext)
        platform::moveTo(systemContext, point.x + drawingOrigin.x, point.y + drawingOrigin.y);
}

void CDrawContext::lineTo(const CPoint& point) {
    if (systemContext)
        platform::lineTo(systemContext, point.x + drawingOrigin.x, point.y + drawingOrigin.y);
}

void CDrawContext::drawText(const char* text, const CRect& rect, bool opaque, int32_t alignment) {
    if (!text || !systemContext) return;
    CRect r = rect;
    r.offset(drawingOrigin.x, drawingOrigin.y);
    platform::setTextTransparent(systemContext, !opaque);
    platform::TextAlign align = platform::TextAlign::Left;
    if (alignment == AlignCenter) align = platform::TextAlign::Center;
    else if (alignment == AlignRight) align = platform::TextAlign::Right;
    else r.left += 1;
    platform::drawText(systemContext, text, toPlatform(r), align);
    platform::setTextTransparent(systemContext, true);
}

int32_t CDrawContext::readMouseState() {
    const platform::RawMouseState raw = platform::readRawMouseState();
    const bool swapped = platform::mouseButtonsSwapped();
    int32_t state = 0;
    if (raw.primary) state |= swapped ? kRightButton : kLeftButton;
    if (raw.middle) state |= kMiddleButton;
    if (raw.secondary) state |= swapped ? kLeftButton : kRightButton;
    if (raw.shift) state |= kShiftModifier;
    if (raw.control) state |= kControlModifier;
    if (raw.alt) state |= kAltModifier;
    return state;
}

} // namespace toolkit
