// A fixture that proves each test leaves no live views, bitmaps, contexts or drags behind.
#pragma once

#include "toolkit/CBitmap.h"
#include "toolkit/CDragContainer.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CView.h"

#include <gtest/gtest.h>

namespace testsupport {

class NoLeaks : public ::testing::Test {
protected:
    void SetUp() override {
        views = toolkit::CView::liveCount();
        bitmaps = toolkit::CBitmap::liveCount();
        contexts = toolkit::CDrawContext::liveCount();
        drags = toolkit::CDragContainer::liveCount();
    }
    void TearDown() override {
        EXPECT_EQ(toolkit::CView::liveCount(), views) << "views left alive";
        EXPECT_EQ(toolkit::CBitmap::liveCount(), bitmaps) << "bitmaps left alive";
        EXPECT_EQ(toolkit::CDrawContext::liveCount(), contexts) << "contexts left alive";
        EXPECT_EQ(toolkit::CDragContainer::liveCount(), drags) << "drags left alive";
    }

private:
    int views = 0, bitmaps = 0, contexts = 0, drags = 0;
};

} // namespace testsupport
