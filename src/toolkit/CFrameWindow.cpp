#include "toolkit/CFrameWindow.h"

#include "toolkit/CDragContainer.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"
#include "toolkit/CNativeEditColors.h"
#include "toolkit/COffscreenContext.h"

namespace toolkit {

namespace {
CDragContainer* currentDrag = nullptr;

void dropCurrentDrag() {
    if (currentDrag) currentDrag->release();
    currentDrag = nullptr;
}
} // namespace

CDragContainer* CFrameWindow::activeDrag() { return currentDrag; }

void CFrameWindow::paint(platform::Surface surface, const platform::IRect& area) {
    const CRect rect(area.left, area.top, area.right, area.bottom);
    COffscreenContext* buffer = frame.getBackBuffer();
    if (!buffer || !buffer->getSystemContext()) {
        auto* direct = new CDrawContext(&frame, surface, nullptr);
        frame.drawRect(direct, rect);
        direct->release();
        return;
    }
    frame.drawRect(buffer, rect);
    auto* device = new CDrawContext(&frame, surface, nullptr);
    buffer->copyTo(device, rect, rect.topLeft());
    device->release();
}

void CFrameWindow::mouseDown(int32_t x, int32_t y) {
    auto* context = new CDrawContext(&frame, nullptr, frame.getSystemWindow());
    CPoint where(x, y);
    frame.onMouseDown(context, where, -1);
    context->release();
}

void CFrameWindow::wheel(int32_t x, int32_t y, float distance) {
    auto* context = new CDrawContext(&frame, nullptr, frame.getSystemWindow());
    frame.onWheel(context, CPoint(x, y), distance);
    context->release();
}

void CFrameWindow::windowDestroyed() { frame.windowLost(); }

platform::Object CFrameWindow::editFieldColors(platform::Surface editSurface) {
    CView* focus = frame.getFocusView();
    if (!focus || !focus->isTypeOf("CTextEdit")) return nullptr;
    auto* colors = dynamic_cast<CNativeEditColors*>(focus);
    if (!colors) return nullptr;
    const uint32_t back = colors->getEditBackColor().toPlatform();
    platform::setTextColor(editSurface, colors->getEditFontColor().toPlatform());
    platform::setTextBackgroundColor(editSurface, back);
    platform::Object& brush = colors->editFieldBrush();
    platform::deleteObject(brush);
    brush = platform::createSolidBrush(back);
    return brush;
}

bool CFrameWindow::dragEnter(int32_t itemCount) {
    dropCurrentDrag(); // a drag that never left is over
    currentDrag = new CDragContainer(itemCount);
    CDrawContext* context = frame.createDrawContext();
    CPoint where(0, 0);
    frame.getMouseLocation(context, where);
    frame.onDragEnter(context, currentDrag, where);
    context->release();
    return true;
}

bool CFrameWindow::dragOver() {
    if (!currentDrag) return false;
    CDrawContext* context = frame.createDrawContext();
    CPoint where(0, 0);
    frame.getMouseLocation(context, where);
    frame.onDragMove(context, currentDrag, where);
    context->release();
    return true;
}

void CFrameWindow::dragLeave() {
    if (!currentDrag) return;
    CDrawContext* context = frame.createDrawContext();
    CPoint where(0, 0);
    frame.getMouseLocation(context, where);
    frame.onDragLeave(context, currentDrag, where);
    context->release();
    dropCurrentDrag();
}

bool CFrameWindow::drop() {
    if (!currentDrag) return false;
    CDrawContext* context = frame.createDrawContext();
    CPoint where(0, 0);
    frame.getMouseLocation(context, where);
    const bool taken = frame.onDrop(context, currentDrag, where);
    context->release();
    dropCurrentDrag();
    return taken;
}

} // namespace toolkit
