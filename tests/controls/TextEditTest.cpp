// The text edit: its stored text and filters on every backend; opening, typing into and closing
// its native field with the headless backend's scripted field.
#include "ControlFixtures.h"

#include "platform/Window.h"
#include "toolkit/CTextEdit.h"
#include "toolkit/COffscreenContext.h"
#include "toolkit/CViewContainer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#ifndef _WIN32
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessObjects.h"
#endif

using namespace toolkit;
using testsupport::Journal;

namespace {

class TextEdits : public testsupport::ControlFrame {
protected:
    CTextEdit* addEdit(const CRect& r = CRect(20, 10, 120, 30)) {
        auto* edit = new CTextEdit(r, &listener, 1001);
        frame->addView(edit);
        frame->idle();
        journal.clear();
        return edit;
    }
};

TEST_F(TextEdits, SetTextMarksDirtyOnlyForANewTextAndCutsAt255) {
    CTextEdit* edit = addEdit();
    EXPECT_TRUE(edit->wantsFocus());
    EXPECT_EQ(edit->getTag(), 1001);
    EXPECT_EQ(edit->getListener(), &listener);
    EXPECT_TRUE(edit->isTypeOf("CTextEdit"));
    EXPECT_TRUE(edit->isTypeOf("CParamDisplay"));
    EXPECT_TRUE(edit->isTypeOf("CControl"));
    EXPECT_FALSE(edit->isTypeOf("COnOffButton"));

    struct Case {
        const char* name;
        std::string before;
        const char* set; // null: none
        bool dirty;
        std::string after;
    };
    const std::string longest(255, 'x');
    const std::string tooLong = std::string(300, 'y');
    const Case cases[] = {
        {"none on empty", "", nullptr, false, ""},
        {"none on a text", "Kick", nullptr, true, ""},
        {"equal text", "Kick", "Kick", false, "Kick"},
        {"new text", "Kick", "Snare", true, "Snare"},
        {"prefix", "Kick", "Kic", true, "Kic"},
        {"255 characters", "", longest.c_str(), true, longest},
        {"300 characters are cut to 255", "", tooLong.c_str(), true, tooLong.substr(0, 255)},
        {"a cut text equal to the old one", tooLong.substr(0, 255), tooLong.c_str(), false,
         tooLong.substr(0, 255)},
    };
    for (const Case& k : cases) {
        edit->setText(k.before.c_str());
        edit->setDirty(false);
        edit->setText(k.set);
        EXPECT_EQ(edit->isDirty(), k.dirty) << k.name;
        char buffer[kDisplayTextSize];
        std::memset(buffer, '#', sizeof buffer);
        edit->getText(buffer);
        EXPECT_EQ(std::string(buffer), k.after) << k.name;
    }
    edit->getText(nullptr); // no buffer: nothing happens
}

struct FilterCalls {
    int plain = 0, withData = 0;
    void* data = nullptr;
};
FilterCalls filterCalls;

void upperFilter(const char* text, char* display) {
    ++filterCalls.plain;
    std::snprintf(display, kDisplayTextSize, "[%s]", text);
}
void dataFilter(const char* text, char* display, void* data) {
    ++filterCalls.withData;
    filterCalls.data = data;
    std::snprintf(display, kDisplayTextSize, "<%s>", text);
}

TEST_F(TextEdits, FiltersMakeTheDisplayedTextWithoutARedraw) {
    filterCalls = {};
    CTextEdit* edit = addEdit();
    edit->setText("abc");
    char shown[kDisplayTextSize];
    edit->filteredText(shown);
    EXPECT_STREQ(shown, "abc") << "no filter: the text itself";

    edit->setDirty(false);
    edit->setTextFilter(upperFilter);
    EXPECT_FALSE(edit->isDirty());
    edit->filteredText(shown);
    EXPECT_STREQ(shown, "[abc]");

    int marker = 0;
    edit->setTextFilterWithData(dataFilter, &marker);
    EXPECT_FALSE(edit->isDirty());
    EXPECT_EQ(edit->getUserData(), &marker);
    edit->filteredText(shown);
    EXPECT_STREQ(shown, "<abc>") << "the filter with data wins";
    EXPECT_EQ(filterCalls.data, &marker);

    // Drawing goes through the filter too.
    COffscreenContext* context = new COffscreenContext(nullptr, 200, 100);
    const int before = filterCalls.withData;
    edit->draw(context);
    EXPECT_EQ(filterCalls.withData, before + 1);
    EXPECT_FALSE(edit->isDirty());
    context->release();
}

#ifndef _WIN32
namespace headless = platform::headless;

// The scripted field: what the text edit opened, with the font's height.
struct Field {
    platform::Window window = nullptr;
    headless::EditFieldInfo info;
    int fontHeight = 0;
};

class ScriptedTextEdits : public TextEdits {
protected:
    void SetUp() override {
        graphicsObjects = headless::liveGraphicsObjects();
        TextEdits::SetUp();
    }
    void TearDown() override {
        headless::setEditFieldCreationRefused(false);
        headless::setKeyboardFocus(nullptr);
        TextEdits::TearDown();
        EXPECT_EQ(headless::liveEditFields(), 0) << "fields left open";
        EXPECT_EQ(headless::liveGraphicsObjects(), graphicsObjects) << "fonts or brushes left";
    }
    Field openField() {
        Field f;
        f.window = headless::focusedEditField();
        if (f.window && headless::editFieldInfo(f.window, f.info) && f.info.font)
            f.fontHeight = static_cast<platform::FontObject*>(f.info.font)->pixelHeight;
        return f;
    }

public: // for the tables of test actions
    void pressFrame(int x, int y, headless::Button button = headless::Button::Primary) {
        headless::press(frame->getSystemWindow(), x, y, button);
        headless::releaseAll();
    }
    platform::IRect frameOnScreen() { return platform::windowScreenRect(frame->getSystemWindow()); }

    int graphicsObjects = 0;
};

TEST_F(ScriptedTextEdits, AClickOpensTheFieldOverTheControlWithTheTextSelected) {
    CTextEdit* edit = addEdit();
    edit->setText("Kick");
    edit->setAlignment(AlignLeft);
    frame->idle();
    journal.clear();
    pressFrame(30, 15);
    const Field f = openField();
    ASSERT_NE(f.window, nullptr);
    EXPECT_EQ(edit->getEditField(), f.window);
    EXPECT_EQ(frame->getFocusView(), edit);
    EXPECT_EQ(journal, Journal{"begin 1001"});
    const platform::IRect screen = frameOnScreen();
    EXPECT_EQ(f.info.screenRect.left, screen.left + 20);
    EXPECT_EQ(f.info.screenRect.top, screen.top + 10);
    EXPECT_EQ(f.info.screenRect.width(), 100);
    EXPECT_EQ(f.info.screenRect.height(), 20);
    EXPECT_STREQ(f.info.text, "Kick");
    EXPECT_EQ(f.info.selectionStart, 0);
    EXPECT_EQ(f.info.selectionEnd, 4);
    EXPECT_EQ(f.info.limit, 255);
    EXPECT_EQ(f.info.leftMargin, 0);
    EXPECT_EQ(f.info.rightMargin, 0);
    EXPECT_TRUE(f.info.topmost);
    EXPECT_TRUE(f.info.autoScroll);
    EXPECT_TRUE(f.info.handlerReplaced);
    EXPECT_EQ(f.info.align, platform::TextAlign::Left);
    EXPECT_EQ(f.info.owner, nullptr) << "an ordinary host: no owner";
    EXPECT_EQ(f.fontHeight, 12);

    // Typing replaces the selected text; Enter closes the field and keeps it.
    EXPECT_EQ(headless::typeText("Snare"), 5);
    headless::pressKey(headless::EditKey::Enter);
    EXPECT_EQ(edit->getEditField(), nullptr);
    EXPECT_EQ(headless::liveEditFields(), 0);
    EXPECT_STREQ(edit->getTextPointer(), "Snare");
    EXPECT_TRUE(edit->wasEndedWithEnter());
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(journal, (Journal{"begin 1001", "end 1001", "changed 0"}));
    EXPECT_FALSE(edit->isDirty()) << "redrawn at once";
}

TEST_F(ScriptedTextEdits, EveryWayOutKeepsTheTypedText) {
    struct Case {
        const char* name;
        void (*end)(ScriptedTextEdits&, CTextEdit*);
        bool enter;
    };
    const Case cases[] = {
        {"Enter", [](ScriptedTextEdits&, CTextEdit*) { headless::pressKey(headless::EditKey::Enter); },
         true},
        {"a click elsewhere in the editor",
         [](ScriptedTextEdits& t, CTextEdit*) { t.pressFrame(180, 80); }, false},
        {"a right click elsewhere",
         [](ScriptedTextEdits& t, CTextEdit*) { t.pressFrame(180, 80, headless::Button::Secondary); },
         false},
        {"another window takes the focus",
         [](ScriptedTextEdits&, CTextEdit*) { headless::setKeyboardFocus(nullptr); }, false},
        {"the frame moves its focus",
         [](ScriptedTextEdits& t, CTextEdit*) { t.frame->setFocusView(nullptr); }, false},
        {"the control is removed",
         [](ScriptedTextEdits& t, CTextEdit* e) {
             e->retain();
             t.frame->removeView(e);
             EXPECT_STREQ(e->getTextPointer(), "typed");
             e->release();
         },
         false},
    };
    for (const Case& k : cases) {
        CTextEdit* edit = addEdit();
        edit->setText("old");
        pressFrame(30, 15);
        ASSERT_NE(headless::focusedEditField(), nullptr) << k.name;
        headless::typeText("typed");
        headless::pressKey(headless::EditKey::Escape);
        EXPECT_NE(edit->getEditField(), nullptr) << k.name << ": Escape is a plain key";
        journal.clear();
        k.end(*this, edit);
        EXPECT_EQ(headless::liveEditFields(), 0) << k.name;
        EXPECT_EQ(listener.changes, 1) << k.name;
        EXPECT_EQ(journal, (Journal{"end 1001", "changed 0"})) << k.name;
        if (frame->isChild(edit)) {
            EXPECT_STREQ(edit->getTextPointer(), "typed") << k.name;
            EXPECT_EQ(edit->wasEndedWithEnter(), k.enter) << k.name;
            frame->removeView(edit);
        }
        listener.changes = 0;
    }
}

TEST_F(ScriptedTextEdits, NoChangeMeansNoListenerCallAndNoRedraw) {
    CTextEdit* edit = addEdit();
    edit->setText("same");
    frame->idle();
    pressFrame(30, 15);
    headless::typeText("same");
    const int idles = editor.idles;
    headless::pressKey(headless::EditKey::Enter);
    EXPECT_EQ(journal, (Journal{"begin 1001", "end 1001"}));
    EXPECT_EQ(editor.idles, idles) << "no immediate redraw";

    // A second loseFocus after the end only ends the host's edit again.
    journal.clear();
    edit->loseFocus(nullptr);
    EXPECT_EQ(journal, Journal{"end 1001"});
}

TEST_F(ScriptedTextEdits, TheFieldTakesAt255CharactersAndTheTextComesBackWhole) {
    CTextEdit* edit = addEdit();
    pressFrame(30, 15);
    const std::string typed(300, 'a');
    EXPECT_EQ(headless::typeText(typed.c_str()), 255) << "the field refuses the 256th";
    headless::pressKey(headless::EditKey::Backspace);
    EXPECT_EQ(headless::typeText("bc"), 1);
    headless::pressKey(headless::EditKey::Enter);
    EXPECT_EQ(std::strlen(edit->getTextPointer()), 255u);
    EXPECT_EQ(std::string(edit->getTextPointer()), std::string(254, 'a') + "b");

    // Reopened with 255 characters, all of them are selected and typing replaces them.
    pressFrame(30, 15);
    Field f = openField();
    EXPECT_EQ(f.info.selectionEnd, 255);
    EXPECT_EQ(headless::typeText("x"), 1);
    headless::setKeyboardFocus(nullptr);
    EXPECT_STREQ(edit->getTextPointer(), "x");
}

TEST_F(ScriptedTextEdits, ClicksThatDoNotOpenTheField) {
    CTextEdit* edit = addEdit();
    struct Case {
        const char* name;
        int32_t buttons;
        int32_t modifierAnswer;
        bool opens;
        Journal expected;
    };
    const Case cases[] = {
        {"right click", kRightButton, 0, false, {}},
        {"middle click", kMiddleButton, 0, false, {}},
        {"shift click the editor lets through", kLeftButton | kShiftModifier, 0, true,
         {"modifier 9", "begin 1001"}},
        {"control click the listener takes", kLeftButton | kControlModifier, 1, false,
         {"modifier 17"}},
        {"left click", kLeftButton, 0, true, {"begin 1001"}},
    };
    for (const Case& k : cases) {
        listener.modifierAnswer = k.modifierAnswer;
        journal.clear();
        CDrawContext* context = clickContext();
        CPoint where(30, 15);
        edit->onMouseDown(context, where, k.buttons);
        EXPECT_EQ(journal, k.expected) << k.name;
        EXPECT_EQ(edit->getEditField() != nullptr, k.opens) << k.name;
        if (k.opens) {
            // A click while the field is open does nothing.
            journal.clear();
            edit->onMouseDown(context, where, kLeftButton);
            EXPECT_TRUE(journal.empty()) << k.name;
            EXPECT_EQ(headless::liveEditFields(), 1) << k.name;
            frame->setFocusView(nullptr);
        }
        context->release();
    }
    edit->setMouseEnabled(false);
    pressFrame(30, 15);
    EXPECT_EQ(edit->getEditField(), nullptr);
}

TEST_F(ScriptedTextEdits, DoubleClickStyleOpensOnTheSecondClickWithinTheInterval) {
    headless::setDoubleClickTime(500);
    CTextEdit* edit = addEdit();
    edit->setStyle(StyleDoubleClickEdit);
    pressFrame(30, 15);
    EXPECT_EQ(edit->getEditField(), nullptr) << "one click does nothing";
    headless::advanceClock(600);
    pressFrame(30, 15);
    EXPECT_EQ(edit->getEditField(), nullptr) << "too late for a double click";
    headless::advanceClock(200);
    pressFrame(30, 15);
    EXPECT_NE(edit->getEditField(), nullptr) << "the second click within the interval";
    // A click on the open field stays in the field.
    pressFrame(40, 15);
    EXPECT_NE(edit->getEditField(), nullptr);
    frame->setFocusView(nullptr);
}

TEST_F(ScriptedTextEdits, TheFieldFontFollowsTheFontTableAndTheControlHeight) {
    struct Case {
        int height;
        int32_t font;
        int32_t style;
        int expected;
    };
    const Case cases[] = {{20, 3, 0, 12}, {10, 3, 0, 8}, {20, 1, kFontBold, 18}, {14, 1, 0, 12},
                          {20, 6, kFontItalic, 9}, {20, 99, 0, 12}};
    for (const Case& k : cases) {
        CTextEdit* edit = addEdit(CRect(20, 10, 120, 10 + k.height));
        edit->setFont(k.font);
        edit->setFontStyle(k.style);
        pressFrame(30, 12);
        const Field f = openField();
        ASSERT_NE(f.window, nullptr) << k.height;
        EXPECT_EQ(f.fontHeight, k.expected) << k.height << " " << k.font;
        EXPECT_FALSE(static_cast<platform::FontObject*>(f.info.font)->syntheticBold);
        EXPECT_EQ(f.info.screenRect.height(), k.height);
        frame->removeView(edit);
    }
}

TEST_F(ScriptedTextEdits, OnlyAMagixHostGivesTheFieldAnOwner) {
    struct Case {
        const char* vendor;
        bool answers;
        bool owned;
    };
    const Case cases[] = {{"MAGIX", true, true},    {"MAGIX ", true, false}, {"magix", true, false},
                          {"MAGIX AG", true, false}, {"", true, false},      {"MAGIX", false, false}};
    for (const Case& k : cases) {
        editor.vendor = k.vendor;
        editor.hostAnswersVendor = k.answers;
        CTextEdit* edit = addEdit();
        pressFrame(30, 15);
        Field f = openField();
        ASSERT_NE(f.window, nullptr);
        // The frame's window is a child of the host's: its top-level window becomes the owner.
        EXPECT_EQ(f.info.owner, k.owned ? static_cast<platform::Window>(host) : nullptr) << k.vendor;
        headless::pressKey(headless::EditKey::Enter);
        frame->removeView(edit);
    }
}

TEST_F(ScriptedTextEdits, TheFrameWindowColoursTheOpenFieldWithTheDisplayColours) {
    CTextEdit* edit = addEdit();
    edit->setFontColor(CColor{10, 20, 30, 255});
    edit->setBackColor(CColor{200, 150, 100, 255});
    platform::Surface surface = platform::createMemorySurface(nullptr);
    pressFrame(30, 15);
    ASSERT_NE(edit->getEditField(), nullptr);
    platform::Object first = headless::requestEditFieldColors(frame->getSystemWindow(), surface);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, edit->editFieldBrush()) << "the text edit owns the brush";
    EXPECT_EQ(platform::setTextColor(surface, 0), 10u + 20u * 256 + 30u * 65536);
    EXPECT_EQ(platform::setTextBackgroundColor(surface, 0), 200u + 150u * 256 + 100u * 65536);
    platform::Object second = headless::requestEditFieldColors(frame->getSystemWindow(), surface);
    EXPECT_EQ(second, edit->editFieldBrush()) << "each request replaces the brush";
    headless::pressKey(headless::EditKey::Enter);
    EXPECT_EQ(edit->editFieldBrush(), nullptr) << "deleted with the field";
    platform::deleteMemorySurface(surface);
}

// A container that records the messages its children send.
class NotedContainer : public CViewContainer {
public:
    NotedContainer(const CRect& r, CFrame* frame) : CViewContainer(r, frame) {}
    int32_t notify(CView* sender, const char* message) override {
        if (message != kMsgCheckIfViewContainer) notes.push_back(message);
        (void)sender;
        return CViewContainer::notify(sender, message);
    }
    std::vector<std::string> notes;
};

TEST_F(ScriptedTextEdits, InANestedContainerTheFieldLiesOverTheControlAndTheContainerHearsOfTheEnd) {
    auto* container = new NotedContainer(CRect(30, 20, 180, 90), frame);
    frame->addView(container);
    auto* edit = new CTextEdit(CRect(10, 5, 110, 25), &listener, 1001);
    container->addView(edit);
    frame->idle();
    journal.clear();
    pressFrame(30 + 15, 20 + 10);
    const Field f = openField();
    ASSERT_NE(f.window, nullptr);
    const platform::IRect screen = frameOnScreen();
    EXPECT_EQ(f.info.screenRect.left, screen.left + 40);
    EXPECT_EQ(f.info.screenRect.top, screen.top + 25);
    headless::typeText("x");
    headless::pressKey(headless::EditKey::Enter);
    EXPECT_EQ(container->notes, std::vector<std::string>{"LooseFocus"});
    EXPECT_EQ(listener.changes, 1);
    EXPECT_NE(listener.lastContext, nullptr) << "the listener gets a context";
    EXPECT_EQ(listener.lastOrigin, CPoint(30, 20)) << "whose origin is the container's position";
}

TEST_F(ScriptedTextEdits, AFieldThatCannotBeMadeLeavesTheControlFocusedUntilTheFocusMoves) {
    CTextEdit* edit = addEdit();
    headless::setEditFieldCreationRefused(true);
    pressFrame(30, 15);
    EXPECT_EQ(edit->getEditField(), nullptr);
    EXPECT_EQ(frame->getFocusView(), edit);
    EXPECT_EQ(journal, Journal{"begin 1001"});
    CDrawContext* context = clickContext();
    CPoint where(30, 15);
    edit->onMouseDown(context, where, kLeftButton);
    context->release();
    EXPECT_EQ(journal, Journal{"begin 1001"}) << "ignored while focused";
    frame->setFocusView(nullptr);
    EXPECT_EQ(journal, (Journal{"begin 1001", "end 1001"}));
    EXPECT_EQ(listener.changes, 0);
}

TEST_F(ScriptedTextEdits, TheFieldDoesNotOutliveTheControl) {
    CTextEdit* edit = addEdit();
    pressFrame(30, 15);
    headless::typeText("lost");
    ASSERT_EQ(headless::liveEditFields(), 1);
    delete frame; // the editor closes with the field open
    frame = nullptr;
    editor.frame = nullptr;
    EXPECT_EQ(headless::liveEditFields(), 0);
    EXPECT_EQ(headless::focusedEditField(), nullptr);
    (void)edit;
}
#endif

} // namespace
