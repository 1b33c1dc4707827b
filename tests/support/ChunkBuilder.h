// Builds state chunks byte by byte for tests.
#pragma once

#include <cstring>
#include <string>
#include <vector>

namespace testhost {

inline void appendFloat(std::vector<unsigned char>& bytes, float value) {
    unsigned char raw[4];
    std::memcpy(raw, &value, 4);
    bytes.insert(bytes.end(), raw, raw + 4);
}

inline std::vector<unsigned char> floatChunk(std::initializer_list<float> values) {
    std::vector<unsigned char> bytes;
    for (float v : values) {
        appendFloat(bytes, v);
    }
    return bytes;
}

inline std::vector<unsigned char> labelledChunk(const std::string& text, float h, float m, float hold,
                                                float xtnd) {
    std::vector<unsigned char> bytes =
        floatChunk({static_cast<float>(text.size() + 1), h, m, hold, xtnd});
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

inline float floatAt(const std::vector<unsigned char>& bytes, std::size_t offset) {
    float v;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

} // namespace testhost
