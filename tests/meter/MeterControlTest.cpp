// The needle meter and the peak LED as controls: which strip frames they draw, the hold needle's
// one second and two-frame rule, the LED's 300 ms, and tick counts that wrap. Headless: the
// virtual clock makes the timing exact.
#include "LiveObjects.h"
#include "PngMaker.h"

#include "meter/OrvanePeakLed.h"
#include "meter/OrvaneVU.h"
#include "platform/headless/Headless.h"
#include "toolkit/COffscreenContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace toolkit;
namespace headless = platform::headless;

namespace {

constexpr meter::FrameTable kFrames = {4, 21, 32, 42, 56, 65, 74, 84, 97, 109, 123, 129};
constexpr int kWidth = 4;
constexpr int kHeight = 3;

// A strip that notes the frame of every draw (source offset / frame height).
class RecordingStrip : public CBitmap {
public:
    RecordingStrip(int frames, std::vector<std::string>& log, std::string name)
        : RecordingStrip(png(frames), log, std::move(name)) {}
    void draw(CDrawContext* c, const CRect& r, const CPoint& o) override {
        log.push_back(name + " " + std::to_string(o.y / kHeight));
        CBitmap::draw(c, r, o);
    }

private:
    RecordingStrip(const std::vector<unsigned char>& bytes, std::vector<std::string>& l,
                   std::string n)
        : CBitmap(bytes.data(), bytes.size()), log(l), name(std::move(n)) {}
    static std::vector<unsigned char> png(int frames) {
        const int h = frames * kHeight;
        return testsupport::makePng(kWidth, h, 4, std::vector<unsigned char>(size_t(kWidth * h) * 4, 90));
    }
    std::vector<std::string>& log;
    std::string name;
};

class MeterControls : public testsupport::NoLeaks {
protected:
    void SetUp() override {
        NoLeaks::SetUp();
        headless::setImageLibraryPresent(true);
        headless::setClock(5000);
        context = new COffscreenContext(nullptr, 20, 20);
    }
    void TearDown() override {
        context->release();
        NoLeaks::TearDown();
    }

    // The level that settles the meter in the middle of frame f.
    static double levelForFrame(const OrvaneVU& vu, uint32_t f) {
        const meter::VuBallistics& m = vu.measuring();
        size_t i = 1;
        while (m.frame(i) <= f) ++i;
        const double fraction = (f + 0.5 - m.frame(i - 1)) / double(m.frame(i) - m.frame(i - 1));
        const double v = m.threshold(i - 1) + fraction * (m.threshold(i) - m.threshold(i - 1));
        return v / meter::kLevelScale;
    }
    static void settle(OrvaneVU& vu, uint32_t f) {
        const double level = levelForFrame(vu, f);
        for (int n = 0; n < 3 * 44100; ++n) vu.feedLevel(level);
        ASSERT_EQ(vu.currentFrame(), f);
    }
    std::vector<std::string> drawOnce(CView& view) {
        log.clear();
        view.draw(context);
        return log;
    }

    std::vector<std::string> log;
    COffscreenContext* context = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(MeterControls, MeterDrawsTheNeedleFrameAndAHoldNeedleTwoFramesAboveForOneSecond) {
    auto* needle = new RecordingStrip(130, log, "needle");
    auto* hold = new RecordingStrip(130, log, "hold");
    auto* vu = new OrvaneVU(CRect(0, 0, kWidth, kHeight), needle, kFrames, 44100.0f);
    vu->setHoldBitmap(hold);
    needle->release();
    hold->release();
    EXPECT_EQ(needle->getNbReference(), 1);

    EXPECT_EQ(drawOnce(*vu), Log{"needle 0"});
    // Rising: every frame is a new maximum, no hold needle.
    for (uint32_t f : {20u, 60u, 100u}) {
        settle(*vu, f);
        EXPECT_EQ(drawOnce(*vu), Log{"needle " + std::to_string(f)}) << f;
    }
    const uint32_t peakTicks = platform::tickCount();
    settle(*vu, 60);
    headless::advanceClock(10);
    EXPECT_EQ(drawOnce(*vu), (Log{"hold 100", "needle 60"}));
    headless::setClock(peakTicks + 999);
    EXPECT_EQ(drawOnce(*vu), (Log{"hold 100", "needle 60"}));
    headless::setClock(peakTicks + 1000);
    EXPECT_EQ(drawOnce(*vu), Log{"needle 60"}) << "the period ended: held frame is the needle's";
    EXPECT_EQ(vu->getHeldFrame(), 60u);

    // The two-frame rule: one frame above shows nothing, two frames above show the hold needle.
    struct Case {
        uint32_t peak, now;
        Log expected;
    };
    const Case cases[] = {{61, 60, {"needle 60"}}, {62, 60, {"hold 62", "needle 60"}}};
    for (const Case& c : cases) {
        headless::advanceClock(2000);
        settle(*vu, c.peak);
        drawOnce(*vu);
        settle(*vu, c.now);
        EXPECT_EQ(drawOnce(*vu), c.expected) << c.peak;
    }
    EXPECT_TRUE(vu->isDirty()) << "meters are redrawn at every idle pass";
    EXPECT_TRUE(vu->isTypeOf("OrvaneVU") && vu->isTypeOf("CControl") && vu->isTypeOf("CView"));
    EXPECT_FALSE(vu->isTypeOf("CParamDisplay"));
    vu->release();
}

TEST_F(MeterControls, HoldStateRunsWithoutTheHoldStripAndShowsAtOnceWhenSwitchedOn) {
    auto* needle = new RecordingStrip(130, log, "needle");
    auto* hold = new RecordingStrip(130, log, "hold");
    auto* vu = new OrvaneVU(CRect(0, 0, kWidth, kHeight), needle, kFrames, 44100.0f);
    settle(*vu, 90);
    drawOnce(*vu);
    settle(*vu, 40);
    EXPECT_EQ(drawOnce(*vu), Log{"needle 40"});
    vu->setHoldBitmap(hold);
    EXPECT_EQ(drawOnce(*vu), (Log{"hold 90", "needle 40"}));
    vu->setHoldBitmap(nullptr);
    EXPECT_EQ(drawOnce(*vu), Log{"needle 40"});
    vu->setNeedleBitmap(nullptr);
    vu->setDirty(true);
    EXPECT_EQ(drawOnce(*vu), Log{});
    EXPECT_TRUE(vu->isDirty()) << "without a strip nothing is drawn and the flag stays";
    needle->release();
    hold->release();
    vu->release();
}

TEST_F(MeterControls, HoldPeriodAcrossATickCountWrap) {
    headless::setClock(0xFFFFFF00u);
    auto* needle = new RecordingStrip(130, log, "needle");
    auto* hold = new RecordingStrip(130, log, "hold");
    auto* vu = new OrvaneVU(CRect(0, 0, kWidth, kHeight), needle, kFrames, 44100.0f);
    vu->setHoldBitmap(hold);
    settle(*vu, 100);
    drawOnce(*vu);
    settle(*vu, 50);
    headless::advanceClock(0x200); // past the wrap, 512 ms later
    EXPECT_EQ(drawOnce(*vu), (Log{"hold 100", "needle 50"}));
    headless::advanceClock(488);
    EXPECT_EQ(drawOnce(*vu), Log{"needle 50"});
    needle->release();
    hold->release();
    vu->release();
}

TEST_F(MeterControls, LedLightsAboveFullScaleForAtLeast300Ms) {
    auto* strip = new RecordingStrip(2, log, "led");
    auto* led = new OrvanePeakLed(CRect(0, 0, kWidth, kHeight), strip);
    strip->release();
    EXPECT_EQ(led->getBackground(), strip);

    struct Step {
        double feed; // negative: nothing fed
        uint32_t advance;
        const char* expected;
    };
    const Step steps[] = {
        {1.0, 0, "led 0"},                          // exactly full scale never lights
        {std::nextafter(1.0, 2.0), 0, "led 1"},     // the next double does
        {-1, 299, "led 1"},                         // held without audio
        {-1, 1, "led 0"},                           // 300 ms after the lighting draw
        {1.5, 10, "led 1"},
        {1.2, 200, "led 1"},                        // a new peak restarts the period
        {-1, 299, "led 1"},
        {-1, 1, "led 0"},
    };
    for (const Step& s : steps) {
        headless::advanceClock(s.advance);
        if (s.feed >= 0) led->feedLevel(s.feed);
        EXPECT_EQ(drawOnce(*led), Log{s.expected}) << s.feed << " +" << s.advance;
        EXPECT_EQ(led->peak(), 0.0) << "each draw takes the peak";
    }
    EXPECT_TRUE(led->isDirty());
    EXPECT_TRUE(led->isTypeOf("OrvanePeakLed") && led->isTypeOf("CControl"));
    EXPECT_FALSE(led->isTypeOf("CParamDisplay"));
    led->release();
}

TEST_F(MeterControls, LedGoesDarkAcrossATickCountWrap) {
    headless::setClock(0xFFFFFFF0u);
    auto* strip = new RecordingStrip(2, log, "led");
    auto* led = new OrvanePeakLed(CRect(0, 0, kWidth, kHeight), strip);
    strip->release();
    led->feedLevel(2.0);
    EXPECT_EQ(drawOnce(*led), Log{"led 1"});
    headless::advanceClock(0x100); // 256 ms, across the wrap
    EXPECT_EQ(drawOnce(*led), Log{"led 1"});
    headless::advanceClock(44);
    EXPECT_EQ(drawOnce(*led), Log{"led 0"});
    led->release();
}

TEST_F(MeterControls, LedWithoutStripDrawsNothing) {
    auto* led = new OrvanePeakLed(CRect(0, 0, kWidth, kHeight), nullptr);
    led->feedLevel(3.0);
    EXPECT_EQ(drawOnce(*led), Log{});
    EXPECT_EQ(led->peak(), 3.0) << "not drawn: the peak waits";
    led->release();
}

} // namespace
