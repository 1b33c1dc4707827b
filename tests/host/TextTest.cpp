#include "host/FloatText.h"
#include "host/HostText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>

TEST(HostText, CutsPadsAndTerminatesAtTheLimit) {
    struct Case {
        const char* source;
        std::size_t limit;
        const char* expected;
    };
    const Case cases[] = {
        {"Headroom", 8, "Headroom"}, {"Headroom!", 8, "Headroom"}, {"", 8, ""},
        {nullptr, 4, ""},            {"abc", 0, ""},
    };
    for (const Case& c : cases) {
        char buffer[16];
        std::memset(buffer, 'x', sizeof buffer);
        host::writeHostText(buffer, c.source, c.limit);
        EXPECT_STREQ(buffer, c.expected);
        for (std::size_t i = std::strlen(c.expected); i <= c.limit; ++i) {
            EXPECT_EQ(buffer[i], '\0');
        }
        EXPECT_EQ(buffer[c.limit + 1], 'x');
    }
    host::writeHostText(nullptr, "anything", 8); // no buffer: nothing written, no crash
}

TEST(FloatText, SixDecimalsCutNotRounded) {
    struct Case {
        float value;
        const char* expected;
    };
    const Case cases[] = {
        {0.625f, "0.625000"},
        {0.5f, "0.500000"},
        {1.0f, "1.000000"},
        {0.0f, "0.000000"},
        {0.7f, "0.699999"},
        {1.0f / 3.0f, "0.333333"},
        {2.0f / 3.0f, "0.666666"},
        {std::bit_cast<float>(uint32_t{1}), "0.000000"}, // the smallest subnormal
        {0.999999f, "0.999998"},
    };
    for (const Case& c : cases) {
        char buffer[12];
        std::memset(buffer, 'x', sizeof buffer);
        host::formatFloatText(c.value, buffer, 8);
        EXPECT_STREQ(buffer, c.expected) << c.value;
        EXPECT_EQ(buffer[9], 'x');
    }
}

TEST(FloatText, ValuesOutsideTheTableStayDefined) {
    char buffer[12];
    host::formatFloatText(-3.0f, buffer, 8);
    EXPECT_STREQ(buffer, "-3.00000");
    host::formatFloatText(1e30f, buffer, 8);
    EXPECT_EQ(std::strlen(buffer), 8u);
    host::formatFloatText(std::bit_cast<float>(uint32_t{0x7FC00000}), buffer, 8);
    EXPECT_STREQ(buffer, "nan");
    host::formatFloatText(-std::bit_cast<float>(uint32_t{0x7F800000}), buffer, 8);
    EXPECT_STREQ(buffer, "-inf");
}
