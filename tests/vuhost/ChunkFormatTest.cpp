#include "ChunkFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace vuhost;

namespace {
std::vector<std::uint8_t> floats(std::initializer_list<float> values, const std::string& text = {},
                                 bool terminate = true) {
    std::vector<std::uint8_t> bytes;
    for (float v : values) {
        std::uint8_t raw[4];
        std::memcpy(raw, &v, 4);
        bytes.insert(bytes.end(), raw, raw + 4);
    }
    bytes.insert(bytes.end(), text.begin(), text.end());
    if (terminate && !text.empty()) bytes.push_back(0);
    return bytes;
}
using Form = DecodedChunk::Form;
} // namespace

TEST(ChunkFormat, DecodesBothFormsAndNamesWhatIsWrongWithOthers) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        Form form;
        std::vector<float> values;
        std::string label;
        const char* problem;
    };
    const Case cases[] = {
        {"defaults", floats({0.625f, 0.5f, 0.0f, 0.0f}), Form::ParametersOnly, {0.625f, 0.5f, 0.0f, 0.0f}, "", ""},
        {"first float exactly 1", floats({1.0f, 0.0f, 1.0f, 1.0f}), Form::ParametersOnly, {1.0f, 0.0f, 1.0f, 1.0f}, "", ""},
        {"labelled abc", floats({4.0f, 0.625f, 0.5f, 0.0f, 0.0f}, "abc"), Form::Labelled, {0.625f, 0.5f, 0.0f, 0.0f}, "abc", ""},
        {"labelled, values out of range", floats({2.0f, -0.5f, 7.0f, 0.0f, 0.0f}, "x"), Form::Labelled, {-0.5f, 7.0f, 0.0f, 0.0f}, "x", ""},
        {"labelled, length field disagrees", floats({9.0f, 0.0f, 0.0f, 0.0f, 0.0f}, "abc"), Form::Labelled, {0.0f, 0.0f, 0.0f, 0.0f}, "abc", "does not match"},
        {"empty", {}, Form::Unrecognised, {}, "", "too short"},
        {"parameter-only, wrong size", floats({0.5f, 0.5f, 0.5f}), Form::Unrecognised, {}, "", "takes 16 bytes, not 12"},
        {"labelled, no room for text", floats({4.0f, 0.0f, 0.0f, 0.0f, 0.0f}), Form::Unrecognised, {}, "", "cannot hold"},
        {"labelled, unterminated", floats({4.0f, 0.0f, 0.0f, 0.0f, 0.0f}, "abc", false), Form::Unrecognised, {}, "", "no terminating zero"},
        {"NaN first", floats({std::nanf(""), 0.0f, 0.0f, 0.0f}), Form::ParametersOnly, {}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedChunk chunk = ChunkFormat::decode(c.bytes, 4);
        EXPECT_EQ(chunk.form, c.form);
        if (!c.values.empty()) {
            EXPECT_EQ(chunk.values, c.values);
        }
        EXPECT_EQ(chunk.label, c.label);
        if (*c.problem) {
            EXPECT_NE(chunk.problem.find(c.problem), std::string::npos) << chunk.problem;
        } else {
            EXPECT_TRUE(chunk.problem.empty()) << chunk.problem;
        }
    }
}

TEST(ChunkFormat, DescribesTheFieldsWithParameterNames) {
    const auto bytes = floats({4.0f, 0.625f, 0.5f, 0.0f, 1.0f}, "a\"b");
    const std::string text = ChunkFormat::describe(bytes, ChunkFormat::decode(bytes, 4),
                                                   {"Headroom", "Mode", "Hold", "Xtnd"});
    EXPECT_NE(text.find("24 bytes, labelled form"), std::string::npos) << text;
    EXPECT_NE(text.find("length  4"), std::string::npos) << text;
    EXPECT_NE(text.find("[0] Headroom 0.625"), std::string::npos) << text;
    EXPECT_NE(text.find("[3] Xtnd 1"), std::string::npos) << text;
    EXPECT_NE(text.find("label   \"a\\\"b\""), std::string::npos) << text;
}

TEST(ChunkFormat, NeverReadsOutsideTheChunk) {
    // Every prefix of a labelled chunk, each in a buffer of its own exact size (so that a sanitizer
    // sees any read past the end).
    const auto full = floats({6.0f, 0.1f, 0.2f, 0.3f, 0.4f}, "hello");
    for (std::size_t length = 0; length <= full.size(); ++length) {
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + length);
        const DecodedChunk chunk = ChunkFormat::decode(cut, 4);
        EXPECT_EQ(chunk.form == Form::Labelled, length == full.size());
        (void)ChunkFormat::describe(cut, chunk, {});
    }
    for (int count : {-1, 0, 1000000}) (void)ChunkFormat::decode(full, count);
}
