// A view that holds an ordered list of child views: draws them, routes events to them and knows
// whether anything inside needs redrawing. The first child lies at the back.
#pragma once

#include "toolkit/CColor.h"
#include "toolkit/CView.h"

namespace toolkit {

class COffscreenContext;

enum : int32_t { kUpdateAll = 0, kUpdateDirtyOnly = 1 };

class CViewContainer : public CView {
public:
    CViewContainer(const CRect& size, CFrame* frame, CBitmap* background = nullptr);
    ~CViewContainer() override;

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void onMouseDown(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;
    bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                 float distance) override;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
    bool onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    void onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    void loseFocus(CDrawContext* context = nullptr) override;
    void takeFocus(CDrawContext* context = nullptr) override;
    bool isDirty() const override;
    void setViewRect(const CRect& rect) override;
    bool removed(CView* parent) override;
    bool attached(CView* parent) override;
    CPoint& frameToLocal(CPoint& point) const override;
    CPoint& localToFrame(CPoint& point) const override;
    int32_t notify(CView* sender, const char* message) override;
    void redrawRect(CDrawContext* context, const CRect& rect) override;
    bool isTypeOf(const char* className) const override;
    void update(CDrawContext* context) override;

    virtual void addView(CView* view, const CRect& mouseRect, bool mouseEnabled = true);
    virtual void addView(CView* view);
    virtual void removeView(CView* view, bool withRelease = true);
    virtual void removeAll(bool withRelease = true);
    virtual bool isChild(CView* view) const;
    virtual int32_t getViewCount() const;
    virtual CView* getView(int32_t index) const;
    virtual void setBackgroundColor(CColor color);
    virtual CColor getBackgroundColor() const;
    virtual void setBackgroundOffset(const CPoint& offset);
    virtual const CPoint& getBackgroundOffset() const;
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& rect);
    virtual void setUpdateMode(int32_t mode);
    virtual int32_t getUpdateMode() const;
    virtual void setDrawOffscreen(bool flag);
    virtual CView* getViewUnderMouse();
    virtual CView* getViewAt(const CPoint& where, bool deep = false);
    virtual bool focusNextView(CView* oldFocus, bool reverse = false);

protected:
    struct Entry {
        CView* view;
        Entry* next = nullptr;
        Entry* previous = nullptr;
    };

    // The context to draw children into: the offscreen surface when drawing offscreen.
    CDrawContext* beginChildDrawing(CDrawContext* context, CRect& savedArea);
    void endChildDrawing(CDrawContext* context, CDrawContext* target, const CRect& savedArea);
    void unlink(Entry* entry);

    Entry* firstEntry = nullptr;
    Entry* lastEntry = nullptr;
    int32_t updateMode = kUpdateDirtyOnly;
    COffscreenContext* offscreen = nullptr;
    CColor backgroundColor = kBlackCColor;
    CPoint containerBackgroundOffset;
    bool drawOffscreen = false;
    CView* currentDragView = nullptr;
};

} // namespace toolkit
