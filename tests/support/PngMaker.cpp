#include "PngMaker.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include <cstring>
#include <string>

namespace testsupport {

namespace {
void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    auto* bytes = static_cast<unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

uint32_t crc32(const unsigned char* data, size_t size, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put32(std::vector<unsigned char>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((unsigned char)(v >> shift));
}

void chunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data) {
    put32(out, uint32_t(data.size()));
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    put32(out, crc32(body.data(), body.size()));
}
} // namespace

std::vector<unsigned char> makePng(int width, int height, int channels,
                                   const std::vector<unsigned char>& samples) {
    std::vector<unsigned char> out;
    stbi_write_png_to_func(appendBytes, &out, width, height, channels, samples.data(),
                           width * channels);
    return out;
}

std::vector<unsigned char> makePalettePng(int width, int height,
                                          const std::vector<unsigned char>& paletteRgb,
                                          const std::vector<unsigned char>& alphas,
                                          const std::vector<unsigned char>& indices) {
    std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    put32(header, uint32_t(width));
    put32(header, uint32_t(height));
    header.insert(header.end(), {8, 3, 0, 0, 0}); // 8-bit palette, no interlace
    chunk(out, "IHDR", header);
    chunk(out, "PLTE", paletteRgb);
    if (!alphas.empty()) chunk(out, "tRNS", alphas);
    // Raw scanlines (filter 0) in one stored zlib block.
    std::vector<unsigned char> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), indices.begin() + y * width, indices.begin() + (y + 1) * width);
    }
    std::vector<unsigned char> z = {0x78, 0x01, 1};
    const uint16_t len = uint16_t(raw.size());
    z.insert(z.end(), {(unsigned char)(len & 0xFF), (unsigned char)(len >> 8),
                       (unsigned char)(~len & 0xFF), (unsigned char)((~len >> 8) & 0xFF)});
    z.insert(z.end(), raw.begin(), raw.end());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, (b << 16) | a);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", {});
    return out;
}

} // namespace testsupport
