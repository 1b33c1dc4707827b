#include "host/RecordEntries.h"

#include "host/AudioEffect.h"

namespace host {
namespace {

AudioEffect* owner(AEffect* record) {
    return record != nullptr ? static_cast<AudioEffect*>(record->object) : nullptr;
}

VstIntPtr VSTCALLBACK dispatchEntry(AEffect* record, VstInt32 opcode, VstInt32 index,
                                    VstIntPtr value, void* ptr, float opt) {
    AudioEffect* effect = owner(record);
    if (effect == nullptr) {
        return 0;
    }
    const VstIntPtr answer = effect->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete effect;
        return 1;
    }
    return answer;
}

void VSTCALLBACK processEntry(AEffect* record, float** inputs, float** outputs,
                              VstInt32 sampleFrames) {
    if (AudioEffect* effect = owner(record)) {
        effect->process(inputs, outputs, sampleFrames);
    }
}

void VSTCALLBACK processReplacingEntry(AEffect* record, float** inputs, float** outputs,
                                       VstInt32 sampleFrames) {
    if (AudioEffect* effect = owner(record)) {
        effect->processReplacing(inputs, outputs, sampleFrames);
    }
}

void VSTCALLBACK processDoubleReplacingEntry(AEffect* record, double** inputs, double** outputs,
                                             VstInt32 sampleFrames) {
    if (AudioEffect* effect = owner(record)) {
        effect->processDoubleReplacing(inputs, outputs, sampleFrames);
    }
}

void VSTCALLBACK setParameterEntry(AEffect* record, VstInt32 index, float value) {
    if (AudioEffect* effect = owner(record)) {
        effect->setParameter(index, value);
    }
}

float VSTCALLBACK getParameterEntry(AEffect* record, VstInt32 index) {
    AudioEffect* effect = owner(record);
    return effect != nullptr ? effect->getParameter(index) : 0.0f;
}

} // namespace

void installRecordEntries(AEffect& record) {
    record.dispatcher = dispatchEntry;
    record.process = processEntry;
    record.setParameter = setParameterEntry;
    record.getParameter = getParameterEntry;
    record.processReplacing = processReplacingEntry;
    record.processDoubleReplacing = processDoubleReplacingEntry;
}

} // namespace host
