#include "toolkit/CView.h"

#include "platform/Input.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

#include <cstring>

namespace toolkit {

const char kMsgCheckIfViewContainer[] = "kMsgCheckIfViewContainer";

bool sameClassName(const char* a, const char* b) { return a && b && std::strcmp(a, b) == 0; }

CView::CView(const CRect& size) : viewRect(size), mouseRect(size) {}

CView::~CView() {
    if (background) background->release();
}

void CView::draw(CDrawContext* context) {
    if (background) {
        if (transparent) background->drawWithTransparency(context, viewRect, CPoint(0, 0));
        else background->draw(context, viewRect, CPoint(0, 0));
    }
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&) { draw(context); }

bool CView::touchesRect(const CRect& r) const {
    return r.right >= viewRect.left && r.left <= viewRect.right && r.bottom >= viewRect.top &&
           r.top <= viewRect.bottom;
}

void CView::onMouseDown(CDrawContext*, CPoint&, int32_t) {}

void CView::setBackground(CBitmap* bitmap) {
    if (bitmap) bitmap->retain();
    if (background) background->release();
    background = bitmap;
    setDirty(true);
}

CBitmap* CView::getBackground() const { return background; }
int32_t CView::onKeyDown(VstKeyCode&) { return -1; }
int32_t CView::onKeyUp(VstKeyCode&) { return -1; }

bool CView::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis,
                    float distance) {
    return onWheel(context, where, distance);
}

bool CView::onWheel(CDrawContext*, const CPoint&, float) { return false; }
bool CView::onDrop(CDrawContext*, CDragContainer*, const CPoint&) { return false; }
void CView::onDragEnter(CDrawContext*, CDragContainer*, const CPoint&) {}
void CView::onDragLeave(CDrawContext*, CDragContainer*, const CPoint&) {}
void CView::onDragMove(CDrawContext*, CDragContainer*, const CPoint&) {}
void CView::loseFocus(CDrawContext*) {}
void CView::takeFocus(CDrawContext*) {}
bool CView::isDirty() const { return dirty.load(std::memory_order_relaxed); }
void CView::setDirty(bool flag) { dirty.store(flag, std::memory_order_relaxed); }
void CView::setMouseEnabled(bool enable) { mouseEnabled = enable; }
bool CView::getMouseEnabled() const { return mouseEnabled; }
void CView::setMouseRect(const CRect& rect) { mouseRect = rect; }

CRect& CView::getMouseRect(CRect& rect) const {
    rect = mouseRect;
    return rect;
}

bool CView::hitTest(const CPoint& where, int32_t) {
    return mouseRect.left <= where.x && where.x <= mouseRect.right && mouseRect.top <= where.y &&
           where.y <= mouseRect.bottom;
}

void CView::setTransparency(bool flag) { transparent = flag; }
bool CView::getTransparency() const { return transparent; }

void CView::setViewRect(const CRect& rect) {
    viewRect = rect;
    setDirty(true);
}

CRect& CView::getViewRect(CRect& rect) const {
    rect = viewRect;
    return rect;
}

bool CView::removed(CView*) { return true; }
bool CView::attached(CView*) { return true; }

void CView::getMouseLocation(CDrawContext* context, CPoint& point) {
    if (!context) {
        // Without a context: the pointer in frame coordinates, brought into ours.
        if (parentFrame) {
            parentFrame->getCurrentMouseLocation(point);
            CView::frameToLocal(point);
        }
        return;
    }
    if (parentView && parentView->notify(this, kMsgCheckIfViewContainer) == 1) {
        CRect parentRect;
        parentView->getViewRect(parentRect);
        context->offsetOrigins(parentRect.left, parentRect.top);
        parentView->getMouseLocation(context, point);
        context->offsetOrigins(-parentRect.left, -parentRect.top);
        return;
    }
    int32_t x = 0, y = 0;
    platform::cursorPosition(x, y);
    point = CPoint(x - context->getScreenOrigin().x, y - context->getScreenOrigin().y);
}

CPoint& CView::frameToLocal(CPoint& point) const {
    if (parentView && parentView->isTypeOf("CViewContainer")) return parentView->frameToLocal(point);
    return point;
}

CPoint& CView::localToFrame(CPoint& point) const {
    if (parentView && parentView->isTypeOf("CViewContainer")) return parentView->localToFrame(point);
    return point;
}

CFrameEditor* CView::getEditor() const { return parentFrame ? parentFrame->getEditor() : nullptr; }

int32_t CView::notify(CView*, const char*) { return 0; }

void CView::redrawRect(CDrawContext* context, const CRect& rect) {
    if (parentView) parentView->redrawRect(context, rect);
    else if (parentFrame) parentFrame->drawRect(context, rect);
}

bool CView::wantsFocus() const { return acceptsFocus; }
void CView::setWantsFocus(bool flag) { acceptsFocus = flag; }
bool CView::isTypeOf(const char* name) const { return sameClassName(name, "CView"); }

void CView::update(CDrawContext* context) {
    if (!isDirty()) return;
    if (context) redrawRect(context, viewRect);
    else if (parentFrame) parentFrame->drawView(this);
    setDirty(false);
}

} // namespace toolkit
