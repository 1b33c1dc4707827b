// The RV47-T VU meter: passes audio through unchanged and feeds the editor's meters with the
// levels of every sample frame; its state is four parameters and the user label text.
#pragma once

#include "effect/OrvaneFX.h"

#include <array>
#include <mutex>

class OrvaneVUMeterGUI;

class OrvaneVUMeter : public OrvaneFX {
public:
    static constexpr VstInt32 kNumParams = 4;
    static constexpr std::size_t kLabelBytes = 256; // 255 bytes of text and a zero

    explicit OrvaneVUMeter(audioMasterCallback audioMaster);
    ~OrvaneVUMeter() override;

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs,
                                VstInt32 sampleFrames) override;

    VstInt32 getChunk(void** data, bool isPreset) override;
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

    bool getEffectName(char* name) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override { return 1210; }
    VstInt32 getPlugCategory() override { return kPlugCategAnalysis; }

    void sampleRateChanged(float rate) override;
    void parameterChanged(VstInt32 index, float value) override;

    using LabelText = std::array<char, kLabelBytes>;
    // A copy of the label text; the text may be written meanwhile by another non-audio thread.
    LabelText getLabelText() const;
    // The label's text as the user edited it; cut to 255 bytes.
    void storeLabelText(const char* text);

private:
    template <typename Sample>
    void processBlock(Sample** inputs, Sample** outputs, VstInt32 sampleFrames);
    OrvaneVUMeterGUI* gui() const;

    LabelText labelText{};
    mutable std::mutex labelLock; // chunk loading and label edits may come from different threads
};
