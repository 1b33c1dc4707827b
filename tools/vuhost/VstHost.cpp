#include "VstHost.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

namespace vuhost {

namespace {
std::atomic<VstHost*> currentHost{nullptr};
}

VstHost::VstHost(std::ostream* log) : log_(log) { currentHost.store(this); }

VstHost::~VstHost() {
    VstHost* self = this;
    currentHost.compare_exchange_strong(self, nullptr);
}

VstIntPtr VSTCALLBACK VstHost::callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                        void* ptr, float opt) {
    VstHost* host = currentHost.load();
    if (!host) return opcode == audioMasterVersion ? kHostVstVersion : 0;
    return host->answer(opcode, index, value, ptr, opt);
}

void VstHost::copyText(void* ptr, const char* text, std::size_t limit) {
    // At most limit characters and the terminating zero; nothing beyond it, since we cannot know
    // how large the plug-in's buffer is.
    const std::size_t length = std::min(std::strlen(text), limit);
    char* out = static_cast<char*>(ptr);
    std::memcpy(out, text, length);
    out[length] = '\0';
}

VstIntPtr VstHost::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    switch (opcode) {
    case audioMasterVersion:
        return kHostVstVersion;
    case audioMasterAutomate:
        ++automations_;
        if (log_) *log_ << "host: automate parameter " << index << " = " << opt << '\n';
        return 0;
    case audioMasterBeginEdit:
        if (log_) *log_ << "host: begin edit " << index << '\n';
        return 1;
    case audioMasterEndEdit:
        if (log_) *log_ << "host: end edit " << index << '\n';
        return 1;
    case audioMasterIdle:
        return 0;
    case audioMasterSizeWindow:
        if (index <= 0 || value <= 0 || index > 16384 || value > 16384) return 0;
        width_ = index;
        height_ = static_cast<int>(value);
        if (log_) *log_ << "host: size window " << width_ << " x " << height_ << '\n';
        return !resizer_ || resizer_(width_, height_) ? 1 : 0;
    case audioMasterGetSampleRate:
        return std::lround(sampleRate_);
    case audioMasterGetBlockSize:
        return blockSize_;
    case audioMasterGetVendorString:
        if (!ptr) return 0;
        copyText(ptr, kVendor, 64);
        return 1;
    case audioMasterGetProductString:
        if (!ptr) return 0;
        copyText(ptr, kProduct, 64);
        return 1;
    case audioMasterGetVendorVersion:
        return kVendorVersion;
    case audioMasterCanDo:
        // 1 yes, 0 "don't know": the editor may ask us to resize its window, nothing else is on offer.
        return ptr && std::strncmp(static_cast<const char*>(ptr), "sizeWindow", 11) == 0 ? 1 : 0;
    default:
        return 0;
    }
}

} // namespace vuhost
