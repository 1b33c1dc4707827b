// The maker's common effect base: a table of normalised parameters with names and labels, the
// parameter-only state chunk, the mono flag, and two hooks for subclasses.
#pragma once

#include "effect/FXParam.h"
#include "host/AudioEffectX.h"

#include <atomic>
#include <cstdint>
#include <memory>

class AEffGUIEditor;

class OrvaneFX : public AudioEffectX {
public:
    OrvaneFX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    ~OrvaneFX() override;

    // Rates that are not a positive finite number are ignored.
    void setSampleRate(float rate) override;
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    VstInt32 getChunk(void** data, bool isPreset) override;
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;
    bool setSpeakerArrangement(VstSpeakerArrangement* input,
                               VstSpeakerArrangement* output) override;
    bool getVendorString(char* text) override;
    VstInt32 canDo(char* text) override;

    virtual void sampleRateChanged(float rate);
    virtual void parameterChanged(VstInt32 index, float value);

    bool isMonoArrangement() const { return isMono.load(std::memory_order_relaxed); }
    // False when the parameter table could not be allocated.
    bool isComplete() const { return params != nullptr || paramCount == 0; }

protected:
    bool validIndex(VstInt32 index) const { return index >= 0 && index < paramCount; }
    float storedValue(VstInt32 index) const;
    // Stores the clamped value and answers what was stored.
    float storeValue(VstInt32 index, float value);
    AEffGUIEditor* guiEditor() const;
    // A fresh buffer for a chunk; the previous one is released. Null when none can be had.
    unsigned char* newChunkBuffer(std::size_t size);

    const char* const* canDoList = nullptr;
    std::unique_ptr<FXParam[]> params;
    uint16_t paramCount;
    uint16_t canDoCount = 0;
    std::atomic<bool> isMono{false};

private:
    std::unique_ptr<unsigned char[]> chunkBuffer; // lives until the next getChunk
};
