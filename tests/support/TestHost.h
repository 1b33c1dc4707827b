// A host callback that records what the plug-in asks, and an instance made through the entry
// point's steps, closed through the dispatcher.
#pragma once

#include "editor/OrvaneUserLabel.h"
#include "editor/OrvaneVUMeterGUI.h"
#include "effect/OrvaneVUMeter.h"
#include "host/EntryPoint.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <new>
#include <string>
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
    // Answers to the editor's questions; resetHost puts them back.
    bool resizesWindow = false;                 // canDo("sizeWindow") and sizeWindow answer 1
    std::function<void(int, int)> resizeWindow; // what the host does on a resize it accepts
    std::string vendor;                         // empty: the host does not answer
};

inline Recorder& recorder() {
    static Recorder instance;
    return instance;
}

inline VstIntPtr VSTCALLBACK callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                      void* ptr, float opt) {
    Recorder& r = recorder();
    {
        std::lock_guard<std::mutex> guard(r.lock);
        r.calls.push_back({opcode, index, value, opt});
    }
    switch (opcode) {
    case audioMasterVersion: return r.versionAnswer;
    case audioMasterCanDo:
        return r.resizesWindow && ptr != nullptr &&
                       std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0
                   ? 1
                   : 0;
    case audioMasterSizeWindow:
        if (!r.resizesWindow) return 0;
        if (r.resizeWindow) r.resizeWindow(index, static_cast<int>(value));
        return 1;
    case audioMasterGetVendorString:
        if (r.vendor.empty() || ptr == nullptr) return 0;
        std::snprintf(static_cast<char*>(ptr), 65, "%s", r.vendor.c_str());
        return 1;
    default: return 0;
    }
}

inline void resetHost() {
    Recorder& r = recorder();
    std::lock_guard<std::mutex> guard(r.lock);
    r.calls.clear();
    r.resizesWindow = false;
    r.resizeWindow = nullptr;
    r.vendor.clear();
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
    // A parent handle that is no window of this build: the editor is drawn off screen.
    void openEditor() {
        static int parent;
        dispatch(effEditOpen, 0, 0, &parent);
    }
    // What the open editor shows (nothing while it is closed: then there are no controls).
    bool holdNeedleShown() {
        OrvaneVU* meter = gui().meterAt(0);
        return meter != nullptr && meter->getHoldBitmap() != nullptr;
    }
    float controlValue(VstInt32 tag) {
        toolkit::CControl* control = gui().controlForTag(tag);
        return control != nullptr ? control->getValue() : std::nanf("");
    }
    std::string shownLabel() {
        OrvaneUserLabel* label = gui().userLabel();
        return label != nullptr && label->getHasText() ? label->getTextPointer() : "";
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
