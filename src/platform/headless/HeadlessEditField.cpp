// Scripted native edit fields: virtual top-level windows with a line of text, a selection and a
// length limit, driven by tests in place of a keyboard.
#include "platform/EditField.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessObjects.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace platform {
namespace {

using headless_detail::windowIsLive;

struct Field {
    Window window = nullptr;
    headless::EditFieldInfo info;
    std::string text;
    EditFieldEvents* events = nullptr;
};

std::vector<std::unique_ptr<Field>>& fields() {
    static std::vector<std::unique_ptr<Field>> list;
    return list;
}

Window focusWindow = nullptr;
bool creationRefused = false;
// The handler chain's slot: whether the previous handler was kept for the open field.
Field* subclassedField = nullptr;

Field* find(Window window) {
    for (auto& f : fields())
        if (f->window == window) return f.get();
    return nullptr;
}

// The field paints itself: it asks its owner (the window its notifications go to) for colours,
// as the system's edit control asks its parent window, which for a pop-up is its owner.
void paintField(Field& f) {
    Window owner = f.info.owner;
    if (!windowIsLive(owner) || !owner->events) return;
    Surface surface = createMemorySurface(nullptr);
    f.info.brush = owner->events->editFieldColors(surface);
    f.info.textColor = surface->textColor;
    f.info.backColor = surface->textBackground;
    ++f.info.colorRequests;
    deleteMemorySurface(surface);
}

// What the field's handler does with a message: ours first while it is in front, then the
// platform's (which is all there is before the handler is replaced).
void killFocus(Field& f) {
    if (f.info.handlerReplaced && f.events) f.events->editFieldFocusLost();
}

void eraseSelection(Field& f) {
    const int a = std::min(f.info.selectionStart, f.info.selectionEnd);
    const int b = std::max(f.info.selectionStart, f.info.selectionEnd);
    f.text.erase(size_t(a), size_t(b - a));
    f.info.selectionStart = f.info.selectionEnd = a;
}

void refreshInfo(Field& f) { f.info.text = f.text.c_str(); }

} // namespace

void windowToScreen(Window window, int32_t& x, int32_t& y) {
    const IRect r = windowScreenRect(window);
    x += r.left;
    y += r.top;
}

Window createEditField(const EditFieldSetup& setup) {
    if (creationRefused) return nullptr;
    Window window = headless::createWindow(nullptr, setup.x, setup.y, std::max(0, setup.width),
                                           std::max(0, setup.height), "EDIT", false);
    if (!window) return nullptr;
    auto field = std::make_unique<Field>();
    field->window = window;
    field->text = setup.text ? setup.text : "";
    field->info.screenRect = {setup.x, setup.y, setup.x + setup.width, setup.y + setup.height};
    // As on Win32, a child window cannot own a pop-up: its top-level window does.
    Window owner = windowIsLive(setup.owner) ? setup.owner : nullptr;
    while (owner && owner->parent) owner = owner->parent;
    field->info.owner = owner;
    field->info.align = setup.align;
    field->info.autoScroll = true;
    field->info.limit = 30000; // the platform's default
    refreshInfo(*field);
    paintField(*field);
    fields().push_back(std::move(field));
    return window;
}

void openEditField(Window window, Object font, EditFieldEvents* events, int32_t maxLength) {
    Field* f = find(window);
    if (!f) return;
    f->events = events;
    f->info.font = font;
    f->info.leftMargin = f->info.rightMargin = 0;
    f->info.selectionStart = 0;
    f->info.selectionEnd = int(f->text.size());
    f->info.limit = maxLength;
    f->info.topmost = true;
    headless::setKeyboardFocus(window);
    if (subclassedField && subclassedField != f) subclassedField->info.handlerReplaced = false;
    f->info.handlerReplaced = true;
    subclassedField = f;
    paintField(*f);
}

bool editFieldText(Window window, char* buffer, int32_t size) {
    Field* f = find(window);
    if (!buffer || size <= 0 || !f) return false;
    const size_t n = std::min(f->text.size(), size_t(size - 1));
    std::memcpy(buffer, f->text.data(), n);
    buffer[n] = 0;
    return true;
}

void destroyEditField(Window window) {
    Field* f = find(window);
    if (!f) return;
    f->events = nullptr;
    if (focusWindow == window) focusWindow = nullptr; // the focus loss reaches nobody now
    if (subclassedField == f) subclassedField = nullptr;
    if (windowIsLive(window)) headless::destroyWindow(window);
    std::erase_if(fields(), [&](const auto& p) { return p.get() == f; });
}

namespace headless {

Window focusedEditField() { return find(focusWindow) ? focusWindow : nullptr; }

bool editFieldInfo(Window window, EditFieldInfo& info) {
    Field* f = find(window);
    if (!f) return false;
    refreshInfo(*f);
    info = f->info;
    return true;
}

int liveEditFields() { return int(fields().size()); }

int typeText(const char* text) {
    Field* f = find(focusWindow);
    if (!f || !text) return 0;
    int taken = 0;
    for (const char* c = text; *c; ++c) {
        eraseSelection(*f);
        if (int(f->text.size()) >= f->info.limit) break; // the field refuses the character
        f->text.insert(size_t(f->info.selectionStart), 1, *c);
        f->info.selectionStart = f->info.selectionEnd = f->info.selectionStart + 1;
        ++taken;
    }
    refreshInfo(*f);
    paintField(*f);
    return taken;
}

void pressKey(EditKey key) {
    Field* f = find(focusWindow);
    if (!f) return;
    switch (key) {
    case EditKey::Enter:
        if (f->info.handlerReplaced && f->events) f->events->editFieldEnterPressed();
        break; // the platform's handler only beeps
    case EditKey::Escape: break;
    case EditKey::Backspace:
        if (f->info.selectionStart != f->info.selectionEnd) eraseSelection(*f);
        else if (f->info.selectionStart > 0) {
            f->text.erase(size_t(--f->info.selectionStart), 1);
            f->info.selectionEnd = f->info.selectionStart;
        }
        refreshInfo(*f);
        paintField(*f);
        break;
    }
}

void setKeyboardFocus(Window window) {
    if (window == focusWindow) return;
    Window old = focusWindow;
    focusWindow = window;
    if (Field* f = find(old)) killFocus(*f);
}

void setEditFieldCreationRefused(bool refused) { creationRefused = refused; }

} // namespace headless

namespace headless_detail {
// A press at a screen point: true when the focused field lies there and takes the press; else
// the field loses the focus first.
bool editFieldTakesPress(int screenX, int screenY) {
    Field* f = find(focusWindow);
    if (!f) return false;
    const IRect& r = f->info.screenRect;
    if (screenX >= r.left && screenX < r.right && screenY >= r.top && screenY < r.bottom) return true;
    headless::setKeyboardFocus(nullptr);
    return false;
}
} // namespace headless_detail

} // namespace platform
