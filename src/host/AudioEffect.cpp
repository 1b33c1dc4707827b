#include "host/AudioEffect.h"

#include "host/AEffEditor.h"
#include "host/FloatText.h"
#include "host/HostText.h"
#include "host/RecordEntries.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

AudioEffect::AudioEffect(audioMasterCallback host, VstInt32 programs, VstInt32 params)
    : audioMaster(host), numPrograms(programs), numParams(params), cEffect{} {
    cEffect.magic = kEffectMagic;
    host::installRecordEntries(cEffect);
    cEffect.numPrograms = programs;
    cEffect.numParams = params;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = effFlagsCanReplacing;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = vstFourCC('N', 'o', 'E', 'f');
    cEffect.version = 1;
}

AudioEffect::~AudioEffect() = default;

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor.reset(newEditor);
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(VstInt32 flag, bool state) {
    if (state) {
        cEffect.flags |= flag;
    } else {
        cEffect.flags &= ~flag;
    }
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt) {
    if (audioMaster == nullptr) {
        return 0;
    }
    return audioMaster(&cEffect, opcode, index, value, ptr, opt);
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt) {
    switch (opcode) {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        // Signed compare against the program count; a number outside 32 bits is never stored.
        if (value < numPrograms && value >= INT32_MIN) {
            setProgram(static_cast<VstInt32>(value));
        }
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        setProgramName(static_cast<char*>(ptr));
        return 0;
    case effGetProgramName:
        if (ptr != nullptr) {
            getProgramName(static_cast<char*>(ptr));
        }
        return 0;
    case effGetParamLabel:
        if (ptr != nullptr) {
            getParameterLabel(index, static_cast<char*>(ptr));
        }
        return 0;
    case effGetParamDisplay:
        if (ptr != nullptr) {
            getParameterDisplay(index, static_cast<char*>(ptr));
        }
        return 0;
    case effGetParamName:
        if (ptr != nullptr) {
            getParameterName(index, static_cast<char*>(ptr));
        }
        return 0;
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value == 0) {
            suspend();
        } else {
            resume();
        }
        return 0;
    case effEditGetRect:
        return (editor && editor->getRect(static_cast<ERect**>(ptr))) ? 1 : 0;
    case effEditOpen:
        return (editor && editor->open(ptr)) ? 1 : 0;
    case effEditClose:
        if (editor) {
            editor->close();
        }
        return 0;
    case effEditIdle:
        if (editor) {
            editor->idle();
        }
        return 0;
    case effIdentify:
        return vstFourCC('N', 'v', 'E', 'f');
    case effGetChunk:
        return ptr != nullptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
        if (value > INT32_MAX) {
            value = INT32_MAX;
        }
        return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
        return 0;
    }
}

void AudioEffect::processDoubleReplacing(double**, double**, VstInt32) {}

void AudioEffect::setParameter(VstInt32, float) {}

float AudioEffect::getParameter(VstInt32) { return 0.0f; }

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    if (audioMaster != nullptr) {
        callHost(audioMasterAutomate, index, 0, nullptr, value);
    }
}

void AudioEffect::setProgramName(char*) {}

void AudioEffect::getProgramName(char* name) { host::writeHostText(name, "", 24); }

void AudioEffect::getParameterLabel(VstInt32, char* label) { host::writeHostText(label, "", 8); }

void AudioEffect::getParameterDisplay(VstInt32, char* text) { host::writeHostText(text, "", 8); }

void AudioEffect::getParameterName(VstInt32, char* text) { host::writeHostText(text, "", 8); }

VstInt32 AudioEffect::getChunk(void**, bool) { return 0; }

VstInt32 AudioEffect::setChunk(void*, VstInt32, bool) { return 0; }

VstInt32 AudioEffect::getMasterVersion() {
    if (audioMaster == nullptr) {
        return 1;
    }
    return static_cast<VstInt32>(callHost(audioMasterVersion));
}

VstInt32 AudioEffect::getCurrentUniqueId() {
    return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen) {
    if (value <= 0.0f) {
        host::writeHostText(text, "-oo", static_cast<std::size_t>(maxLen));
        return;
    }
    float2string(static_cast<float>(20.0 * std::log10(value)), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen) {
    const float rate = getSampleRate();
    if (samples == 0.0f) {
        float2string(0.0f, text, maxLen);
        return;
    }
    float2string(rate / samples, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen) {
    float2string(static_cast<float>(samples * 1000.0 / getSampleRate()), text, maxLen);
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen) {
    if (text != nullptr && maxLen >= 0) {
        host::formatFloatText(value, text, static_cast<std::size_t>(maxLen));
    }
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(value));
    host::writeHostText(text, digits, maxLen < 0 ? 0 : static_cast<std::size_t>(maxLen));
}

void AudioEffect::process(float**, float**, VstInt32) {}

bool AudioEffect::isInputConnected(VstInt32) { return true; }

bool AudioEffect::isOutputConnected(VstInt32) { return true; }
