// The native single-line edit field the text edit opens over itself: a borderless top-level
// pop-up placed in screen coordinates (Win32: an "EDIT" window; headless: a scripted field that
// tests type into).
#pragma once

#include "platform/Graphics.h"

#include <cstdint>

namespace platform {

// What an open field reports to the control attached to it, synchronously, on the UI thread.
class EditFieldEvents {
public:
    // The field lost the keyboard focus.
    virtual void editFieldFocusLost() = 0;
    // The Enter key went down in the field.
    virtual void editFieldEnterPressed() = 0;

protected:
    ~EditFieldEvents() = default;
};

struct EditFieldSetup {
    int32_t x = 0, y = 0; // screen position of the top-left corner
    int32_t width = 0, height = 0;
    Window owner = nullptr; // none: the field has no owner
    TextAlign align = TextAlign::Center;
    const char* text = "";
};

// A point in the client coordinates of `window` converted to screen coordinates.
void windowToScreen(Window window, int32_t& x, int32_t& y);

// Creates the visible field with horizontal auto-scrolling and `text` as its contents; null when
// it cannot be made.
Window createEditField(const EditFieldSetup& setup);

// Attaches `events` to the field, then in this order: gives it `font`, sets its inner margins to
// 0, selects all its text, limits it to `maxLength` characters, puts it above all other windows,
// gives it the keyboard focus; last, puts the field's message handler in front of the platform's
// (one field at a time: the previous handler is kept in one process-wide slot).
void openEditField(Window field, Object font, EditFieldEvents* events, int32_t maxLength);

// The field's whole contents, cut to `size` - 1 characters and zero-terminated. False, with the
// buffer untouched, when the field is gone (the platform destroyed it with its owner).
bool editFieldText(Window field, char* buffer, int32_t size);

// Detaches the events (the field reports nothing from then on), then destroys the field. A field
// the platform already destroyed (with its owner) is left alone.
void destroyEditField(Window field);

} // namespace platform
