// The frame's side of its platform window: paint, mouse-down, wheel and destroy events, and the
// drags that the window's drop target reports.
#pragma once

#include "platform/Window.h"

namespace toolkit {

class CFrame;
class CDragContainer;

class CFrameWindow final : public platform::WindowEvents {
public:
    explicit CFrameWindow(CFrame& owner) : frame(owner) {}

    void paint(platform::Surface surface, const platform::IRect& area) override;
    void mouseDown(int32_t x, int32_t y) override;
    void wheel(int32_t x, int32_t y, float distance) override;
    void windowDestroyed() override;
    platform::Object editFieldColors(platform::Surface editSurface) override;
    bool dragEnter(int32_t itemCount) override;
    bool dragOver() override;
    void dragLeave() override;
    bool drop() override;

    // The drag in progress over any frame window of the process, none otherwise.
    static CDragContainer* activeDrag();

private:
    CFrame& frame;
};

} // namespace toolkit
