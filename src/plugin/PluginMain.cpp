// The library's entry point: one new effect instance per call.
#include "effect/OrvaneVUMeter.h"
#include "host/EntryPoint.h"

#include <new>

#if defined(_WIN32)
#define RV_EXPORT extern "C"
#else
#define RV_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

AudioEffect* makeVuMeter(audioMasterCallback host) {
    auto* effect = new (std::nothrow) OrvaneVUMeter(host);
    if (effect != nullptr && !effect->isComplete()) {
        delete effect;
        return nullptr;
    }
    return effect;
}

} // namespace

RV_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback host) {
    return host::createEffectRecord(host, makeVuMeter);
}

#if !defined(_WIN32)
// Older hosts look the entry point up as "main". C++ does not let a function of this type be
// called main, so the second name is given to the linker directly; the DLLs get it from the
// module definition file instead.
RV_EXPORT AEffect* vstPluginMainAlias(audioMasterCallback host) __asm__("main")
    __attribute__((alias("VSTPluginMain")));
#endif
