// The view base: a rectangle that draws itself, takes mouse, key, wheel and drag events and
// knows whether it needs redrawing.
#pragma once

#include "host/VstAbi.h"
#include "toolkit/CRect.h"
#include "toolkit/CReferenceCounter.h"

#include <atomic>
#include <cstdint>

namespace toolkit {

class CBitmap;
class CDrawContext;
class CDragContainer;
class CFrame;
class CFrameEditor;

// Views send this with notify to ask whether a view is a container; compared by identity.
extern const char kMsgCheckIfViewContainer[];

enum CMouseWheelAxis : int32_t { kMouseWheelHorizontal = 0, kMouseWheelVertical = 1 };

class CView : public CReferenceCounter, private LiveCounter<CView> {
public:
    explicit CView(const CRect& size);
    ~CView() override;

    static int liveCount() { return LiveCounter<CView>::live(); }

    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    virtual bool touchesRect(const CRect& rect) const;
    virtual void onMouseDown(CDrawContext* context, CPoint& where, int32_t buttons = -1);
    virtual void setBackground(CBitmap* bitmap);
    virtual CBitmap* getBackground() const;
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual int32_t onKeyUp(VstKeyCode& keyCode);
    virtual bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                         float distance);
    virtual bool onWheel(CDrawContext* context, const CPoint& where, float distance);
    virtual bool onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void loseFocus(CDrawContext* context = nullptr);
    virtual void takeFocus(CDrawContext* context = nullptr);
    virtual bool isDirty() const;
    virtual void setDirty(bool flag = true);
    virtual void setMouseEnabled(bool enable = true);
    virtual bool getMouseEnabled() const;
    virtual void setMouseRect(const CRect& rect);
    virtual CRect& getMouseRect(CRect& rect) const;
    virtual bool hitTest(const CPoint& where, int32_t buttons = -1);
    virtual void setTransparency(bool flag);
    virtual bool getTransparency() const;
    virtual void setViewRect(const CRect& rect);
    virtual CRect& getViewRect(CRect& rect) const;
    virtual bool removed(CView* parent);
    virtual bool attached(CView* parent);
    virtual void getMouseLocation(CDrawContext* context, CPoint& point);
    virtual CPoint& frameToLocal(CPoint& point) const;
    virtual CPoint& localToFrame(CPoint& point) const;
    virtual CFrameEditor* getEditor() const;
    virtual int32_t notify(CView* sender, const char* message);
    virtual void redrawRect(CDrawContext* context, const CRect& rect);
    virtual bool wantsFocus() const;
    virtual void setWantsFocus(bool flag);
    virtual bool isTypeOf(const char* className) const;
    virtual void update(CDrawContext* context);

    // Set by the container that takes the view.
    void setParentFrame(CFrame* frame) { parentFrame = frame; }
    CFrame* getFrame() const { return parentFrame; }
    void setParentView(CView* view) { parentView = view; }
    CView* getParentView() const { return parentView; }
    const CRect& viewSize() const { return viewRect; }

protected:
    CRect viewRect;
    CRect mouseRect;
    CFrame* parentFrame = nullptr;
    CView* parentView = nullptr;
    std::atomic<bool> dirty{false}; // the audio thread may set it
    bool mouseEnabled = true;
    bool transparent = false;
    bool acceptsFocus = false;
    CBitmap* background = nullptr;
};

// Byte-for-byte comparison of class names.
bool sameClassName(const char* a, const char* b);

} // namespace toolkit
