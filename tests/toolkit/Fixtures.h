// Views and an editor that record what happens to them, for the view and frame tests.
#pragma once

#include "toolkit/CControl.h"
#include "toolkit/CDragContainer.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrameEditor.h"

#include <cstdio>
#include <string>
#include <vector>

namespace testsupport {

class FakeEditor : public toolkit::CFrameEditor {
public:
    void doIdle() override { ++idles; }
    void beginEdit(int32_t tag) override { log.push_back("begin " + std::to_string(tag)); }
    void endEdit(int32_t tag) override { log.push_back("end " + std::to_string(tag)); }
    int32_t getKnobMode() const override { return 2; }
    bool sizeHostWindow(int32_t width, int32_t height) override {
        sizeRequests.push_back({width, height});
        return hostAcceptsSize;
    }
    bool getHostVendorString(char* text) override {
        if (!hostAnswersVendor) return false;
        std::snprintf(text, toolkit::kHostVendorStringSize, "%s", vendor.c_str());
        return true;
    }
    int idles = 0;
    bool hostAcceptsSize = false;
    bool hostAnswersVendor = true;
    std::string vendor = "Test Host";
    std::vector<std::string> log;
    std::vector<toolkit::CPoint> sizeRequests;
};

// A control painted in one colour over its whole rectangle, recording every event it gets.
class PaintedControl : public toolkit::CControl {
public:
    PaintedControl(const toolkit::CRect& r, toolkit::CColor c, std::vector<std::string>* journal,
                   std::string controlName, toolkit::CControlListener* l = nullptr, int32_t t = 0)
        : CControl(r, l, t), color(c), events(journal), name(std::move(controlName)) {}

    void draw(toolkit::CDrawContext* context) override {
        ++draws;
        if (events) events->push_back("draw " + name);
        context->setFillColor(color);
        toolkit::CRect r = viewRect;
        r.left -= 1; // the fill leaves out the top row and the left column
        r.top -= 1;
        context->fillRect(r);
        setDirty(false);
    }
    void onMouseDown(toolkit::CDrawContext*, toolkit::CPoint& where, int32_t buttons) override {
        clicks.push_back(where);
        lastButtons = buttons;
        if (events) events->push_back("click " + name);
    }
    int32_t onKeyDown(VstKeyCode&) override { return keyAnswer; }
    bool onWheel(toolkit::CDrawContext*, const toolkit::CPoint& where, float distance) override {
        wheels.push_back(distance);
        wheelPoint = where;
        return true;
    }
    void onDragEnter(toolkit::CDrawContext*, toolkit::CDragContainer* drag,
                     const toolkit::CPoint&) override {
        if (events) events->push_back("dragEnter " + name + " " + std::to_string(drag->getCount()));
    }
    void onDragMove(toolkit::CDrawContext*, toolkit::CDragContainer*, const toolkit::CPoint&) override {
        if (events) events->push_back("dragMove " + name);
    }
    void onDragLeave(toolkit::CDrawContext*, toolkit::CDragContainer*, const toolkit::CPoint&) override {
        if (events) events->push_back("dragLeave " + name);
    }
    bool onDrop(toolkit::CDrawContext*, toolkit::CDragContainer*, const toolkit::CPoint&) override {
        if (events) events->push_back("drop " + name);
        return false;
    }
    void loseFocus(toolkit::CDrawContext*) override {
        if (events) events->push_back("loseFocus " + name);
    }

    toolkit::CColor color;
    std::vector<std::string>* events;
    std::string name;
    int draws = 0;
    int32_t keyAnswer = -1;
    int32_t lastButtons = 0;
    std::vector<toolkit::CPoint> clicks;
    std::vector<float> wheels;
    toolkit::CPoint wheelPoint;
};

class RecordingListener : public toolkit::CControlListener {
public:
    void valueChanged(toolkit::CDrawContext*, toolkit::CControl* control) override {
        changes.push_back(control->getValue());
    }
    std::vector<float> changes;
};

} // namespace testsupport
