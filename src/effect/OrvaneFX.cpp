#include "effect/OrvaneFX.h"

#include "editor/AEffGUIEditor.h"
#include "effect/ChunkBytes.h"
#include "host/HostText.h"

#include <cmath>
#include <cstring>
#include <new>

OrvaneFX::OrvaneFX(audioMasterCallback host, VstInt32 programs, VstInt32 numParameters)
    : AudioEffectX(host, programs, numParameters),
      paramCount(static_cast<uint16_t>(numParameters)) {
    params.reset(new (std::nothrow) FXParam[paramCount]);
    if (!params) {
        paramCount = 0;
    }
}

OrvaneFX::~OrvaneFX() { params.reset(); }

void OrvaneFX::setSampleRate(float rate) {
    if (!(rate > 0.0f) || std::isinf(rate)) {
        return;
    }
    AudioEffectX::setSampleRate(rate);
    sampleRateChanged(rate);
}

float OrvaneFX::storedValue(VstInt32 index) const {
    return params[index].value.load(std::memory_order_relaxed);
}

float OrvaneFX::storeValue(VstInt32 index, float value) {
    const float stored = effect::clampParameter(value, storedValue(index));
    params[index].value.store(stored, std::memory_order_relaxed);
    return stored;
}

AEffGUIEditor* OrvaneFX::guiEditor() const { return static_cast<AEffGUIEditor*>(editor.get()); }

void OrvaneFX::setParameter(VstInt32 index, float value) {
    // A value that is not a number is no parameter value: it changes nothing.
    if (!validIndex(index) || std::isnan(value)) {
        return;
    }
    storeValue(index, value);
    parameterChanged(index, value);
    if (AEffGUIEditor* gui = guiEditor()) {
        gui->setParameter(index, value);
    }
}

float OrvaneFX::getParameter(VstInt32 index) {
    return validIndex(index) ? storedValue(index) : 0.0f;
}

void OrvaneFX::getProgramName(char* name) { host::writeHostText(name, "Default", 24); }

void OrvaneFX::getParameterLabel(VstInt32 index, char* label) {
    if (validIndex(index)) {
        host::writeHostText(label, params[index].label, 8);
    }
}

void OrvaneFX::getParameterDisplay(VstInt32 index, char* text) {
    if (validIndex(index)) {
        float2string(storedValue(index), text, 8);
    }
}

void OrvaneFX::getParameterName(VstInt32 index, char* text) {
    if (validIndex(index)) {
        host::writeHostText(text, params[index].name, 8);
    }
}

unsigned char* OrvaneFX::newChunkBuffer(std::size_t size) {
    chunkBuffer.reset(new (std::nothrow) unsigned char[size]);
    return chunkBuffer.get();
}

VstInt32 OrvaneFX::getChunk(void** data, bool) {
    if (paramCount == 0 || data == nullptr) {
        return 0;
    }
    const std::size_t size = std::size_t{paramCount} * 4;
    unsigned char* buffer = newChunkBuffer(size);
    if (buffer == nullptr) {
        *data = nullptr;
        return 0;
    }
    for (VstInt32 i = 0; i < paramCount; ++i) {
        effect::writeChunkFloat(buffer + 4 * i, storedValue(i));
    }
    *data = buffer;
    return static_cast<VstInt32>(size);
}

VstInt32 OrvaneFX::setChunk(void* data, VstInt32 byteSize, bool) {
    // A chunk too short for every parameter is not ours: it is ignored whole.
    if (data == nullptr || byteSize < 0 || byteSize < VstInt32{paramCount} * 4) {
        return 0;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (VstInt32 i = 0; i < paramCount; ++i) {
        const float stored = storeValue(i, effect::readChunkFloat(bytes + 4 * i));
        parameterChanged(i, stored);
        if (AEffGUIEditor* gui = guiEditor()) {
            gui->setParameter(i, stored);
        }
    }
    return 0;
}

bool OrvaneFX::setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) {
    if (input == nullptr || output == nullptr) {
        return false;
    }
    isMono.store(input->numChannels == 1 && output->numChannels == 1, std::memory_order_relaxed);
    return input->numChannels == output->numChannels &&
           (input->numChannels == 1 || input->numChannels == 2);
}

bool OrvaneFX::getVendorString(char* text) {
    host::writeHostText(text, "Marrowdyne", 64);
    return true;
}

VstInt32 OrvaneFX::canDo(char* text) {
    if (text == nullptr || canDoList == nullptr) {
        return -1;
    }
    for (uint16_t i = 0; i < canDoCount; ++i) {
        if (canDoList[i] != nullptr && std::strcmp(canDoList[i], text) == 0) {
            return 1;
        }
    }
    return -1;
}

void OrvaneFX::sampleRateChanged(float) {}

void OrvaneFX::parameterChanged(VstInt32, float) {}
