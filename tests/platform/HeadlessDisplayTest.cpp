// The headless backend with a host's display (HeadlessDisplay.h): parents the display vouches
// for, the pump, presented pixels, the shared clock and resizes; and foreign handles, which still
// give an editor drawn off screen.
#include "LiveObjects.h"

#include "platform/Input.h"
#include "platform/Window.h"
#include "platform/headless/Headless.h"
#include "toolkit/CFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace toolkit;
namespace headless = platform::headless;

namespace {

// A display with windows that are slots of an array: the backend gets their addresses as
// handles and must only ever hand them back.
struct FakeDisplay {
    struct Slot {
        bool live = false;
        int32_t width = 0, height = 0;
        std::vector<uint32_t> pixels;
        std::vector<const RvHeadlessClient*> clients;
    };
    Slot slots[2];
    uint32_t clock = 5000;
    int isWindowCalls = 0;
    std::vector<std::pair<int32_t, int32_t>> resizes;
    int presents = 0;

    Slot* find(const void* handle) {
        for (Slot& s : slots)
            if (&s == handle && s.live) return &s;
        return nullptr;
    }
    void pump(Slot& s) {
        const auto clients = s.clients;
        for (const RvHeadlessClient* c : clients) c->pump(c->context);
    }
};

FakeDisplay fake;

const RvHeadlessDisplay kTable = {
    kHeadlessDisplayVersion,
    sizeof(RvHeadlessDisplay),
    [](const void* h) {
        ++fake.isWindowCalls;
        return fake.find(h) ? 1 : 0;
    },
    [](const void* h, int32_t* w, int32_t* ht) {
        FakeDisplay::Slot* s = fake.find(h);
        if (!s) return 0;
        *w = s->width;
        *ht = s->height;
        return 1;
    },
    [](const void* h, int32_t w, int32_t ht) {
        FakeDisplay::Slot* s = fake.find(h);
        if (!s) return 0;
        fake.resizes.emplace_back(w, ht);
        s->width = w;
        s->height = ht;
        return 1;
    },
    [] { return fake.clock; },
    [](uint32_t ms) { fake.clock += ms; },
    [](const void* h, int32_t x, int32_t y, int32_t w, int32_t ht, const uint32_t* p, int32_t stride) {
        FakeDisplay::Slot* s = fake.find(h);
        if (!s) return;
        ++fake.presents;
        s->pixels.assign(size_t(s->width) * size_t(s->height), 0u);
        for (int32_t row = 0; row < ht && y + row < s->height; ++row)
            for (int32_t col = 0; col < w && x + col < s->width; ++col)
                s->pixels[size_t(y + row) * size_t(s->width) + size_t(x + col)] =
                    p[size_t(row) * size_t(stride) + size_t(col)];
    },
    [](const void* h, const RvHeadlessClient* c) {
        FakeDisplay::Slot* s = fake.find(h);
        if (!s) return 0;
        s->clients.push_back(c);
        return 1;
    },
    [](const void* h, const RvHeadlessClient* c) {
        if (FakeDisplay::Slot* s = fake.find(h)) std::erase(s->clients, c);
    },
};

class HeadlessDisplay : public testsupport::NoLeaks {
protected:
    void SetUp() override {
        NoLeaks::SetUp();
        fake = FakeDisplay{};
        fake.slots[0] = {true, 60, 40, {}, {}};
        windows = headless::liveWindowCount();
        headless::useHostDisplay(&kTable);
    }
    void TearDown() override {
        headless::useProcessDisplay();
        EXPECT_EQ(headless::liveWindowCount(), windows) << "stand-ins left alive";
        NoLeaks::TearDown();
    }
    void* handle() { return &fake.slots[0]; }
    int windows = 0;
};

TEST_F(HeadlessDisplay, AVouchedParentIsPaintedAtThePumpAndPresentedToTheHost) {
    auto* frame = new CFrame(CRect(0, 0, 50, 30), handle(), nullptr);
    platform::Window window = frame->getSystemWindow();
    ASSERT_NE(window, nullptr);
    platform::Window standIn = platform::parentWindow(window);
    ASSERT_NE(standIn, nullptr);
    EXPECT_NE(static_cast<void*>(standIn), handle()); // a local window, not the host's handle
    EXPECT_EQ(platform::windowScreenRect(standIn).width(), 60);
    ASSERT_EQ(fake.slots[0].clients.size(), 1u);

    frame->setBackgroundColor(kRedCColor);
    frame->setOpenFlag(true);
    EXPECT_EQ(fake.presents, 0); // nothing is drawn before the host's message loop runs
    fake.pump(fake.slots[0]);
    ASSERT_GT(fake.presents, 0);
    ASSERT_EQ(fake.slots[0].pixels.size(), 60u * 40u);
    EXPECT_EQ(fake.slots[0].pixels[5 * 60 + 5] & 0xFFFFFFu, 0xFF0000u);  // red, 0xRRGGBB
    EXPECT_EQ(fake.slots[0].pixels[35 * 60 + 55] & 0xFFFFFFu, 0u);       // outside the editor

    // One clock for host and plug-in.
    fake.clock = 777;
    EXPECT_EQ(platform::tickCount(), 777u);
    platform::sleepMs(5);
    EXPECT_EQ(fake.clock, 782u);

    // The host resized its window: the stand-in follows; a resize the frame asks of the parent
    // windows goes to the host.
    fake.slots[0].width = 80;
    fake.slots[0].height = 60;
    EXPECT_EQ(platform::windowScreenRect(standIn).height(), 60);
    EXPECT_TRUE(frame->setSize(70, 50));
    ASSERT_FALSE(fake.resizes.empty());
    EXPECT_EQ(fake.resizes.back(), std::make_pair(int32_t(100), int32_t(80)));
    EXPECT_EQ(headless::windowWidth(window), 70);

    delete frame; // the last window in the stand-in: the client is detached, the stand-in goes
    EXPECT_TRUE(fake.slots[0].clients.empty());
}

TEST_F(HeadlessDisplay, TwoFramesInOneHostWindowShareAStandIn) {
    auto* a = new CFrame(CRect(0, 0, 10, 10), handle(), nullptr);
    auto* b = new CFrame(CRect(0, 0, 10, 10), handle(), nullptr);
    EXPECT_EQ(platform::parentWindow(a->getSystemWindow()), platform::parentWindow(b->getSystemWindow()));
    EXPECT_EQ(fake.slots[0].clients.size(), 1u);
    delete a;
    EXPECT_EQ(fake.slots[0].clients.size(), 1u);
    delete b;
    EXPECT_TRUE(fake.slots[0].clients.empty());
}

TEST_F(HeadlessDisplay, ForeignHandlesStillGetAnEditorDrawnOffScreen) {
    struct Case {
        const char* what;
        const RvHeadlessDisplay* display;
        void* parent;
    };
    RvHeadlessDisplay oldVersion = kTable;
    oldVersion.version = 0;
    RvHeadlessDisplay shortTable = kTable;
    shortTable.size = sizeof(RvHeadlessDisplay) - sizeof(void*);
    RvHeadlessDisplay missingPresent = kTable;
    missingPresent.present = nullptr;
    const Case cases[] = {
        {"an X11 id the display does not know", &kTable, reinterpret_cast<void*>(0x5a17)},
        {"a window the host closed", &kTable, &fake.slots[1]},
        {"no display at all", nullptr, handle()},
        {"a display of version 0", &oldVersion, handle()},
        {"a table shorter than ours", &shortTable, handle()},
        {"a table without present", &missingPresent, handle()},
    };
    for (const Case& c : cases) {
        headless::useHostDisplay(c.display);
        auto* frame = new CFrame(CRect(0, 0, 30, 20), c.parent, nullptr);
        EXPECT_EQ(frame->getSystemWindow(), nullptr) << c.what;
        frame->setOpenFlag(true);
        frame->idle();
        frame->setSize(40, 30);
        delete frame;
        EXPECT_TRUE(fake.slots[0].clients.empty()) << c.what;
        EXPECT_EQ(fake.presents, 0) << c.what;
    }
    // The clock is our own again without a display.
    headless::useHostDisplay(nullptr);
    headless::setClock(123);
    EXPECT_EQ(platform::tickCount(), 123u);
}

TEST_F(HeadlessDisplay, AHostWindowClosedUnderTheEditorGetsNoMorePixels) {
    auto* frame = new CFrame(CRect(0, 0, 50, 30), handle(), nullptr);
    frame->setOpenFlag(true);
    frame->setBackgroundColor(kRedCColor);
    RvHeadlessClient client = *fake.slots[0].clients.at(0);
    fake.slots[0].live = false;
    client.pump(client.context); // a host that pumps a client it dropped: drawn, not presented
    EXPECT_EQ(fake.presents, 0);
    frame->idle();
    delete frame;
    EXPECT_EQ(fake.presents, 0);
}

TEST_F(HeadlessDisplay, ThisTestProgramOffersNoDisplay) {
    headless::useProcessDisplay(); // looked up in the process, which does not export one
    auto* frame = new CFrame(CRect(0, 0, 30, 20), handle(), nullptr);
    EXPECT_EQ(frame->getSystemWindow(), nullptr);
    delete frame;
    EXPECT_EQ(fake.isWindowCalls, 0);
}

} // namespace
