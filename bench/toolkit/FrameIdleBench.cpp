// One frame idle with two needle meters and two LEDs dirty, each drawing an alpha-blended film
// strip frame over the background, on the headless backend; compared with a plain copy of the
// frame's pixels in the same run.
#include "PngMaker.h"

#include "platform/headless/Headless.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CControl.h"
#include "toolkit/CFrame.h"
#include "toolkit/COffscreenContext.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); } // NOLINT
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace toolkit;

namespace {

constexpr int kWidth = 340, kHeight = 400;

std::vector<unsigned char> background() {
    std::vector<unsigned char> s;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            s.insert(s.end(), {(unsigned char)(x & 0xFF), (unsigned char)(y & 0xFF), 90});
    return testsupport::makePng(kWidth, kHeight, 3, s);
}

// A strip of `frames` frames: a transparent face with a half-transparent needle per frame and an
// antialiased edge, like the meter's needle strip.
std::vector<unsigned char> strip(int w, int h, int frames) {
    std::vector<unsigned char> s;
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int needle = w / 4 + (f * w / 2) / frames;
                const int distance = std::abs(x - needle);
                unsigned char a = distance == 0 ? 255 : distance < 3 ? 128 : (y > h - 10 ? 200 : 0);
                s.insert(s.end(), {20, 20, 20, a});
            }
    return testsupport::makePng(w, h, 4, s);
}

class StripControl : public CControl {
public:
    StripControl(const CRect& r, CBitmap* bitmap, int frameCount)
        : CControl(r, nullptr, 0, bitmap), frames(frameCount) {}
    void draw(CDrawContext* context) override {
        const int frame = (step++) % frames;
        background->draw(context, viewRect, CPoint(0, frame * viewRect.height()));
        setDirty(false);
    }

private:
    int frames;
    int step = 0;
};

// Seconds for one plain copy of the frame's pixels, measured now.
double memcpySeconds() {
    std::vector<uint32_t> from(size_t(kWidth) * kHeight, 0x12345678u), to(from.size());
    const int rounds = 2000;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / rounds;
}

struct Scene {
    Scene() {
        host = platform::headless::createWindow(nullptr, 0, 0, kWidth, kHeight);
        frame = new CFrame(CRect(0, 0, kWidth, kHeight), host, nullptr);
        const auto bg = background();
        auto* back = new CBitmap(bg.data(), bg.size());
        frame->setBackground(back);
        back->release();
        const auto needle = strip(190, 90, 32);
        const auto led = strip(16, 16, 2);
        auto* needleBitmap = new CBitmap(needle.data(), needle.size());
        auto* ledBitmap = new CBitmap(led.data(), led.size());
        const CRect rects[] = {{75, 30, 265, 120}, {75, 200, 265, 290}};
        for (const CRect& r : rects) {
            controls.push_back(new StripControl(r, needleBitmap, 32));
            controls.push_back(new StripControl(CRect(r.right - 20, r.bottom - 20, r.right - 4,
                                                      r.bottom - 4),
                                                ledBitmap, 2));
        }
        for (CControl* c : controls) frame->addView(c);
        needleBitmap->release();
        ledBitmap->release();
        platform::headless::processPaint(host); // the first paint makes the back buffer
    }
    ~Scene() {
        delete frame;
        platform::headless::destroyWindow(host);
    }
    void idle() {
        for (CControl* c : controls) c->setDirty(true); // meters and LEDs are dirty every idle
        frame->idle();
    }
    platform::Window host;
    CFrame* frame;
    std::vector<CControl*> controls;
};

void BM_FrameIdleTwoMetersTwoLeds(benchmark::State& state) {
    Scene scene;
    scene.idle();
    long before = allocations.load();
    long drawAllocations = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        scene.idle();
    }
    const double idleSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
        double(state.iterations());
    const long perIdle = (allocations.load() - before) / long(state.iterations());
    state.counters["ratio_to_memcpy"] = idleSeconds / memcpySeconds();
    // The drawing alone (update into the back buffer, without the window context of the idle).
    before = allocations.load();
    COffscreenContext* buffer = scene.frame->getBackBuffer();
    for (int i = 0; i < 100; ++i) {
        for (CControl* c : scene.controls) c->setDirty(true);
        scene.frame->update(buffer);
    }
    drawAllocations = allocations.load() - before;
    state.counters["allocs_per_idle"] = double(perIdle);
    state.counters["allocs_per_100_draws"] = double(drawAllocations);
}
BENCHMARK(BM_FrameIdleTwoMetersTwoLeds)->Unit(benchmark::kMicrosecond);

// The baseline: one plain copy of the frame's pixels.
void BM_MemcpyFramePixels(benchmark::State& state) {
    std::vector<uint32_t> from(size_t(kWidth) * kHeight, 0x12345678u), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyFramePixels)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
