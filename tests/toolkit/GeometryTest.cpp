// Rectangles, points, colours and reference counting.
#include "toolkit/CColor.h"
#include "toolkit/CRect.h"
#include "toolkit/CReferenceCounter.h"

#include <gtest/gtest.h>

using namespace toolkit;

TEST(Geometry, BoundNeverLeavesANegativeSize) {
    struct Case {
        CRect rect, by, expected;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {20, 20, 30, 30}, {20, 20, 20, 20}},
        {{0, 0, 10, 10}, {5, -5, 8, 20}, {5, 0, 8, 10}},
        {{0, 0, 10, 10}, {0, 0, 10, 10}, {0, 0, 10, 10}},
        {{5, 5, 6, 6}, {-10, -10, 2, 2}, {5, 5, 5, 5}},
    };
    for (const Case& c : cases) {
        CRect r = c.rect;
        EXPECT_EQ(r.bound(c.by), c.expected);
        EXPECT_GE(r.width(), 0);
        EXPECT_GE(r.height(), 0);
    }
}

TEST(Geometry, OverlapAndInsideCountTheEdges) {
    const CRect a(0, 0, 10, 10);
    EXPECT_TRUE(a.rectOverlap(CRect(10, 10, 20, 20)));
    EXPECT_FALSE(a.rectOverlap(CRect(11, 0, 20, 10)));
    EXPECT_TRUE(a.pointInside(CPoint(10, 10)));
    EXPECT_TRUE(a.pointInside(CPoint(0, 0)));
    EXPECT_FALSE(a.pointInside(CPoint(11, 5)));
    EXPECT_FALSE(a.pointInside(CPoint(5, -1)));
    CRect moved = a;
    EXPECT_EQ(moved.offset(3, -2), CRect(3, -2, 13, 8));
}

TEST(Geometry, ColoursReachThePlatformWithoutAlpha) {
    EXPECT_EQ((CColor{255, 0, 0, 255}).toPlatform(), 255u);
    EXPECT_EQ((CColor{0, 0, 255, 255}).toPlatform(), 255u * 65536u);
    EXPECT_EQ((CColor{1, 2, 3, 0}).toPlatform(), 1u + 2u * 256u + 3u * 65536u);
}

namespace {
struct Probe : CReferenceCounter {
    explicit Probe(int& d) : destroyed(d) {}
    ~Probe() override { ++destroyed; }
    int& destroyed;
};
} // namespace

TEST(ReferenceCounting, DestroyedAtTheLastReleaseOnly) {
    int destroyed = 0;
    auto* p = new Probe(destroyed);
    p->retain();
    EXPECT_EQ(p->getNbReference(), 2);
    p->release();
    EXPECT_EQ(destroyed, 0);
    p->release();
    EXPECT_EQ(destroyed, 1);
}
