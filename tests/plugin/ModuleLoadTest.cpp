// Loads the built plug-in module the way a host does, through its exported entry point only:
// dlopen/dlsym natively, LoadLibraryA/GetProcAddress on Windows.
#include "host/VstAbi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

#if defined(_WIN32)
// The build's path, on the drive through which Wine reaches the build tree.
std::string modulePath() {
    std::string path = RV_PLUGIN_PATH;
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}
#endif

class Module {
public:
    Module() {
#if defined(_WIN32)
        handle = LoadLibraryA(modulePath().c_str());
#else
        handle = dlopen(RV_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
#endif
    }
    ~Module() {
        if (handle != nullptr) {
#if defined(_WIN32)
            FreeLibrary(handle);
#else
            dlclose(handle);
#endif
        }
    }
    void* symbol(const char* name) const {
#if defined(_WIN32)
        return reinterpret_cast<void*>(GetProcAddress(handle, name));
#else
        return dlsym(handle, name);
#endif
    }
    VstPluginMainProc entry(const char* name) const {
        return reinterpret_cast<VstPluginMainProc>(symbol(name));
    }

#if defined(_WIN32)
    HMODULE handle = nullptr;
#else
    void* handle = nullptr;
#endif
};

std::vector<VstInt32> hostOpcodes;
VstIntPtr hostVersion = 2400;

VstIntPtr VSTCALLBACK testHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    hostOpcodes.push_back(opcode);
    return opcode == audioMasterVersion ? hostVersion : 0;
}

VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f) {
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

class LoadedPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(module.handle, nullptr) << "cannot load " << RV_PLUGIN_PATH;
        VstPluginMainProc main = module.entry("VSTPluginMain");
        ASSERT_NE(main, nullptr);
        hostVersion = 2400;
        effect = main(testHost);
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override {
        if (effect != nullptr) {
            EXPECT_EQ(dispatch(effect, effClose), 1);
        }
    }
    Module module;
    AEffect* effect = nullptr;
};

} // namespace

TEST_F(LoadedPlugin, ExportsBothEntryNamesForOneFunction) {
    EXPECT_EQ(module.symbol("main"), module.symbol("VSTPluginMain"));
#if !defined(_WIN32)
    // Nothing else leaves the module.
    EXPECT_EQ(module.symbol("_ZN11AudioEffect10dispatcherEiilPvf"), nullptr);
    EXPECT_EQ(module.symbol("_ZN8platform15setModuleHandleEPv"), nullptr);
#endif
}

TEST_F(LoadedPlugin, Identity) {
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->uniqueID, vstFourCC('R', 'V', '4', '7'));
    EXPECT_EQ(effect->flags, 0x1031);
    EXPECT_EQ(effect->numParams, 4);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    char text[65];
    EXPECT_EQ(dispatch(effect, effGetEffectName, 0, 0, text), 1);
    EXPECT_STREQ(text, "RV47-T VU Meter");
    EXPECT_EQ(dispatch(effect, effGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Marrowdyne");
    EXPECT_EQ(dispatch(effect, effGetVendorVersion), 1210);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), kPlugCategAnalysis);
    EXPECT_EQ(dispatch(effect, effGetVstVersion), 2400);
}

TEST_F(LoadedPlugin, Parameters) {
    const char* names[] = {"Headroom", "Mode", "Hold", "Xtnd"};
    for (VstInt32 i = 0; i < 4; ++i) {
        char name[9];
        dispatch(effect, effGetParamName, i, 0, name);
        EXPECT_STREQ(name, names[i]);
    }
    effect->setParameter(effect, 0, 3.0f);
    EXPECT_EQ(effect->getParameter(effect, 0), 1.0f);
    char display[9];
    dispatch(effect, effGetParamDisplay, 1, 0, display);
    EXPECT_STREQ(display, "0.500000");
}

TEST_F(LoadedPlugin, ProcessedBlockComesOutUnchanged) {
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effect, effMainsChanged, 0, 1);
    std::vector<float> left(1024), right(1024), outL(1024), outR(1024);
    std::vector<double> leftD(1024), rightD(1024), outLD(1024), outRD(1024);
    for (int i = 0; i < 1024; ++i) {
        left[i] = static_cast<float>(i) / 300.0f - 1.7f;
        right[i] = -left[i] * 0.5f;
        leftD[i] = left[i] * 1.000001;
        rightD[i] = right[i];
    }
    float* in[2] = {left.data(), right.data()};
    float* out[2] = {outL.data(), outR.data()};
    effect->processReplacing(effect, in, out, 1024);
    EXPECT_EQ(outL, left);
    EXPECT_EQ(outR, right);
    double* inD[2] = {leftD.data(), rightD.data()};
    double* outD[2] = {outLD.data(), outRD.data()};
    effect->processDoubleReplacing(effect, inD, outD, 1024);
    EXPECT_EQ(outLD, leftD);
    EXPECT_EQ(outRD, rightD);
}

TEST_F(LoadedPlugin, ChunkRoundTrip) {
    std::vector<unsigned char> chunk(20);
    const float header[5] = {6.0f, 0.25f, 1.0f, 1.0f, 0.0f};
    std::memcpy(chunk.data(), header, sizeof header);
    const char label[] = "Vox 1";
    chunk.insert(chunk.end(), label, label + sizeof label);
    dispatch(effect, effSetChunk, 0, static_cast<VstIntPtr>(chunk.size()), chunk.data());
    EXPECT_EQ(effect->getParameter(effect, 0), 0.25f);
    void* data = nullptr;
    const VstIntPtr size = dispatch(effect, effGetChunk, 0, 0, &data);
    ASSERT_EQ(size, static_cast<VstIntPtr>(chunk.size()));
    EXPECT_EQ(std::memcmp(data, chunk.data(), chunk.size()), 0);
}

#if defined(_WIN32)
TEST(LoadedModule, VersionRecord) {
    const std::string path = modulePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00010000u);
    const std::pair<const char*, const char*> strings[] = {
        {"FileVersion", "1.21"}, {"ProductVersion", "1.21"},
        {"FileDescription", "VU meter VST"}, {"InternalName", "RV47T"}};
    for (const auto& [key, expected] : strings) {
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
        char* value = nullptr;
        ASSERT_TRUE(VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value),
                                   &length))
            << key;
        EXPECT_STREQ(value, expected) << key;
    }
}
#endif

TEST(LoadedModule, HostWithVersionZeroGetsNothing) {
    Module module;
    ASSERT_NE(module.handle, nullptr);
    hostVersion = 0;
    hostOpcodes.clear();
    EXPECT_EQ(module.entry("main")(testHost), nullptr);
    EXPECT_EQ(hostOpcodes, std::vector<VstInt32>{audioMasterVersion});
    hostVersion = 2400;
}
