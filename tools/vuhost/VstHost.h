// vuhost's side of the VST 2.4 conversation: the host callback that a plug-in calls. One host
// object serves the process; the plug-in reaches it through a callback without a context
// argument (the version query at the entry point comes before any record exists).
#pragma once

#include "host/VstAbi.h"

#include <functional>
#include <ostream>

namespace vuhost {

class VstHost {
public:
    static constexpr VstIntPtr kHostVstVersion = 2400;
    static constexpr const char* kVendor = "vuhost";
    static constexpr const char* kProduct = "vuhost";
    static constexpr VstIntPtr kVendorVersion = 1;

    // The host callback answers for this object while it exists. log, when given, receives one
    // line for each automation, begin-edit, end-edit and window-size request.
    explicit VstHost(std::ostream* log = nullptr);
    ~VstHost();
    VstHost(const VstHost&) = delete;
    VstHost& operator=(const VstHost&) = delete;

    static VstIntPtr VSTCALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                          VstIntPtr value, void* ptr, float opt);

    void setSampleRate(float rate) { sampleRate_ = rate; }
    void setBlockSize(VstInt32 size) { blockSize_ = size; }

    // Who carries out the plug-in's requests to resize its editor window (audioMasterSizeWindow);
    // without one, every plausible request is answered yes.
    void setWindowResizer(std::function<bool(int width, int height)> resizer) {
        resizer_ = std::move(resizer);
    }

    int automationCount() const { return automations_; }
    // The last size the plug-in asked for its editor window (0 × 0 until it asks).
    int requestedWidth() const { return width_; }
    int requestedHeight() const { return height_; }

private:
    VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    static void copyText(void* ptr, const char* text, std::size_t limit);

    std::ostream* log_;
    float sampleRate_ = 44100.0f;
    VstInt32 blockSize_ = 512;
    int automations_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::function<bool(int, int)> resizer_;
};

} // namespace vuhost
