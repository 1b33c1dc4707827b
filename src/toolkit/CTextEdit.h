// A value display that holds a line of text and lets the user edit it in place: a click opens the
// platform's edit field over the control, with all of the text selected; Enter or any loss of
// the keyboard focus closes it and keeps what was typed. There is no cancel.
#pragma once

#include "platform/EditField.h"
#include "toolkit/CNativeEditColors.h"
#include "toolkit/CParamDisplay.h"

namespace toolkit {

// The stored text holds at most this many characters (plus the terminating zero).
inline constexpr int32_t kTextEditMaxLength = 255;

// Turn the stored text into the text to draw. `displayText` points to kDisplayTextSize bytes.
using CTextFilterFunction = void (*)(const char* text, char* displayText);
using CTextFilterWithDataFunction = void (*)(const char* text, char* displayText, void* userData);

class CTextEdit : public CParamDisplay,
                  public CNativeEditColors,
                  private platform::EditFieldEvents {
public:
    CTextEdit(const CRect& size, CControlListener* listener, int32_t tag);
    ~CTextEdit() override;

    // Draws the text through the filter (the subclass that shows the label draws on its own).
    void draw(CDrawContext* context) override;
    void onMouseDown(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    void loseFocus(CDrawContext* context = nullptr) override;
    void takeFocus(CDrawContext* context = nullptr) override;
    bool isTypeOf(const char* className) const override;

    // None empties the text; a text longer than 255 characters is cut there.
    virtual void setText(const char* newText);
    // Copies the text with its terminating zero into `buffer` (kDisplayTextSize bytes).
    virtual void getText(char* buffer) const;
    virtual void setTextFilterWithData(CTextFilterWithDataFunction function, void* data);
    virtual void setTextFilter(CTextFilterFunction function);

    // The display text of the stored text: through the filter with data, else the filter, else
    // the text itself.
    void filteredText(char* displayText) const;

    const char* getTextPointer() const { return text; }
    // The native field while editing, none otherwise.
    platform::Window getEditField() const { return editField; }
    bool wasEndedWithEnter() const { return endedWithEnter; }

    // The colours of the native field, and the brush behind it.
    CColor getEditFontColor() const override { return fontColor; }
    CColor getEditBackColor() const override { return backColor; }
    platform::Object& editFieldBrush() override { return editFieldBrushObject; }

protected:
    platform::Object editFieldBrushObject = nullptr;
    platform::Window editField = nullptr;
    bool endedWithEnter = false;
    platform::Object editFont = nullptr;
    char text[kDisplayTextSize] = {};
    CTextFilterFunction textFilter = nullptr;
    CTextFilterWithDataFunction textFilterWithData = nullptr;

private:
    void editFieldFocusLost() override;
    void editFieldEnterPressed() override;

    bool losingFocus = false;
};

} // namespace toolkit
