#include "toolkit/CParamDisplay.h"

#include "toolkit/CBitmap.h"

#include <cstdio>

namespace toolkit {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* bitmap, int32_t style)
    : CControl(size, nullptr, 0, bitmap), displayStyle(style) {}

void CParamDisplay::draw(CDrawContext* context) {
    char text[kDisplayTextSize] = {};
    if (valueToTextWithData) valueToTextWithData(value, text, userData);
    else if (valueToText) valueToText(value, text);
    else std::snprintf(text, sizeof text, "%2.2f", double(value));
    text[kDisplayTextSize - 1] = 0; // a conversion that wrote too much still ends here
    drawDisplayText(context, text, nullptr);
}

bool CParamDisplay::isTypeOf(const char* name) const {
    return sameClassName(name, "CParamDisplay") || CControl::isTypeOf(name);
}

void CParamDisplay::drawDisplayText(CDrawContext* context, const char* text, CBitmap* bitmap) {
    setDirty(false);
    if (displayStyle & StyleNoDraw) return;

    if (!bitmap) bitmap = background;
    if (bitmap) {
        if (transparent) bitmap->drawWithTransparency(context, viewRect, backgroundOffset);
        else bitmap->draw(context, viewRect, backgroundOffset);
    } else if (!transparent) {
        context->setFillColor(backColor);
        context->fillRect(viewRect);
        if (!(displayStyle & (StyleBevelIn | StyleBevelOut | StyleNoFrame))) {
            context->setFrameColor(frameColor);
            context->frameRect(viewRect);
        }
    }

    if (displayStyle & (StyleBevelIn | StyleBevelOut)) {
        const bool sunken = (displayStyle & StyleBevelIn) != 0;
        const int32_t l = viewRect.left, t = viewRect.top, r = viewRect.right, b = viewRect.bottom;
        context->setLineWidth(1);
        context->setFrameColor(sunken ? backColor : frameColor);
        context->moveTo(CPoint(l, b - 1));
        context->lineTo(CPoint(l, t + 1));
        context->lineTo(CPoint(r - 1, t + 1));
        context->setFrameColor(sunken ? frameColor : backColor);
        context->moveTo(CPoint(r - 1, t + 1));
        context->lineTo(CPoint(r - 1, b - 1));
        context->lineTo(CPoint(l, b - 1));
    }

    if ((displayStyle & StyleNoText) || !text || !text[0]) return;

    CRect oldClip;
    context->getClipRect(oldClip);
    CRect clip = viewRect;
    context->setClipRect(clip.bound(oldClip));
    context->setFont(fontId, 0, fontStyle);
    if (displayStyle & StyleShadowText) {
        CRect shadow = viewRect;
        shadow.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawText(text, shadow, !textTransparent, alignment);
    }
    context->setFontColor(fontColor);
    context->drawText(text, viewRect, !textTransparent, alignment);
    context->setClipRect(oldClip);
}

void CParamDisplay::setFont(int32_t id) {
    const bool changed = fontId != id;
    fontId = id;
    if (changed) setDirty(true);
}

namespace {
bool assignColor(CColor& field, CColor color) {
    const bool changed = !(field == color);
    field = color;
    return changed;
}
} // namespace

void CParamDisplay::setFontColor(CColor color) {
    if (assignColor(fontColor, color)) setDirty(true);
}
void CParamDisplay::setBackColor(CColor color) {
    if (assignColor(backColor, color)) setDirty(true);
}
void CParamDisplay::setFrameColor(CColor color) {
    if (assignColor(frameColor, color)) setDirty(true);
}
void CParamDisplay::setShadowColor(CColor color) {
    if (assignColor(shadowColor, color)) setDirty(true);
}

void CParamDisplay::setAlignment(int32_t align) {
    const bool changed = alignment != align;
    alignment = align;
    if (changed) setDirty(true);
}

void CParamDisplay::setValueToText(CValueToTextWithDataFunction function, void* data) {
    valueToTextWithData = function;
    userData = data;
}

void CParamDisplay::setValueToText(CValueToTextFunction function) { valueToText = function; }
void CParamDisplay::setTextToValue(CTextToValueFunction function) { textToValue = function; }

void CParamDisplay::setStyle(int32_t style) {
    if (displayStyle == style) return;
    displayStyle = style;
    setDirty(true);
}

void CParamDisplay::setFontStyle(int32_t style) {
    const bool changed = fontStyle != style;
    fontStyle = style;
    if (changed) setDirty(true);
}

void CParamDisplay::setTextTransparency(bool flag) { textTransparent = flag; }

} // namespace toolkit
