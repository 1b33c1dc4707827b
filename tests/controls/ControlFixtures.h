// A frame in a host window whose editor redraws on every idle step, a listener and a bitmap that
// write into one journal, so tests can check the order of redraws, edits and listener calls.
#pragma once

#include "LiveObjects.h"
#include "PngMaker.h"
#include "TestPlatform.h"

#include "platform/Input.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CControl.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"
#include "toolkit/CFrameEditor.h"

#include <cstdio>
#include <string>
#include <vector>

namespace testsupport {

using Journal = std::vector<std::string>;

class JournalEditor : public toolkit::CFrameEditor {
public:
    explicit JournalEditor(Journal& j) : journal(j) {}
    void doIdle() override {
        ++idles;
        if (frame) frame->idle();
        platform::sleepMs(10);
    }
    void beginEdit(int32_t tag) override { journal.push_back("begin " + std::to_string(tag)); }
    void endEdit(int32_t tag) override { journal.push_back("end " + std::to_string(tag)); }
    int32_t getKnobMode() const override { return 2; }
    bool sizeHostWindow(int32_t, int32_t) override { return false; }
    bool getHostVendorString(char* text) override {
        if (!hostAnswersVendor) return false;
        std::snprintf(text, toolkit::kHostVendorStringSize, "%s", vendor.c_str());
        return true;
    }

    Journal& journal;
    toolkit::CFrame* frame = nullptr;
    int idles = 0;
    bool hostAnswersVendor = true;
    std::string vendor = "Test Host";
};

class JournalListener : public toolkit::CControlListener {
public:
    explicit JournalListener(Journal& j) : journal(j) {}
    void valueChanged(toolkit::CDrawContext* context, toolkit::CControl* control) override {
        char line[64];
        std::snprintf(line, sizeof line, "changed %.4g", double(control->getValue()));
        journal.push_back(line);
        ++changes;
        lastContext = context;
        if (context) lastOrigin = context->getDrawingOrigin();
    }
    int32_t modifierClicked(toolkit::CDrawContext*, toolkit::CControl*, int32_t buttons) override {
        journal.push_back("modifier " + std::to_string(buttons));
        return modifierAnswer;
    }
    Journal& journal;
    int32_t modifierAnswer = 0;
    int changes = 0;
    toolkit::CDrawContext* lastContext = nullptr;
    toolkit::CPoint lastOrigin;
};

// A bitmap of the given size that notes the source offset of every draw.
class JournalBitmap : public toolkit::CBitmap {
public:
    JournalBitmap(int width, int height, Journal& j) : JournalBitmap(greyPng(width, height), j) {}
    JournalBitmap(const std::vector<unsigned char>& bytes, Journal& j)
        : CBitmap(bytes.data(), bytes.size()), journal(j) {}

    void draw(toolkit::CDrawContext* c, const toolkit::CRect& r, const toolkit::CPoint& o) override {
        journal.push_back("draw " + std::to_string(o.x) + "," + std::to_string(o.y));
        CBitmap::draw(c, r, o);
    }
    void drawWithTransparency(toolkit::CDrawContext* c, const toolkit::CRect& r,
                              const toolkit::CPoint& o) override {
        journal.push_back("keyed " + std::to_string(o.x) + "," + std::to_string(o.y));
        CBitmap::drawWithTransparency(c, r, o);
    }
    static std::vector<unsigned char> greyPng(int w, int h) {
        return makePng(w, h, 4, std::vector<unsigned char>(size_t(w) * size_t(h) * 4, 128));
    }
    Journal& journal;
};

// A frame of 200 x 100 in a host window, painted once so that idle steps redraw.
class ControlFrame : public NoLeaks {
protected:
    void SetUp() override {
        NoLeaks::SetUp();
        host = createHostWindow(200, 100);
        frame = new toolkit::CFrame(toolkit::CRect(0, 0, 200, 100), host, &editor);
        editor.frame = frame;
        repaint(frame->getSystemWindow(), {0, 0, 200, 100});
    }
    void TearDown() override {
        delete frame;
        if (host && isWindow(host)) destroyWindow(host);
        pumpMessages();
        NoLeaks::TearDown();
    }
    // A context on the frame's window, as the frame makes one for a click.
    toolkit::CDrawContext* clickContext() { return frame->createDrawContext(); }

public: // for the tables of test actions
    Journal journal;
    JournalEditor editor{journal};
    JournalListener listener{journal};
    void* host = nullptr;
    toolkit::CFrame* frame = nullptr;
    ImageLibrary library;
};

} // namespace testsupport
