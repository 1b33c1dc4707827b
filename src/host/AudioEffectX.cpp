#include "host/AudioEffectX.h"

#include "host/AEffEditor.h"

#include <cmath>
#include <cstring>
#include <new>

namespace {

// The modifier byte of a key event comes in as a float; anything that is not a number in range
// counts as no modifier.
unsigned char modifierByte(float opt) {
    if (!(opt > -2147483648.0f && opt < 2147483648.0f)) {
        return 0;
    }
    return static_cast<unsigned char>(static_cast<VstInt32>(opt) & 0xFF);
}

} // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
    switch (opcode) {
    case effProcessEvents:
        return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
        return canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter:
        return 0;
    case effGetProgramNameIndexed:
        return 0;
    case effGetInputProperties:
        return getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties:
        return getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory:
        return getPlugCategory();
    case effOfflineNotify:
    case effOfflinePrepare:
    case effOfflineRun:
    case effProcessVarIo:
        return 0;
    case effSetSpeakerArrangement:
        return setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                     static_cast<VstSpeakerArrangement*>(ptr))
                   ? 1
                   : 0;
    case effSetBypass:
        return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName:
        return (ptr != nullptr && getEffectName(static_cast<char*>(ptr))) ? 1 : 0;
    case effGetVendorString:
        return (ptr != nullptr && getVendorString(static_cast<char*>(ptr))) ? 1 : 0;
    case effGetProductString:
        return (ptr != nullptr && getProductString(static_cast<char*>(ptr))) ? 1 : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return canDo(static_cast<char*>(ptr));
    case effGetTailSize:
        return getGetTailSize();
    case effGetParameterProperties:
        return 0;
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
        if (!editor) {
            return 0;
        }
        VstKeyCode key{};
        key.character = index;
        key.virt = static_cast<unsigned char>(value & 0xFF);
        key.modifier = modifierByte(opt);
        const bool used = opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
        return used ? 1 : 0;
    }
    case effSetEditKnobMode:
        return (editor && editor->setKnobMode(static_cast<VstInt32>(value))) ? 1 : 0;
    case effGetMidiProgramName:
    case effGetMidiProgramCategory:
    case effHasMidiProgramsChanged:
    case effGetMidiKeyName:
        return 0;
    case effGetCurrentMidiProgram:
        return -1;
    case effBeginSetProgram:
    case effEndSetProgram:
        return 0;
    case effGetSpeakerArrangement:
        getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                              static_cast<VstSpeakerArrangement**>(ptr));
        return 0;
    case effShellGetNextPlugin:
        return 0;
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return setTotalSampleToProcess(value);
    case effSetPanLaw:
    case effBeginLoadBank:
    case effBeginLoadProgram:
    case effSetProcessPrecision:
        return 0;
    case effGetNumMidiInputChannels:
        return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
        return getNumMidiOutputChannels();
    default:
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

void AudioEffectX::resume() {
    static char midiFeature[] = "receiveVstMidiEvent";
    if ((cEffect.flags & effFlagsIsSynth) != 0 || canDo(midiFeature) == 1) {
        wantEvents(1);
    }
}

bool AudioEffectX::beginEdit(VstInt32 index) { return callHost(audioMasterBeginEdit, index) != 0; }

bool AudioEffectX::endEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }

bool AudioEffectX::ioChanged() { return callHost(audioMasterIOChanged) != 0; }

double AudioEffectX::updateSampleRate() {
    const VstIntPtr rate = callHost(audioMasterGetSampleRate);
    if (rate > 0) {
        setSampleRate(static_cast<float>(rate));
    }
    return getSampleRate();
}

VstInt32 AudioEffectX::updateBlockSize() {
    const VstIntPtr size = callHost(audioMasterGetBlockSize);
    if (size > 0) {
        setBlockSize(static_cast<VstInt32>(size));
    }
    return getBlockSize();
}

VstInt32 AudioEffectX::getInputLatency() {
    return static_cast<VstInt32>(callHost(audioMasterGetInputLatency));
}

VstInt32 AudioEffectX::getOutputLatency() {
    return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
}

bool AudioEffectX::setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) {
    return false;
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** input,
                                         VstSpeakerArrangement** output) {
    if (input != nullptr) {
        *input = nullptr;
    }
    if (output != nullptr) {
        *output = nullptr;
    }
    return false;
}

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter) {
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

VstInt32 AudioEffectX::getCurrentProcessLevel() {
    return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
}

VstInt32 AudioEffectX::getAutomationState() {
    return static_cast<VstInt32>(callHost(audioMasterGetAutomationState));
}

bool AudioEffectX::getHostVendorString(char* text) {
    if (text != nullptr) {
        text[0] = '\0';
    }
    return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString(char* text) {
    if (text != nullptr) {
        text[0] = '\0';
    }
    return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

VstInt32 AudioEffectX::getHostVendorVersion() {
    return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 arg1, VstIntPtr arg2, void* ptr, float opt) {
    return callHost(audioMasterVendorSpecific, arg1, arg2, ptr, opt);
}

VstInt32 AudioEffectX::canHostDo(char* text) {
    return callHost(audioMasterCanDo, 0, 0, text) != 0 ? 1 : 0;
}

VstInt32 AudioEffectX::getHostLanguage() {
    return static_cast<VstInt32>(callHost(audioMasterGetLanguage));
}

void* AudioEffectX::getDirectory() {
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}

VstInt32 AudioEffectX::getPlugCategory() {
    return (cEffect.flags & effFlagsIsSynth) != 0 ? kPlugCategSynth : kPlugCategUnknown;
}

bool AudioEffectX::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 channels) {
    if (arrangement == nullptr || channels < 0 || channels > 8) {
        return false;
    }
    deallocateArrangement(arrangement);
    auto* made = new (std::nothrow) VstSpeakerArrangement{};
    if (made == nullptr) {
        return false;
    }
    made->numChannels = channels;
    made->type = channels == 0   ? kSpeakerArrEmpty
                 : channels == 1 ? kSpeakerArrMono
                 : channels == 2 ? kSpeakerArrStereo
                                 : kSpeakerArrEmpty;
    *arrangement = made;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement) {
    if (arrangement == nullptr) {
        return false;
    }
    delete *arrangement;
    *arrangement = nullptr;
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from) {
    if (to == nullptr || from == nullptr) {
        return false;
    }
    std::memcpy(to, from, sizeof(VstSpeakerProperties));
    return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from) {
    if (from == nullptr || !allocateArrangement(to, from->numChannels)) {
        return false;
    }
    (*to)->type = from->type;
    for (VstInt32 i = 0; i < from->numChannels; ++i) {
        copySpeaker(&(*to)->speakers[i], &from->speakers[i]);
    }
    return true;
}

void AudioEffectX::wantEvents(VstInt32 filter) { callHost(audioMasterWantMidi, 0, filter); }
