#include "PngWriter.h"

#include <libimagequant.h>
#include <omp.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>

namespace skingen {

namespace {

struct Indexed {
    std::vector<std::array<std::uint8_t, 4>> palette; // RGBA entries
    std::vector<std::uint8_t> indices;
};

std::uint32_t pack(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// Exact palette when the image has few enough colours.
bool indexExactly(const Image& img, Indexed& out) {
    std::map<std::uint32_t, std::uint8_t> index;
    const std::size_t n = std::size_t(img.width) * img.height;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t c = pack(&img.rgba[i * 4]);
        if (index.count(c) == 0) {
            if (index.size() == 256)
                return false;
            index.emplace(c, 0);
        }
    }
    std::uint8_t next = 0;
    for (auto& [c, i] : index) {
        i = next++;
        out.palette.push_back({std::uint8_t(c >> 24), std::uint8_t(c >> 16), std::uint8_t(c >> 8),
                               std::uint8_t(c)});
    }
    out.indices.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        out.indices[i] = index[pack(&img.rgba[i * 4])];
    return true;
}

struct LiqDelete {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};

void quantise(const Image& img, Indexed& out) {
    // The quantiser splits its work over OpenMP threads, and the order in which their partial sums
    // meet can change the palette: one thread makes every run draw the same pixels.
    omp_set_num_threads(1);
    std::unique_ptr<liq_attr, LiqDelete> attr(liq_attr_create());
    liq_set_max_colors(attr.get(), 256);
    liq_set_speed(attr.get(), 1);
    std::unique_ptr<liq_image, LiqDelete> image(
        liq_image_create_rgba(attr.get(), img.rgba.data(), img.width, img.height, 0));
    if (!image)
        throw std::runtime_error("cannot hand the image to the quantiser");
    liq_result* raw = nullptr;
    if (liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK)
        throw std::runtime_error("quantisation failed");
    std::unique_ptr<liq_result, LiqDelete> result(raw);
    liq_set_dithering_level(result.get(), 1.0f);
    out.indices.resize(std::size_t(img.width) * img.height);
    if (liq_write_remapped_image(result.get(), image.get(), out.indices.data(), out.indices.size()) != LIQ_OK)
        throw std::runtime_error("remapping failed");
    const liq_palette* pal = liq_get_palette(result.get());
    for (unsigned i = 0; i < pal->count; ++i)
        out.palette.push_back({pal->entries[i].r, pal->entries[i].g, pal->entries[i].b, pal->entries[i].a});
}

// Puts the entries that are not opaque first, so that the transparency table stays short.
void sortTranslucentFirst(Indexed& ix) {
    std::vector<std::uint8_t> order(ix.palette.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = std::uint8_t(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint8_t a, std::uint8_t b) { return ix.palette[a][3] < ix.palette[b][3]; });
    std::vector<std::uint8_t> newIndex(order.size());
    decltype(ix.palette) sorted;
    for (std::size_t i = 0; i < order.size(); ++i) {
        newIndex[order[i]] = std::uint8_t(i);
        sorted.push_back(ix.palette[order[i]]);
    }
    ix.palette = std::move(sorted);
    for (auto& i : ix.indices)
        i = newIndex[i];
}

struct File {
    std::FILE* f;
    ~File() {
        if (f)
            std::fclose(f);
    }
};

void write(const std::string& path, int width, int height, int colourType,
           const std::vector<std::uint8_t>& rows, std::size_t rowBytes, const Indexed* ix) {
    File file{std::fopen(path.c_str(), "wb")};
    if (!file.f)
        throw std::runtime_error("cannot write " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("libpng failed to start");
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng failed writing " + path);
    }
    png_init_io(png, file.f);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, width, height, 8, colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> plte;
    std::vector<png_byte> trns;
    if (ix) {
        for (const auto& e : ix->palette) {
            plte.push_back({e[0], e[1], e[2]});
            if (e[3] != 255)
                trns.push_back(e[3]);
        }
        png_set_PLTE(png, info, plte.data(), int(plte.size()));
        if (!trns.empty())
            png_set_tRNS(png, info, trns.data(), int(trns.size()), nullptr);
    }
    std::vector<png_bytep> rowPointers(height);
    for (int y = 0; y < height; ++y)
        rowPointers[y] = const_cast<png_bytep>(rows.data() + std::size_t(y) * rowBytes);
    png_set_rows(png, info, rowPointers.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
}

} // namespace

void writePng(const std::string& path, const Image& image, Storage storage) {
    if (storage == Storage::TrueColourAlpha) {
        write(path, image.width, image.height, PNG_COLOR_TYPE_RGBA, image.rgba,
              std::size_t(image.width) * 4, nullptr);
        return;
    }
    Image source = image;
    if (storage == Storage::Opaque)
        for (std::size_t i = 3; i < source.rgba.size(); i += 4)
            source.rgba[i] = 255;
    Indexed ix;
    if (!indexExactly(source, ix)) {
        ix = {};
        quantise(source, ix);
    }
    if (storage == Storage::Opaque)
        for (auto& e : ix.palette)
            e[3] = 255;
    sortTranslucentFirst(ix);
    write(path, image.width, image.height, PNG_COLOR_TYPE_PALETTE, ix.indices, std::size_t(image.width), &ix);
}

} // namespace skingen
