// A switch drag with the real mouse under Wine: the press comes through the system's input
// queue, and another thread moves the pointer and releases the button while the switch keeps
// the mouse inside its click handler.
#include "ControlFixtures.h"

#include "toolkit/CHorizontalSwitch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

using namespace toolkit;
using testsupport::Journal;
using testsupport::JournalBitmap;

namespace {

class RealMouse : public testsupport::ControlFrame {};

void sendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

TEST_F(RealMouse, ASwitchDragTellsTheListenerOncePerNewPositionUntilTheRelease) {
    auto* strip = new JournalBitmap(80, 80, journal);
    auto* control = new CHorizontalSwitch(CRect(20, 40, 100, 60), &listener, 2, strip, 4, 20, 4);
    strip->release();
    frame->addView(control);
    frame->idle();
    journal.clear();

    RECT window;
    GetWindowRect(reinterpret_cast<HWND>(frame->getSystemWindow()), &window);
    const int y = window.top + 50;
    SetCursorPos(window.left + 25, y);
    sendButton(MOUSEEVENTF_LEFTDOWN);
    std::thread mover([&] {
        Sleep(300);
        for (int x : {45, 65, 85, 140}) {
            SetCursorPos(window.left + x, y);
            Sleep(150);
        }
        sendButton(MOUSEEVENTF_LEFTUP);
    });
    bool ended = false;
    for (int i = 0; i < 500 && !ended; ++i) {
        testsupport::pumpMessages();
        ended = !journal.empty() && journal.back() == "end 2";
        Sleep(10);
    }
    mover.join();
    testsupport::pumpMessages();
    ASSERT_TRUE(ended) << "the drag ends with the release";
    Journal heard;
    for (const std::string& line : journal)
        if (line.rfind("changed", 0) == 0 || line.rfind("begin", 0) == 0 || line.rfind("end", 0) == 0)
            heard.push_back(line);
    EXPECT_EQ(heard, (Journal{"begin 2", "changed 0.3333", "changed 0.6667", "changed 1", "end 2"}));
    EXPECT_EQ(control->getValue(), 1.0f);
}

} // namespace
