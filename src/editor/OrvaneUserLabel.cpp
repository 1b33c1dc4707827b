#include "editor/OrvaneUserLabel.h"

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

#include <cstring>

using toolkit::CRect;

OrvaneUserLabel::OrvaneUserLabel(const CRect& size, toolkit::CControlListener* owner)
    : CTextEdit(size, owner, kTag) {}

OrvaneUserLabel::~OrvaneUserLabel() { platform::deleteObject(labelFont); }

bool OrvaneUserLabel::isTypeOf(const char* className) const {
    return toolkit::sameClassName(className, "OrvaneUserLabel") || CTextEdit::isTypeOf(className);
}

void OrvaneUserLabel::setLabelFont(int32_t height) {
    if (labelFont) {
        platform::deleteObject(labelFont);
        labelFont = nullptr;
    }
    platform::FontDescription description;
    description.face = kFaceName;
    description.pixelHeight = height;
    description.weight = 400;
    description.fixedPitch = true;
    description.charSet = 0;      // ANSI
    description.outPrecision = 7; // TrueType faces only
    description.clipPrecision = 0;
    description.quality = 5; // ClearType
    labelFont = platform::createFont(description);
    setDirty(true);
}

void OrvaneUserLabel::draw(toolkit::CDrawContext* context) {
    setDirty(false);
    if (editField) {
        return; // the native field covers the label while the user types
    }
    if (hasText && background) {
        if (transparent) background->drawWithTransparency(context, viewRect, backgroundOffset);
        else background->draw(context, viewRect, backgroundOffset);
    }

    char shown[toolkit::kDisplayTextSize] = {};
    filteredText(shown);

    CRect oldClip;
    context->getClipRect(oldClip);
    CRect clip = viewRect;
    context->setClipRect(clip.bound(oldClip));

    platform::Surface surface = context->getSystemContext();
    platform::Object previousFont = nullptr;
    if (labelFont && surface) {
        previousFont = platform::selectObject(surface, labelFont);
    } else {
        context->setFont(fontId, 0, fontStyle);
    }
    context->setFontColor(fontColor);
    if (surface) {
        platform::setTextColor(surface, fontColor.toPlatform());
    }
    context->drawText(shown, viewRect, !textTransparent, alignment);
    // The label's font leaves the surface again, so that no surface holds it when it is replaced.
    if (previousFont) {
        platform::selectObject(surface, previousFont);
    }

    context->setClipRect(oldClip);
    setDirty(false);
}

void labelTextFilter(const char* text, char* displayText) {
    if (text == nullptr || displayText == nullptr) {
        return;
    }
    std::strncpy(displayText, text, OrvaneUserLabel::kShownCharacters);
}
