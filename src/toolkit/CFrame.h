// The top container of an editor window: owns every view, runs the redraw cycle through a
// frame-sized back buffer, routes input, keeps the focus and modal views, and resizes itself and
// the host's windows.
#pragma once

#include "platform/Graphics.h"
#include "toolkit/CFrameWindow.h"
#include "toolkit/CViewContainer.h"

namespace toolkit {

class CDrawContext;
class COffscreenContext;
class CFrameEditor;

class CFrame : public CViewContainer {
public:
    // `systemWindow` is the host's window the frame's own window is created in (may be none).
    CFrame(const CRect& size, void* systemWindow, CFrameEditor* editor);
    ~CFrame() override;

    void draw(CDrawContext* context = nullptr) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void onMouseDown(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;
    using CViewContainer::onWheel;
    bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                 float distance) override;
    void setViewRect(const CRect& rect) override;
    CFrameEditor* getEditor() const override;
    bool isTypeOf(const char* className) const override;
    void update(CDrawContext* context) override;
    CView* getViewUnderMouse() override;
    bool focusNextView(CView* oldFocus, bool reverse = false) override;

    virtual bool open(CPoint* position = nullptr);
    virtual bool close();
    virtual bool isOpen() const;
    virtual void idle();
    virtual void doIdle();
    virtual uint32_t getTicks() const;
    virtual int32_t getKnobMode() const;
    virtual bool setPosition(int32_t x, int32_t y);
    virtual bool getPosition(int32_t& x, int32_t& y) const;
    virtual bool setSize(int32_t width, int32_t height);
    virtual bool getSize(CRect& rect) const;
    virtual bool getSize(CRect* rect) const;
    virtual int32_t setModalView(CView* view);
    virtual CView* getModalView() const;
    virtual void beginEdit(int32_t tag);
    virtual void endEdit(int32_t tag);
    virtual bool getCurrentMouseLocation(CPoint& where) const;
    virtual void setCursor(int32_t type);
    virtual void setFocusView(CView* view);
    virtual CView* getFocusView() const;
    virtual bool setDropActive(bool flag);
    virtual bool isDropActive() const;
    virtual void setOpenFlag(bool flag);
    virtual bool getOpenFlag() const;
    virtual void invalidate(const CRect& rect);
    virtual bool setUpdatesDisabled(bool flag);
    virtual bool updatesDisabled() const;
    virtual void drawView(CView* view);

    // A new context on the frame's window, or the frame context retained while one is set; the
    // caller releases it.
    CDrawContext* createDrawContext();
    // The frame-sized back buffer, made on first use; no extra reference.
    COffscreenContext* getBackBuffer();
    platform::Window getSystemWindow() const { return window; }
    void* getParentSystemWindow() const { return parentWindow; }
    bool isFirstDraw() const { return firstDraw; }

private:
    friend class CFrameWindow;
    // The platform destroyed the window under the frame.
    void windowLost();

    CFrameEditor* editor;
    void* parentWindow;
    CView* modalView = nullptr;
    CView* focusView = nullptr;
    bool firstDraw = true;
    bool openFlag = true;
    bool dropActive = false;
    bool updatesDisabledFlag = false;
    platform::Window window = nullptr;
    void* imageLibrary = nullptr;
    bool dropTargetRegistered = false;
    COffscreenContext* backBuffer = nullptr;
    CDrawContext* frameContext = nullptr;
    void* defaultCursor = nullptr;
    CFrameWindow windowEvents;
};

} // namespace toolkit
