#include "toolkit/CFrame.h"

#include "platform/Input.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrameEditor.h"
#include "toolkit/COffscreenContext.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace toolkit {

CFrame::CFrame(const CRect& size, void* systemWindow, CFrameEditor* frameEditor)
    : CViewContainer(size, this, nullptr), editor(frameEditor), parentWindow(systemWindow),
      windowEvents(*this) {
    parentFrame = this;
    platform::oleInitialize();
    imageLibrary = platform::loadImageLibrary();
    if (parentWindow) {
        platform::acquireFrameWindowClass();
        window = platform::createFrameWindow(static_cast<platform::Window>(parentWindow),
                                             size.width(), size.height(), &windowEvents);
        if (window) setDropActive(true);
        else platform::releaseFrameWindowClass(); // nothing holds the class
    }
}

CFrame::~CFrame() {
    if (modalView) removeView(modalView, false);
    modalView = nullptr;
    if (!defaultCursor) defaultCursor = platform::currentCursor();
    platform::showCursor(defaultCursor);
    if (dropActive && window) {
        platform::revokeDropTarget(window);
        dropActive = false;
    }
    platform::oleUninitialize();
    // The frame context is never owned by the frame outside update; nothing to release here.
    frameContext = nullptr;
    if (backBuffer) backBuffer->release();
    backBuffer = nullptr;
    platform::freeImageLibrary(imageLibrary);
    imageLibrary = nullptr;
    if (window) {
        platform::destroyFrameWindow(window);
        window = nullptr;
        platform::releaseFrameWindowClass();
    }
    removeAll(true);
}

void CFrame::windowLost() {
    setOpenFlag(false);
    parentWindow = nullptr;
    if (dropActive && window) platform::revokeDropTarget(window);
    dropActive = false;
    if (window) {
        window = nullptr;
        platform::releaseFrameWindowClass();
    }
}

void CFrame::draw(CDrawContext* context) {
    firstDraw = false;
    if (!context) context = frameContext;
    CViewContainer::draw(context);
}

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect) {
    firstDraw = false;
    CDrawContext* own = nullptr;
    if (!context) context = own = createDrawContext();
    CRect oldClip, clip = updateRect;
    context->getClipRect(oldClip);
    context->setClipRect(clip.bound(oldClip));
    if (updateRect.width() > 0 && updateRect.height() > 0)
        CViewContainer::drawRect(context, updateRect);
    context->setClipRect(oldClip);
    if (own) own->release();
}

void CFrame::onMouseDown(CDrawContext* context, CPoint& where, int32_t buttons) {
    if (!context) context = frameContext;
    if (focusView) setFocusView(nullptr);
    if (buttons == -1 && context) buttons = CDrawContext::readMouseState();
    if (modalView) {
        if (modalView->hitTest(where, buttons)) modalView->onMouseDown(context, where, buttons);
        return;
    }
    CViewContainer::onMouseDown(context, where, buttons);
}

int32_t CFrame::onKeyDown(VstKeyCode& keyCode) {
    int32_t result = -1;
    if (focusView) result = focusView->onKeyDown(keyCode);
    if (result == -1 && modalView) result = modalView->onKeyDown(keyCode);
    if (result != -1) return result;
    if (keyCode.virt == VKEY_TAB)
        return focusNextView(focusView, (keyCode.modifier & MODIFIER_SHIFT) != 0) ? 1 : -1;
    return -1;
}

int32_t CFrame::onKeyUp(VstKeyCode& keyCode) {
    int32_t result = -1;
    if (focusView) result = focusView->onKeyUp(keyCode);
    if (result == -1 && modalView) result = modalView->onKeyUp(keyCode);
    return result;
}

bool CFrame::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                     float distance) {
    CView* target = modalView ? modalView : getViewAt(where, false);
    if (!target) return false;
    CDrawContext* own = nullptr;
    if (!context) context = own = createDrawContext();
    const bool result = target->onWheel(context, where, axis, distance);
    if (own) own->release();
    return result;
}

void CFrame::setViewRect(const CRect& rect) { setSize(rect.width(), rect.height()); }
CFrameEditor* CFrame::getEditor() const { return editor; }

bool CFrame::isTypeOf(const char* name) const {
    return sameClassName(name, "CFrame") || CViewContainer::isTypeOf(name);
}

void CFrame::update(CDrawContext* context) {
    if (!openFlag || updatesDisabledFlag) return;
    CDrawContext* saved = frameContext;
    COffscreenContext* buffer = getBackBuffer();
    frameContext = buffer;
    if (CView::isDirty()) {
        draw(buffer);
        setDirty(false);
    } else {
        CRect oldClip;
        buffer->getClipRect(oldClip);
        if (modalView && modalView->isDirty()) modalView->update(buffer);
        for (Entry* e = firstEntry; e; e = e->next) {
            CRect clip;
            e->view->getViewRect(clip);
            buffer->setClipRect(clip.bound(oldClip));
            e->view->update(buffer);
        }
        buffer->setClipRect(oldClip);
    }
    if (context)
        buffer->copyTo(context, CRect(viewRect.left, viewRect.top, viewRect.left + viewRect.width(),
                                      viewRect.top + viewRect.height()));
    frameContext = saved;
}

CView* CFrame::getViewUnderMouse() {
    return modalView ? modalView : CViewContainer::getViewUnderMouse();
}

bool CFrame::focusNextView(CView* oldFocus, bool reverse) {
    if (modalView) return false;
    if (!oldFocus) oldFocus = focusView;
    if (!oldFocus) return CViewContainer::focusNextView(nullptr, reverse);
    if (isChild(oldFocus)) {
        if (CViewContainer::focusNextView(oldFocus, reverse)) return true;
        setFocusView(nullptr);
        return false;
    }
    // Nested containers: walk outwards from the old focus.
    CView* previous = oldFocus;
    CView* parent = oldFocus->getParentView();
    while (parent && parent != this && parent->isTypeOf("CViewContainer")) {
        if (static_cast<CViewContainer*>(parent)->focusNextView(previous, reverse)) return true;
        previous = parent;
        parent = parent->getParentView();
    }
    return CViewContainer::focusNextView(previous, reverse);
}

bool CFrame::open(CPoint*) { return false; }
bool CFrame::close() { return false; }
bool CFrame::isOpen() const { return openFlag; }

void CFrame::idle() {
    if (!openFlag || firstDraw || !isDirty()) return;
    CDrawContext* context = createDrawContext();
    update(context);
    context->release();
}

void CFrame::doIdle() {
    if (editor) editor->doIdle();
}

uint32_t CFrame::getTicks() const { return editor ? platform::tickCount() : 0; }
int32_t CFrame::getKnobMode() const { return editor ? editor->getKnobMode() : 0; }
bool CFrame::setPosition(int32_t, int32_t) { return false; }

bool CFrame::getPosition(int32_t& x, int32_t& y) const {
    if (!openFlag || !window) return false;
    // The outer window: the first with a caption, without a parent, or clearly larger than us.
    const platform::IRect own = platform::windowScreenRect(window);
    platform::Window outer = window;
    while (outer) {
        platform::Window parent = platform::parentWindow(outer);
        if (platform::windowHasCaption(outer) || !parent) break;
        const platform::IRect pr = platform::windowScreenRect(parent);
        if (std::abs(pr.width() - own.width()) > 60 || std::abs(pr.height() - own.height()) > 60)
            break;
        outer = parent;
    }
    if (!outer) return false;
    const platform::IRect r = platform::windowScreenRect(outer);
    int32_t px = r.left, py = r.top;
    platform::screenToWindow(platform::parentWindow(outer), px, py);
    x = px;
    y = py;
    return true;
}

bool CFrame::setSize(int32_t width, int32_t height) {
    if (!openFlag) return false;
    if (width == viewRect.width() && height == viewRect.height()) return false;
    if (backBuffer) backBuffer->release();
    backBuffer = nullptr;

    if (editor && editor->sizeHostWindow(width, height)) {
        viewRect.right = viewRect.left + width;
        viewRect.bottom = viewRect.top + height;
        if (window) platform::setWindowSizeOnTop(window, width, height);
        return true;
    }
    viewRect.right = viewRect.left + width;
    viewRect.bottom = viewRect.top + height;

    // Walk up the host's windows, growing each by what its parent adds around it, until the
    // window border is reached or a window clearly belongs to the host.
    if (window) {
        const int border = 2 * platform::fixedFrameHeight();
        int dW = 0, dH = 0;
        platform::Window w = window;
        while (dW != border && w) {
            platform::Window p = platform::parentWindow(w);
            char className[1025] = "";
            if (p) platform::windowClassName(p, className, sizeof className);
            if (!p || std::strcmp(className, "MDIClient") == 0) break;
            const platform::IRect rw = platform::windowScreenRect(w);
            const platform::IRect rp = platform::windowScreenRect(p);
            platform::setWindowSizeOnTop(w, width + dW, height + dH);
            dW += rp.width() - rw.width();
            dH += rp.height() - rw.height();
            if (dW > 80 || dH > 80) return true; // the host's own windows: stop here
            w = p;
            dW = std::max(dW, 0);
            dH = std::max(dH, 0);
        }
        if (w) platform::setWindowSizeOnTop(w, width + dW, height + dH);
    }
    CViewContainer::setViewRect(CRect(0, 0, width, height));
    return true;
}

bool CFrame::getSize(CRect& rect) const { return getSize(&rect); }

bool CFrame::getSize(CRect* rect) const {
    if (!openFlag || !window || !rect) return false;
    platform::Window host = platform::parentWindow(window);
    if (!host) return false;
    const platform::IRect r = platform::windowScreenRect(host);
    int32_t x = r.left, y = r.top;
    platform::screenToWindow(platform::parentWindow(host), x, y);
    *rect = CRect(x, y, x + r.width(), y + r.height());
    return true;
}

int32_t CFrame::setModalView(CView* view) {
    if (view && modalView) return 0;
    if (modalView) removeView(modalView, false);
    modalView = view;
    if (view) addView(view);
    return 1;
}

CView* CFrame::getModalView() const { return modalView; }

void CFrame::beginEdit(int32_t tag) {
    if (editor) editor->beginEdit(tag);
}

void CFrame::endEdit(int32_t tag) {
    if (editor) editor->endEdit(tag);
}

bool CFrame::getCurrentMouseLocation(CPoint& where) const {
    int32_t x = 0, y = 0;
    platform::cursorPosition(x, y);
    if (window) {
        const platform::IRect r = platform::windowScreenRect(window);
        x -= r.left;
        y -= r.top;
    }
    where = CPoint(x, y);
    return true;
}

void CFrame::setCursor(int32_t type) {
    if (!defaultCursor) defaultCursor = platform::currentCursor();
    void* cursor = platform::standardCursor(type);
    platform::showCursor(cursor ? cursor : defaultCursor);
}

void CFrame::setFocusView(CView* view) {
    CView* old = focusView;
    focusView = view;
    if (view && view->wantsFocus()) view->setDirty(true);
    if (old) {
        old->loseFocus(nullptr);
        if (old->wantsFocus()) old->setDirty(true);
    }
}

CView* CFrame::getFocusView() const { return focusView; }

bool CFrame::setDropActive(bool flag) {
    if (!dropActive && !flag) return true;
    if (!window) return false;
    if (dropTargetRegistered) {
        platform::revokeDropTarget(window);
        dropTargetRegistered = false;
    }
    if (flag) dropTargetRegistered = platform::registerDropTarget(window, &windowEvents);
    dropActive = flag;
    return true;
}

bool CFrame::isDropActive() const { return dropActive; }
void CFrame::setOpenFlag(bool flag) { openFlag = flag; }
bool CFrame::getOpenFlag() const { return openFlag; }

void CFrame::invalidate(const CRect& rect) {
    for (Entry* e = firstEntry; e; e = e->next) {
        CRect r;
        e->view->getViewRect(r);
        if (r.rectOverlap(rect)) e->view->setDirty(true);
    }
}

bool CFrame::setUpdatesDisabled(bool flag) { return std::exchange(updatesDisabledFlag, flag); }
bool CFrame::updatesDisabled() const { return updatesDisabledFlag; }

void CFrame::drawView(CView* view) {
    CDrawContext* context = createDrawContext();
    if (view && isChild(view)) view->draw(context);
    else draw(context);
    context->release();
}

CDrawContext* CFrame::createDrawContext() {
    if (frameContext) {
        frameContext->retain();
        return frameContext;
    }
    return new CDrawContext(this, nullptr, window);
}

COffscreenContext* CFrame::getBackBuffer() {
    if (!backBuffer)
        backBuffer = new COffscreenContext(this, viewRect.width(), viewRect.height(), kBlackCColor);
    return backBuffer;
}

} // namespace toolkit
