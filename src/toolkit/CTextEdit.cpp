#include "toolkit/CTextEdit.h"

#include "toolkit/CFrame.h"
#include "toolkit/CFrameEditor.h"

#include <algorithm>
#include <cstring>

namespace toolkit {

CTextEdit::CTextEdit(const CRect& size, CControlListener* controlListener, int32_t controlTag)
    : CParamDisplay(size, nullptr, 0) {
    listener = controlListener;
    tag = controlTag;
    acceptsFocus = true;
}

CTextEdit::~CTextEdit() {
    // The field must not outlive the control; what was typed into it is dropped.
    if (editField) platform::destroyEditField(editField);
    editField = nullptr;
    platform::deleteObject(editFont);
    platform::deleteObject(editFieldBrushObject);
}

void CTextEdit::draw(CDrawContext* context) {
    char display[kDisplayTextSize] = {};
    filteredText(display);
    drawDisplayText(context, display, nullptr);
}

void CTextEdit::filteredText(char* displayText) const {
    displayText[0] = 0;
    if (textFilterWithData) textFilterWithData(text, displayText, userData);
    else if (textFilter) textFilter(text, displayText);
    else std::memcpy(displayText, text, sizeof text);
    displayText[kDisplayTextSize - 1] = 0;
}

bool CTextEdit::isTypeOf(const char* name) const {
    return sameClassName(name, "CTextEdit") || CParamDisplay::isTypeOf(name);
}

void CTextEdit::onMouseDown(CDrawContext* context, CPoint&, int32_t buttons) {
    if (!mouseEnabled) return;
    if (buttons == kMouseStateUnread) buttons = CDrawContext::readMouseState();
    if (listener && (buttons & kAnyModifierMask) &&
        listener->modifierClicked(context, this, buttons) != 0)
        return;
    if (!(buttons & kLeftButton)) return;
    if (parentFrame && parentFrame->getFocusView() == this) return;
    if ((displayStyle & StyleDoubleClickEdit) && !isDoubleClick()) return;
    beginEdit();
    takeFocus(context);
}

void CTextEdit::takeFocus(CDrawContext* context) {
    endedWithEnter = false;
    // A second field would lose the first one: an open edit stays as it is.
    if (editField || !parentFrame) return;

    CRect r = viewRect;
    for (CView* parent = parentView; parent; parent = parent->getParentView()) {
        if (parent->notify(this, kMsgCheckIfViewContainer) != 1) continue;
        CRect parentRect;
        parent->getViewRect(parentRect);
        r.offset(parentRect.left, parentRect.top);
    }
    if (context) r.offset(context->getDrawingOrigin().x, context->getDrawingOrigin().y);

    platform::EditFieldSetup setup;
    setup.align = alignment == AlignLeft    ? platform::TextAlign::Left
                  : alignment == AlignRight ? platform::TextAlign::Right
                                            : platform::TextAlign::Center;
    const platform::Window frameWindow = parentFrame->getSystemWindow();
    setup.x = r.left;
    setup.y = r.top;
    platform::windowToScreen(frameWindow, setup.x, setup.y);

    char vendor[kHostVendorStringSize] = {};
    if (CFrameEditor* editor = getEditor()) {
        if (!editor->getHostVendorString(vendor)) vendor[0] = 0;
        vendor[kHostVendorStringSize - 1] = 0;
    }
    setup.owner = std::strcmp(vendor, "MAGIX") == 0 ? frameWindow : nullptr;
    setup.width = r.width();
    setup.height = r.height();
    setup.text = text;
    editField = platform::createEditField(setup);
    if (!editField) return; // the control stays the focus view without a field

    const CStandardFont& entry = kStandardFonts[fontId >= 0 && fontId < kNumStandardFonts ? fontId : 0];
    platform::FontDescription font;
    font.face = entry.face;
    font.pixelHeight = std::min(entry.height, r.height() - 2);
    font.weight = 400;
    editFont = platform::createFont(font);
    // The field may have asked for its colours while it was being made: that brush goes too.
    platform::deleteObject(editFieldBrushObject);
    editFieldBrushObject = nullptr;

    platform::openEditField(editField, editFont, this, kTextEditMaxLength);
}

void CTextEdit::editFieldFocusLost() { loseFocus(nullptr); }

void CTextEdit::editFieldEnterPressed() {
    endedWithEnter = true;
    loseFocus(nullptr);
}

void CTextEdit::loseFocus(CDrawContext* context) {
    if (losingFocus) return;
    losingFocus = true;
    // Keeps the control alive to the end even when a listener removes it from its container.
    retain();

    endEdit();
    if (parentFrame && parentFrame->getFocusView() == this) parentFrame->setFocusView(nullptr);
    if (!editField) {
        losingFocus = false;
        release();
        return;
    }

    char oldText[kDisplayTextSize];
    std::memcpy(oldText, text, sizeof text);
    // A field the platform destroyed already (with its owner window) leaves the text as it was.
    platform::editFieldText(editField, text, kTextEditMaxLength + 1);
    platform::destroyEditField(editField);
    platform::deleteObject(editFont);
    editFont = nullptr;
    platform::deleteObject(editFieldBrushObject);
    editFieldBrushObject = nullptr;

    CPoint savedOrigin;
    bool originMoved = false;
    if (context) {
        context->retain();
    } else if (parentFrame) {
        context = parentFrame->createDrawContext();
        if (parentView) {
            // The parent's position in the frame (a container's conversion includes its own
            // left and top).
            CPoint position(0, 0);
            parentView->localToFrame(position);
            savedOrigin = context->getDrawingOrigin();
            context->setDrawingOrigin(position);
            originMoved = true;
        }
    }

    const bool changed = std::strcmp(oldText, text) != 0;
    if (changed && listener) listener->valueChanged(context, this);

    editField = nullptr;
    if (context) {
        if (originMoved) context->setDrawingOrigin(savedOrigin);
        context->release();
    }
    if (changed) doIdle();

    if (parentView) parentView->notify(this, "LooseFocus");
    else if (parentFrame) parentFrame->notify(this, "LooseFocus");

    losingFocus = false;
    release();
}

void CTextEdit::setText(const char* newText) {
    if (!newText) {
        if (text[0]) {
            text[0] = 0;
            setDirty(true);
        }
        return;
    }
    char cut[kDisplayTextSize];
    const size_t length = strnlen(newText, kTextEditMaxLength);
    std::memcpy(cut, newText, length);
    cut[length] = 0;
    if (std::strcmp(cut, text) == 0) return;
    std::memcpy(text, cut, length + 1);
    setDirty(true);
}

void CTextEdit::getText(char* buffer) const {
    if (buffer) std::memcpy(buffer, text, std::strlen(text) + 1);
}

void CTextEdit::setTextFilterWithData(CTextFilterWithDataFunction function, void* data) {
    textFilterWithData = function;
    userData = data;
}

void CTextEdit::setTextFilter(CTextFilterFunction function) { textFilter = function; }

} // namespace toolkit
