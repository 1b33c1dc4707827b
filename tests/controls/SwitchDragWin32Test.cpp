// A switch drag with the real mouse under Wine: the press comes through the system's input
// queue, and another thread moves the pointer and releases the button while the switch keeps
// the mouse inside its click handler.
#include "ControlFixtures.h"

#include "toolkit/CHorizontalSwitch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>

using namespace toolkit;
using testsupport::Journal;
using testsupport::JournalBitmap;

namespace {

class RealMouse : public testsupport::ControlFrame {};

// A mouse event at a screen point, in the absolute coordinates of the input queue.
void sendMouse(DWORD flags, int x, int y) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG((int64_t(x) * 65536 + width - 1) / width);
    input.mi.dy = LONG((int64_t(y) * 65536 + height - 1) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

TEST_F(RealMouse, ASwitchDragTellsTheListenerOncePerNewPositionUntilTheRelease) {
    auto* strip = new JournalBitmap(80, 80, journal);
    auto* control = new CHorizontalSwitch(CRect(20, 40, 100, 60), &listener, 2, strip, 4, 20, 4);
    strip->release();
    frame->addView(control);
    frame->idle();
    journal.clear();

    // The window manager of the display may still move the new host window: let it settle.
    for (int i = 0; i < 30; ++i) {
        testsupport::pumpMessages();
        Sleep(10);
    }
    RECT window;
    GetWindowRect(reinterpret_cast<HWND>(frame->getSystemWindow()), &window);
    const int y = window.top + 50;
    // The pointer settles before the press; each later position is held until the switch's
    // loop has gone round several times, so it sees every position in order.
    sendMouse(0, window.left + 25, y);
    for (int i = 0; i < 20; ++i) {
        testsupport::pumpMessages();
        Sleep(10);
    }
    sendMouse(MOUSEEVENTF_LEFTDOWN, window.left + 25, y);
    std::thread mover([&] {
        const auto waitSteps = [&](int steps) {
            const int target = editor.idleSteps.load() + steps;
            for (int i = 0; i < 1000 && editor.idleSteps.load() < target; ++i) Sleep(5);
        };
        waitSteps(3);
        for (int x : {45, 65, 85, 140}) {
            sendMouse(0, window.left + x, y);
            waitSteps(5);
        }
        sendMouse(MOUSEEVENTF_LEFTUP, window.left + 140, y);
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
    Journal changes;
    for (const std::string& line : journal)
        if (line.rfind("changed", 0) == 0) changes.push_back(line);
    EXPECT_EQ(journal.front(), "begin 2");
    // Under Wine a pointer read can briefly answer the position before a move (the X server has
    // not seen the warp yet), so the switch may hear of a position again; but never twice in a
    // row, and the positions of the drag come in their order.
    for (size_t i = 1; i < changes.size(); ++i) EXPECT_NE(changes[i], changes[i - 1]);
    ASSERT_GE(changes.size(), 3u);
    EXPECT_EQ(Journal(changes.end() - 3, changes.end()),
              (Journal{"changed 0.3333", "changed 0.6667", "changed 1"}));
    EXPECT_EQ(control->getValue(), 1.0f);
}

} // namespace
