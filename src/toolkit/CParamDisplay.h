// A box that shows the control's value as text: background bitmap or filled box, optional bevel,
// colours, font, alignment and a text shadow. The base of the text edit.
#pragma once

#include "toolkit/CColor.h"
#include "toolkit/CControl.h"
#include "toolkit/CDrawContext.h"

namespace toolkit {

// Display texts are written into buffers of this size (255 characters and the zero).
inline constexpr int32_t kDisplayTextSize = 256;

// Conversions between the value and its text. `text` points to kDisplayTextSize bytes.
using CValueToTextFunction = void (*)(float value, char* text);
using CValueToTextWithDataFunction = void (*)(float value, char* text, void* userData);
using CTextToValueFunction = void (*)(const char* text, float* value);

// Bits of the display style.
enum : int32_t {
    StyleShadowText = 4,
    StyleBevelIn = 128,
    StyleBevelOut = 256,
    StyleNoText = 2048,
    StyleNoDraw = 4096,
    StyleDoubleClickEdit = 8192,
    StyleNoFrame = 16384,
};

class CParamDisplay : public CControl {
public:
    explicit CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);

    void draw(CDrawContext* context) override;
    bool isTypeOf(const char* className) const override;

    virtual void setFont(int32_t fontId);
    virtual void setFontColor(CColor color);
    virtual void setBackColor(CColor color);
    virtual void setFrameColor(CColor color);
    virtual void setShadowColor(CColor color);
    virtual void setAlignment(int32_t alignment);
    virtual void setValueToText(CValueToTextWithDataFunction function, void* userData);
    virtual void setValueToText(CValueToTextFunction function);
    virtual void setTextToValue(CTextToValueFunction function);
    virtual void setStyle(int32_t style);
    virtual void setFontStyle(int32_t style);
    virtual void setTextTransparency(bool transparent);

    // Draws the box with the given text over `bitmap` (the display's background when none).
    void drawDisplayText(CDrawContext* context, const char* text, CBitmap* bitmap = nullptr);

    int32_t getFont() const { return fontId; }
    int32_t getFontStyle() const { return fontStyle; }
    CColor getFontColor() const { return fontColor; }
    CColor getBackColor() const { return backColor; }
    CColor getFrameColor() const { return frameColor; }
    CColor getShadowColor() const { return shadowColor; }
    int32_t getAlignment() const { return alignment; }
    int32_t getStyle() const { return displayStyle; }
    bool getTextTransparency() const { return textTransparent; }
    void* getUserData() const { return userData; }
    CTextToValueFunction getTextToValue() const { return textToValue; }

protected:
    CValueToTextFunction valueToText = nullptr;
    CValueToTextWithDataFunction valueToTextWithData = nullptr;
    CTextToValueFunction textToValue = nullptr;
    void* userData = nullptr;
    int32_t alignment = AlignCenter;
    int32_t displayStyle;
    int32_t fontId = 3;
    int32_t fontStyle = 0;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CColor shadowColor = kRedCColor;
    bool textTransparent = true;
};

} // namespace toolkit
