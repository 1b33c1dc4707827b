// A host callback that records what the plug-in asks, and an instance made through the entry
// point's steps, closed through the dispatcher.
#pragma once

#include "effect/OrvaneVUMeter.h"
#include "editor/OrvaneVUMeterGUI.h"
#include "host/EntryPoint.h"

#include <mutex>
#include <new>
#include <vector>

namespace testhost {

struct Call {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
};

struct Recorder {
    std::mutex lock;
    std::vector<Call> calls;
    VstIntPtr versionAnswer = 2400;
};

inline Recorder& recorder() {
    static Recorder instance;
    return instance;
}

inline VstIntPtr VSTCALLBACK callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                      void*, float opt) {
    Recorder& r = recorder();
    std::lock_guard<std::mutex> guard(r.lock);
    r.calls.push_back({opcode, index, value, opt});
    return opcode == audioMasterVersion ? r.versionAnswer : 0;
}

inline std::vector<Call> takeCalls() {
    Recorder& r = recorder();
    std::lock_guard<std::mutex> guard(r.lock);
    std::vector<Call> out;
    out.swap(r.calls);
    return out;
}

inline AudioEffect* makeVuMeter(audioMasterCallback host) {
    return new (std::nothrow) OrvaneVUMeter(host);
}

// One plug-in instance for a test; closed with effClose at the end.
class Instance {
public:
    Instance() : record(host::createEffectRecord(callback, makeVuMeter)) {}
    ~Instance() {
        if (record != nullptr) {
            record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
        }
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f) {
        return record->dispatcher(record, opcode, index, value, ptr, opt);
    }
    OrvaneVUMeter& effect() { return *static_cast<OrvaneVUMeter*>(record->object); }
    OrvaneVUMeterGUI& gui() { return *static_cast<OrvaneVUMeterGUI*>(effect().getEditor()); }
    void openEditor() {
        static int parent;
        dispatch(effEditOpen, 0, 0, &parent);
    }
    void closeEditor() { dispatch(effEditClose); }
    std::vector<unsigned char> chunk(bool preset = false) {
        void* data = nullptr;
        const VstIntPtr size = dispatch(effGetChunk, preset ? 1 : 0, 0, &data);
        const auto* bytes = static_cast<const unsigned char*>(data);
        return size > 0 ? std::vector<unsigned char>(bytes, bytes + size)
                        : std::vector<unsigned char>{};
    }
    void loadChunk(std::vector<unsigned char> bytes) {
        dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bytes.size()), bytes.data());
    }

    AEffect* record;
};

} // namespace testhost
