// An effect made through the entry point's steps whose editor opens in a host window of the
// test's platform, and checks that every view and bitmap is gone again at the end.
#pragma once

#include "TestHost.h"
#include "TestPlatform.h"

#include "platform/Window.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"
#include "toolkit/CView.h"

#include <gtest/gtest.h>

#include <memory>

namespace testeditor {

// A pixel of a bitmap as the platform's colour (premultiplied, so exact for opaque pixels), and
// its alpha.
inline uint32_t bitmapPixel(const toolkit::CBitmap& b, int x, int y, int* alpha = nullptr) {
    const uint8_t* p =
        b.getPixels() + (size_t(b.getHeight() - 1 - y) * size_t(b.getWidth()) + size_t(x)) * 4;
    if (alpha) *alpha = p[3];
    return uint32_t(p[2]) | (uint32_t(p[1]) << 8) | (uint32_t(p[0]) << 16);
}

class EditorWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testhost::resetHost();
        views = toolkit::CView::liveCount();
        bitmaps = toolkit::CBitmap::liveCount();
        host = testsupport::createHostWindow(250, 303);
        plugin = std::make_unique<testhost::Instance>();
        testhost::recorder().resizeWindow = [this](int width, int height) {
            resizeHost(width, height);
        };
    }
    void TearDown() override {
        plugin.reset();
        testsupport::destroyWindow(host);
        testsupport::pumpMessages();
        testhost::resetHost();
        EXPECT_EQ(toolkit::CView::liveCount(), views) << "views left alive";
        EXPECT_EQ(toolkit::CBitmap::liveCount(), bitmaps) << "bitmaps left alive";
    }
    // The host resizes its window when it accepts the editor's request.
    void resizeHost(int width, int height) {
        platform::setWindowSizeOnTop(static_cast<platform::Window>(host), width, height);
    }

    OrvaneVUMeterGUI& gui() { return plugin->gui(); }
    void open() {
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, host), 1);
        testsupport::pumpMessages();
        ASSERT_NE(window(), nullptr);
        paint();
    }
    void close() { plugin->dispatch(effEditClose); }
    void* window() const {
        toolkit::CFrame* frame = plugin->gui().getFrame();
        return frame ? frame->getSystemWindow() : nullptr;
    }
    void paint() {
        const toolkit::CRect r = gui().getFrame()->viewSize();
        testsupport::repaint(window(), {0, 0, r.width(), r.height()});
    }
    void set(VstInt32 index, float value) { plugin->record->setParameter(plugin->record, index, value); }
    std::pair<int, int> rect() {
        ERect* r = nullptr;
        EXPECT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &r), 1);
        return {r->right - r->left, r->bottom - r->top};
    }

    void* host = nullptr;
    std::unique_ptr<testhost::Instance> plugin;

private:
    int views = 0, bitmaps = 0;
};

} // namespace testeditor
