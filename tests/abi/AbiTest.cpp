#include "host/VstAbi.h"

#include <gtest/gtest.h>

TEST(VstAbi, FourCharacterCodesPutTheFirstCharacterInTheTopByte) {
    EXPECT_EQ(vstFourCC('R', 'V', '4', '7'), 0x52563437);
    EXPECT_EQ(kEffectMagic, 0x56737450);
    EXPECT_EQ(vstFourCC('N', 'v', 'E', 'f'), 0x4E764566);
}

TEST(VstAbi, RecordSizesMatchThePointerWidth) {
    EXPECT_EQ(sizeof(AEffect), sizeof(void*) == 8 ? 192u : 144u);
    EXPECT_EQ(sizeof(ERect), 8u);
    EXPECT_EQ(sizeof(VstKeyCode), 8u);
}
