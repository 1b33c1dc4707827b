#include "toolkit/CViewContainer.h"

#include "toolkit/CBitmap.h"
#include "toolkit/COffscreenContext.h"
#include "toolkit/CFrame.h"
#include "toolkit/MouseState.h"

namespace toolkit {

CViewContainer::CViewContainer(const CRect& size, CFrame* frame, CBitmap* bitmap) : CView(size) {
    parentFrame = frame;
    if (bitmap) setBackground(bitmap);
    setDirty(false);
}

CViewContainer::~CViewContainer() {
    removeAll(true);
    if (offscreen) offscreen->release();
    offscreen = nullptr;
}

CDrawContext* CViewContainer::beginChildDrawing(CDrawContext* context, CRect&) {
    if (drawOffscreen && offscreen) {
        if (transparent && context && context->getSystemContext() && offscreen->getSystemContext()) {
            const CPoint& o = context->getDrawingOrigin();
            platform::blit(offscreen->getSystemContext(), 0, 0, viewRect.width(),
                           viewRect.height(), context->getSystemContext(), viewRect.left + o.x,
                           viewRect.top + o.y);
        }
        return offscreen;
    }
    if (context) context->offsetOrigins(viewRect.left, viewRect.top);
    return context;
}

void CViewContainer::endChildDrawing(CDrawContext* context, CDrawContext* target,
                                     const CRect& area) {
    if (target != context) {
        if (context) {
            CRect destination = area;
            destination.offset(viewRect.left, viewRect.top);
            offscreen->copyTo(context, destination, area.topLeft());
        }
        return;
    }
    if (context) context->offsetOrigins(-viewRect.left, -viewRect.top);
}

void CViewContainer::draw(CDrawContext* context) {
    CRect area(0, 0, viewRect.width(), viewRect.height());
    CDrawContext* target = beginChildDrawing(context, area);
    if (target) {
        CRect oldClip;
        target->getClipRect(oldClip);
        CRect clip = area;
        target->setClipRect(clip.bound(oldClip));
        if (background) {
            if (transparent) background->drawWithTransparency(target, area, containerBackgroundOffset);
            else background->draw(target, area, containerBackgroundOffset);
        } else if (!transparent) {
            target->setFillColor(backgroundColor);
            target->fillRect(area);
        }
        for (Entry* e = firstEntry; e; e = e->next) {
            CRect childClip;
            e->view->getViewRect(childClip);
            target->setClipRect(childClip.bound(oldClip));
            e->view->draw(target);
        }
        target->setClipRect(oldClip);
        endChildDrawing(context, target, area);
    }
    setDirty(false);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
    CRect r = updateRect;
    r.bound(viewRect);
    r.offset(-viewRect.left, -viewRect.top);
    CDrawContext* target = beginChildDrawing(context, r);
    if (target) {
        CRect oldClip;
        target->getClipRect(oldClip);
        CRect newClip = r;
        newClip.bound(oldClip);
        target->setClipRect(newClip);
        drawBackgroundRect(target, r);
        for (Entry* e = firstEntry; e; e = e->next) {
            CView* child = e->view;
            if (!child->touchesRect(r)) continue;
            CRect childRect, visible;
            child->getViewRect(childRect);
            visible = childRect;
            visible.bound(newClip);
            if (visible.width() == 0 || visible.height() == 0) continue;
            target->setClipRect(visible);
            const bool wasDirty = child->isDirty();
            child->drawRect(target, r);
            // A view drawn only in part is drawn whole when its own turn comes.
            if (wasDirty && !(visible == childRect)) child->setDirty(true);
        }
        target->setClipRect(oldClip);
        endChildDrawing(context, target, r);
    }
    setDirty(false);
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect) {
    if (!context) return;
    if (background) {
        CRect oldClip, clip = rect;
        context->getClipRect(oldClip);
        context->setClipRect(clip.bound(oldClip));
        const CRect whole(0, 0, background->getWidth(), background->getHeight());
        if (transparent) background->drawWithTransparency(context, whole, containerBackgroundOffset);
        else background->draw(context, whole, containerBackgroundOffset);
        context->setClipRect(oldClip);
    } else if (!transparent) {
        context->setFillColor(backgroundColor);
        context->fillRect(rect);
    }
}

void CViewContainer::onMouseDown(CDrawContext* context, CPoint& where, int32_t buttons) {
    CPoint local = where;
    local.offset(-viewRect.left, -viewRect.top);
    if (buttons == -1 && context) buttons = CDrawContext::readMouseState();
    for (Entry* e = lastEntry; e; e = e->previous) {
        CView* child = e->view;
        if (child->getMouseEnabled() && child->hitTest(local, buttons)) {
            child->onMouseDown(context, local, buttons);
            return;
        }
    }
}

int32_t CViewContainer::onKeyDown(VstKeyCode& keyCode) {
    for (Entry* e = lastEntry; e; e = e->previous) {
        const int32_t result = e->view->onKeyDown(keyCode);
        if (result != -1) return result;
    }
    return -1;
}

int32_t CViewContainer::onKeyUp(VstKeyCode& keyCode) {
    for (Entry* e = lastEntry; e; e = e->previous) {
        const int32_t result = e->view->onKeyUp(keyCode);
        if (result != -1) return result;
    }
    return -1;
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                             float distance) {
    CView* view = getViewAt(where, false);
    if (!view) return false;
    CPoint local = where;
    local.offset(-viewRect.left, -viewRect.top);
    if (context) context->offsetOrigins(viewRect.left, viewRect.top);
    const bool result = view->onWheel(context, local, axis, distance);
    if (context) context->offsetOrigins(-viewRect.left, -viewRect.top);
    return result;
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, float distance) {
    return onWheel(context, where, kMouseWheelVertical, distance);
}

namespace {
// Shifts the context's origins into a container for the length of one drag event.
struct OriginShift {
    OriginShift(CDrawContext* c, const CRect& r) : context(c), dx(r.left), dy(r.top) {
        if (context) context->offsetOrigins(dx, dy);
    }
    ~OriginShift() {
        if (context) context->offsetOrigins(-dx, -dy);
    }
    CDrawContext* context;
    int32_t dx, dy;
};
} // namespace

bool CViewContainer::onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where) {
    if (!parentFrame) return false;
    CView* view = getViewAt(where, false);
    OriginShift shift(context, viewRect);
    CPoint local = where;
    local.offset(-viewRect.left, -viewRect.top);
    if (view != currentDragView) {
        if (currentDragView) currentDragView->onDragLeave(context, drag, local);
        currentDragView = view;
    }
    bool result = false;
    if (currentDragView) {
        result = currentDragView->onDrop(context, drag, local);
        currentDragView->onDragLeave(context, drag, local);
    }
    currentDragView = nullptr;
    return result;
}

void CViewContainer::onDragEnter(CDrawContext* context, CDragContainer* drag,
                                 const CPoint& where) {
    if (!parentFrame) return;
    CView* view = getViewAt(where, false);
    OriginShift shift(context, viewRect);
    CPoint local = where;
    local.offset(-viewRect.left, -viewRect.top);
    if (currentDragView) currentDragView->onDragLeave(context, drag, local);
    currentDragView = view;
    if (currentDragView) currentDragView->onDragEnter(context, drag, local);
}

void CViewContainer::onDragLeave(CDrawContext* context, CDragContainer* drag,
                                 const CPoint& where) {
    if (!parentFrame) return;
    OriginShift shift(context, viewRect);
    CPoint local = where;
    local.offset(-viewRect.left, -viewRect.top);
    if (currentDragView) currentDragView->onDragLeave(context, drag, local);
    currentDragView = nullptr;
}

void CViewContainer::onDragMove(CDrawContext* context, CDragContainer* drag,
                                const CPoint& where) {
    if (!parentFrame) return;
    CView* view = getViewAt(where, false);
    OriginShift shift(context, viewRect);
    CPoint local = where;
    local.offset(-viewRect.left, -viewRect.top);
    if (view != currentDragView) {
        if (currentDragView) currentDragView->onDragLeave(context, drag, local);
        if (view) view->onDragEnter(context, drag, local);
        currentDragView = view;
    } else if (currentDragView) {
        currentDragView->onDragMove(context, drag, local);
    }
}

void CViewContainer::loseFocus(CDrawContext* context) {
    for (Entry* e = firstEntry; e; e = e->next) e->view->loseFocus(context);
}

void CViewContainer::takeFocus(CDrawContext* context) {
    for (Entry* e = firstEntry; e; e = e->next) e->view->takeFocus(context);
}

bool CViewContainer::isDirty() const {
    if (CView::isDirty()) return true;
    const CRect area(0, 0, viewRect.width(), viewRect.height());
    for (Entry* e = firstEntry; e; e = e->next) {
        if (!e->view->isDirty()) continue;
        CRect r;
        e->view->getViewRect(r);
        r.bound(area);
        if (r.width() > 0 && r.height() > 0) return true;
    }
    return false;
}

void CViewContainer::setViewRect(const CRect& rect) {
    viewRect = rect;
    mouseRect = rect;
    if (offscreen) {
        offscreen->release();
        offscreen = new COffscreenContext(parentFrame, rect.width(), rect.height(), kBlackCColor);
    }
    setDirty(true);
}

bool CViewContainer::removed(CView*) {
    if (offscreen) offscreen->release();
    offscreen = nullptr;
    return true;
}

bool CViewContainer::attached(CView*) {
    if (drawOffscreen && !offscreen)
        offscreen =
            new COffscreenContext(parentFrame, viewRect.width(), viewRect.height(), kBlackCColor);
    return true;
}

CPoint& CViewContainer::frameToLocal(CPoint& point) const {
    point.offset(-viewRect.left, -viewRect.top);
    return CView::frameToLocal(point);
}

CPoint& CViewContainer::localToFrame(CPoint& point) const {
    point.offset(viewRect.left, viewRect.top);
    return CView::localToFrame(point);
}

int32_t CViewContainer::notify(CView*, const char* message) {
    return message == kMsgCheckIfViewContainer ? 1 : 0;
}

void CViewContainer::redrawRect(CDrawContext* context, const CRect& rect) {
    CRect r = rect;
    r.offset(viewRect.left, viewRect.top);
    if (transparent) {
        if (parentView) parentView->redrawRect(context, r);
        else if (parentFrame && parentFrame != static_cast<CView*>(this))
            parentFrame->drawRect(context, r);
        return;
    }
    if (parentView && context) {
        CPoint p(0, 0);
        parentView->localToFrame(p);
        context->offsetOrigins(p.x, p.y);
        drawRect(context, r);
        context->offsetOrigins(-p.x, -p.y);
    } else {
        drawRect(context, r);
    }
}

bool CViewContainer::isTypeOf(const char* name) const {
    return sameClassName(name, "CViewContainer") || sameClassName(name, "CView");
}

void CViewContainer::update(CDrawContext* context) {
    const CRect area(0, 0, viewRect.width(), viewRect.height());
    if (updateMode == kUpdateAll) {
        if (isDirty()) {
            redrawRect(context, area);
            setDirty(false);
        }
        return;
    }
    if (CView::isDirty()) {
        redrawRect(context, area);
    } else {
        for (Entry* e = firstEntry; e; e = e->next) {
            CView* child = e->view;
            if (!child->isDirty() || !child->touchesRect(area)) continue;
            if (child->isTypeOf("CViewContainer")) {
                child->update(context);
            } else {
                CRect r;
                child->getViewRect(r);
                redrawRect(context, r.bound(area));
            }
        }
    }
    setDirty(false);
}

void CViewContainer::addView(CView* view, const CRect& rect, bool enabled) {
    if (!view) return;
    view->setMouseEnabled(enabled);
    view->setMouseRect(rect);
    addView(view);
}

void CViewContainer::addView(CView* view) {
    if (!view) return;
    view->retain();
    auto* entry = new Entry{view};
    entry->previous = lastEntry;
    if (lastEntry) lastEntry->next = entry;
    else firstEntry = entry;
    lastEntry = entry;
    view->setParentFrame(parentFrame);
    view->setParentView(this);
    view->attached(this);
    view->setDirty(true);
}

void CViewContainer::unlink(Entry* entry) {
    if (entry->previous) entry->previous->next = entry->next;
    else firstEntry = entry->next;
    if (entry->next) entry->next->previous = entry->previous;
    else lastEntry = entry->previous;
}

void CViewContainer::removeView(CView* view, bool withRelease) {
    if (!view) return;
    if (parentFrame && parentFrame->getFocusView() == view) parentFrame->setFocusView(nullptr);
    Entry* entry = firstEntry;
    while (entry && entry->view != view) entry = entry->next;
    if (!entry) return;
    if (currentDragView == view) currentDragView = nullptr;
    unlink(entry);
    view->removed(this);
    if (withRelease) view->release();
    view->release(); // the container's own reference
    delete entry;
}

void CViewContainer::removeAll(bool withRelease) {
    Entry* entry = firstEntry;
    firstEntry = lastEntry = nullptr;
    currentDragView = nullptr;
    while (entry) {
        Entry* next = entry->next;
        CView* view = entry->view;
        view->removed(this);
        if (withRelease) view->release();
        view->release();
        delete entry;
        entry = next;
    }
}

bool CViewContainer::isChild(CView* view) const {
    for (Entry* e = firstEntry; e; e = e->next)
        if (e->view == view) return true;
    return false;
}

int32_t CViewContainer::getViewCount() const {
    int32_t count = 0;
    for (Entry* e = firstEntry; e; e = e->next) ++count;
    return count;
}

CView* CViewContainer::getView(int32_t index) const {
    if (index < 0) return nullptr;
    for (Entry* e = firstEntry; e; e = e->next)
        if (index-- == 0) return e->view;
    return nullptr;
}

void CViewContainer::setBackgroundColor(CColor color) {
    backgroundColor = color;
    setDirty(true);
}
CColor CViewContainer::getBackgroundColor() const { return backgroundColor; }
void CViewContainer::setBackgroundOffset(const CPoint& offset) { containerBackgroundOffset = offset; }
const CPoint& CViewContainer::getBackgroundOffset() const { return containerBackgroundOffset; }
void CViewContainer::setUpdateMode(int32_t mode) { updateMode = mode; }
int32_t CViewContainer::getUpdateMode() const { return updateMode; }

void CViewContainer::setDrawOffscreen(bool flag) {
    drawOffscreen = flag;
    if (!flag && offscreen) {
        offscreen->release();
        offscreen = nullptr;
    }
}

CView* CViewContainer::getViewUnderMouse() {
    if (!parentFrame) return nullptr;
    CPoint where;
    parentFrame->getCurrentMouseLocation(where);
    CView::frameToLocal(where);
    return getViewAt(where, false);
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) {
    if (!parentFrame) return nullptr;
    CPoint local = where;
    local.offset(-viewRect.left, -viewRect.top);
    for (Entry* e = lastEntry; e; e = e->previous) {
        CRect r;
        e->view->getMouseRect(r);
        if (!r.pointInside(local)) continue;
        if (deep && e->view->isTypeOf("CViewContainer"))
            return static_cast<CViewContainer*>(e->view)->getViewAt(local, deep);
        return e->view;
    }
    return nullptr;
}

bool CViewContainer::focusNextView(CView* oldFocus, bool reverse) {
    bool found = oldFocus == nullptr;
    for (Entry* e = reverse ? lastEntry : firstEntry; e; e = reverse ? e->previous : e->next) {
        CView* child = e->view;
        if (!found) {
            if (child == oldFocus) found = true;
            continue;
        }
        if (child->wantsFocus()) {
            if (parentFrame) parentFrame->setFocusView(child);
            return true;
        }
        if (child->isTypeOf("CViewContainer") &&
            static_cast<CViewContainer*>(child)->focusNextView(nullptr, reverse))
            return true;
    }
    return false;
}

} // namespace toolkit
