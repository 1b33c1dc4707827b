// Decoding a needle strip as the editor does at every opening: the committed palette PNG against
// the same pixels stored as true-colour RGBA (the baseline, encoded in the same run).
#include "platform/Resources.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image.h>
#include <stb_image_write.h>
#pragma GCC diagnostic pop

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void decode(benchmark::State& state, const unsigned char* png, std::size_t size) {
    for (auto _ : state) {
        int w, h, n;
        unsigned char* px = stbi_load_from_memory(png, int(size), &w, &h, &n, 0);
        benchmark::DoNotOptimize(px);
        stbi_image_free(px);
    }
    state.counters["png_bytes"] = double(size);
}

void PaletteStrip(benchmark::State& state, int id) {
    const platform::ResourceBytes res = platform::findPngResource(id);
    if (!res) {
        state.SkipWithError("resource missing");
        return;
    }
    decode(state, res.data, res.size);
}

void RgbaStrip(benchmark::State& state, int id) {
    const platform::ResourceBytes res = platform::findPngResource(id);
    int w, h, n;
    unsigned char* px = res ? stbi_load_from_memory(res.data, int(res.size), &w, &h, &n, 4) : nullptr;
    if (!px) {
        state.SkipWithError("resource missing");
        return;
    }
    stbi_write_png_compression_level = 9;
    int size = 0;
    unsigned char* rgba = stbi_write_png_to_mem(px, w * 4, w, h, 4, &size);
    stbi_image_free(px);
    decode(state, rgba, std::size_t(size));
    STBIW_FREE(rgba);
}

BENCHMARK_CAPTURE(PaletteStrip, small_102, 102)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RgbaStrip, small_102_baseline, 102)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaletteStrip, large_202, 202)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RgbaStrip, large_202_baseline, 202)->Unit(benchmark::kMillisecond);

} // namespace
