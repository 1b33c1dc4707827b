// Every skin image is found by id through the platform layer, with the bytes of its file.
#include "platform/Resources.h"
#include "SkinImages.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace skintest;

TEST(PngResource, EveryIdGivesTheBytesOfItsFile) {
    for (const CatalogueEntry& e : catalogue()) {
        SCOPED_TRACE(e.file);
        const auto file = readFile(e.file);
        const platform::ResourceBytes res = platform::findPngResource(e.id);
        ASSERT_TRUE(res);
        ASSERT_EQ(res.size, file.size());
        EXPECT_EQ(std::memcmp(res.data, file.data(), file.size()), 0);
        // Found twice, the same bytes in the same place: they live as long as the module.
        EXPECT_EQ(platform::findPngResource(e.id).data, res.data);
        const Decoded d = decode({res.data, res.data + res.size});
        EXPECT_EQ(d.width, e.width);
        EXPECT_EQ(d.height, e.height);
    }
}

TEST(PngResource, UnknownIdsGiveNothing) {
    for (int id : {0, -1, -101, 1, 100, 110, 200, 204, 207, 210, 301, 65535, 65536, 1 << 30}) {
        const platform::ResourceBytes res = platform::findPngResource(id);
        EXPECT_FALSE(res) << id;
        EXPECT_EQ(res.data, nullptr) << id;
        EXPECT_EQ(res.size, 0u) << id;
    }
}

#ifdef _WIN32
#include "platform/Module.h"

#include <windows.h>

// The lookup searches the module the load hook stored; only without one does it fall back to the
// executable itself.
TEST(PngResource, SearchesTheStoredModule) {
    void* saved = platform::moduleHandle();
    platform::setModuleHandle(GetModuleHandleA("kernel32.dll"));
    EXPECT_FALSE(platform::findPngResource(101));
    platform::setModuleHandle(GetModuleHandleA(nullptr));
    EXPECT_TRUE(platform::findPngResource(101));
    platform::setModuleHandle(nullptr);
    EXPECT_TRUE(platform::findPngResource(101));
    platform::setModuleHandle(saved);
}
#endif
