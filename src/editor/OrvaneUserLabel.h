// The strip of masking tape between the meters: a text edit that, while it holds text, draws the
// tape and the first 30 characters in a handwriting face, centred, in black; while empty it draws
// nothing, so the caption printed on the panel behind it shows.
#pragma once

#include "toolkit/CTextEdit.h"

class OrvaneUserLabel : public toolkit::CTextEdit {
public:
    static constexpr int32_t kTag = 1001;
    static constexpr int kShownCharacters = 30;
    static constexpr const char* kFaceName = "jr!hand";

    OrvaneUserLabel(const toolkit::CRect& size, toolkit::CControlListener* listener);
    ~OrvaneUserLabel() override;

    void draw(toolkit::CDrawContext* context) override;
    bool isTypeOf(const char* className) const override;

    // Makes the label's own font, `height` pixels of character height; none when the platform
    // refuses it, and the label then draws with the standard font of its font id.
    void setLabelFont(int32_t height);
    platform::Object getLabelFont() const { return labelFont; }

    // Kept by the editor: whether the text is not empty.
    void setHasText(bool flag) { hasText = flag; }
    bool getHasText() const { return hasText; }

private:
    platform::Object labelFont = nullptr;
    bool hasText = false;
};

// The display text of the label: the text cut after its 30th character. `displayText` holds
// kDisplayTextSize bytes and arrives zeroed.
void labelTextFilter(const char* text, char* displayText);
