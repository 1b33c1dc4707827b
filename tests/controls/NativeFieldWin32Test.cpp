// The text edit's real "EDIT" field under Wine: where and how it opens, typed keys that arrive
// through the system's input queue, Enter and the loss of focus, and the MAGIX owner rule.
#include "ControlFixtures.h"

#include "toolkit/CTextEdit.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace toolkit;
using testsupport::Journal;

namespace {

class NativeFields : public testsupport::ControlFrame {
protected:
    CTextEdit* addEdit() {
        auto* edit = new CTextEdit(CRect(20, 10, 120, 30), &listener, 1001);
        frame->addView(edit);
        frame->idle();
        journal.clear();
        return edit;
    }
    HWND open(CTextEdit* edit) {
        CDrawContext* context = clickContext();
        CPoint where(30, 15);
        edit->onMouseDown(context, where, kLeftButton);
        context->release();
        testsupport::pumpMessages();
        return reinterpret_cast<HWND>(edit->getEditField());
    }
    // Pumps messages (translating keys) until the condition holds or three seconds have passed.
    template <class Condition> bool waitFor(Condition condition) {
        for (int i = 0; i < 300; ++i) {
            testsupport::pumpMessages();
            if (condition()) return true;
            Sleep(10);
        }
        return false;
    }
    // Presses and releases each virtual key through the system's input queue.
    static void typeKeys(const std::vector<WORD>& keys) {
        std::vector<INPUT> inputs;
        for (WORD key : keys) {
            INPUT down{};
            down.type = INPUT_KEYBOARD;
            down.ki.wVk = key;
            INPUT up = down;
            up.ki.dwFlags = KEYEVENTF_KEYUP;
            inputs.push_back(down);
            inputs.push_back(up);
        }
        SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    static std::string fieldText(HWND field) {
        char buffer[300] = {};
        GetWindowTextA(field, buffer, sizeof buffer);
        return buffer;
    }
    HWND frameWindow() { return reinterpret_cast<HWND>(frame->getSystemWindow()); }
};

TEST_F(NativeFields, AClickOpensARealEditFieldThatTakesTypedKeysAndCommitsOnEnter) {
    CTextEdit* edit = addEdit();
    edit->setText("Kick");
    HWND field = open(edit);
    ASSERT_TRUE(IsWindow(field));
    char className[16] = {};
    GetClassNameA(field, className, sizeof className);
    EXPECT_STREQ(className, "Edit") << "the system's edit class";
    EXPECT_EQ(fieldText(field), "Kick");
    DWORD start = 1, end = 0;
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
    EXPECT_EQ(SendMessageA(field, EM_GETLIMITTEXT, 0, 0), 255);
    EXPECT_EQ(SendMessageA(field, EM_GETMARGINS, 0, 0), 0);
    EXPECT_EQ(SendMessageA(field, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
    const LONG_PTR style = GetWindowLongPtrA(field, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
    EXPECT_TRUE(style & ES_CENTER);
    EXPECT_FALSE(style & (WS_BORDER | WS_CAPTION));
    EXPECT_TRUE(GetWindowLongPtrA(field, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(field, GW_OWNER), nullptr) << "an ordinary host: no owner";
    RECT frameRect, fieldRect;
    GetWindowRect(frameWindow(), &frameRect);
    GetWindowRect(field, &fieldRect);
    EXPECT_EQ(fieldRect.left, frameRect.left + 20);
    EXPECT_EQ(fieldRect.top, frameRect.top + 10);
    EXPECT_EQ(fieldRect.right - fieldRect.left, 100);
    EXPECT_EQ(fieldRect.bottom - fieldRect.top, 20);
    EXPECT_EQ(GetFocus(), field);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_EQ(journal, Journal{"begin 1001"});

    // Typed keys replace the selection; Escape is a plain key of the field.
    typeKeys({'H', 'I', VK_ESCAPE});
    ASSERT_TRUE(waitFor([&] { return fieldText(field) == "hi"; })) << fieldText(field);
    EXPECT_TRUE(IsWindow(field));
    typeKeys({VK_RETURN});
    ASSERT_TRUE(waitFor([&] { return edit->getEditField() == nullptr; }));
    EXPECT_FALSE(IsWindow(field));
    EXPECT_STREQ(edit->getTextPointer(), "hi");
    EXPECT_TRUE(edit->wasEndedWithEnter());
    EXPECT_EQ(journal, (Journal{"begin 1001", "end 1001", "changed 0"}));
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(NativeFields, UnderMagixTheFieldBelongsToTheEditorsTopLevelWindow) {
    struct Case {
        const char* vendor;
        bool owned;
    };
    for (const Case& k : {Case{"MAGIX", true}, Case{"Other", false}}) {
        editor.vendor = k.vendor;
        CTextEdit* edit = addEdit();
        edit->setText("abc");
        edit->setBackColor(CColor{200, 150, 100, 255});
        HWND field = open(edit);
        ASSERT_TRUE(IsWindow(field)) << k.vendor;
        // A child window cannot own a pop-up: the system gives the field to its top-level window.
        EXPECT_EQ(GetWindow(field, GW_OWNER), k.owned ? GetAncestor(frameWindow(), GA_ROOT) : nullptr)
            << k.vendor;
        // The system's edit control asks its parent for colours, which for a pop-up is the owner:
        // the host's top-level window, never the frame's child window.
        RedrawWindow(field, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        testsupport::pumpMessages();
        EXPECT_EQ(edit->editFieldBrush(), nullptr) << k.vendor;

        // Another window taking the focus ends the edit and keeps what was typed.
        typeKeys({'X'});
        ASSERT_TRUE(waitFor([&] { return fieldText(field) == "x"; })) << fieldText(field);
        SetFocus(reinterpret_cast<HWND>(host));
        ASSERT_TRUE(waitFor([&] { return edit->getEditField() == nullptr; })) << k.vendor;
        EXPECT_STREQ(edit->getTextPointer(), "x");
        EXPECT_FALSE(edit->wasEndedWithEnter());
        EXPECT_EQ(edit->editFieldBrush(), nullptr);
        EXPECT_EQ(listener.changes, 1);
        listener.changes = 0;
        frame->removeView(edit);
    }
}

TEST_F(NativeFields, ClosingTheEditorWhileEditingDestroysTheField) {
    editor.vendor = "MAGIX";
    CTextEdit* edit = addEdit();
    HWND field = open(edit);
    ASSERT_TRUE(IsWindow(field));
    delete frame;
    frame = nullptr;
    editor.frame = nullptr;
    testsupport::pumpMessages();
    EXPECT_FALSE(IsWindow(field));
}

} // namespace
