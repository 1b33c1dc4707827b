#include "effect/OrvaneVUMeter.h"

#include "editor/OrvaneVUMeterGUI.h"
#include "host/HostText.h"
#include "meter/ReferenceLevel.h"

#include <new>

namespace {

struct ParamDefault {
    const char* name;
    const char* label;
    float value;
};

constexpr ParamDefault paramDefaults[OrvaneVUMeter::kNumParams] = {
    {"Headroom", "dB", 0.625f},
    {"Mode", "", 0.5f},
    {"Hold", "", 0.0f},
    {"Xtnd", "", 0.0f},
};

} // namespace

OrvaneVUMeter::OrvaneVUMeter(audioMasterCallback host) : OrvaneFX(host, 0, kNumParams) {
    for (VstInt32 i = 0; i < paramCount; ++i) {
        params[i].name = paramDefaults[i].name;
        params[i].label = paramDefaults[i].label;
        params[i].value.store(paramDefaults[i].value, std::memory_order_relaxed);
    }
    cEffect.flags |= effFlagsProgramChunks | effFlagsCanReplacing | effFlagsCanDoubleReplacing;
    setUniqueID(vstFourCC('R', 'V', '4', '7'));
    setNumInputs(2);
    setNumOutputs(2);
    // The editor registers itself with this effect; without memory there is simply none.
    (void)new (std::nothrow) OrvaneVUMeterGUI(this);
}

// An editor still open is closed while this effect is whole: closing may end a label edit,
// which reaches the effect and the host.
OrvaneVUMeter::~OrvaneVUMeter() {
    if (OrvaneVUMeterGUI* editorGui = gui()) {
        editorGui->close();
    }
}

OrvaneVUMeterGUI* OrvaneVUMeter::gui() const {
    return static_cast<OrvaneVUMeterGUI*>(editor.get());
}

bool OrvaneVUMeter::getEffectName(char* name) {
    host::writeHostText(name, "RV47-T VU Meter", 32);
    return true;
}

bool OrvaneVUMeter::getProductString(char* text) {
    host::writeHostText(text, "RV47-T VU Meter", 64);
    return true;
}

void OrvaneVUMeter::sampleRateChanged(float rate) {
    if (OrvaneVUMeterGUI* editorGui = gui()) {
        editorGui->setMeterSampleRate(static_cast<double>(rate));
    }
}

void OrvaneVUMeter::parameterChanged(VstInt32 index, float value) {
    OrvaneVUMeterGUI* editorGui = gui();
    if (editorGui == nullptr) {
        return;
    }
    switch (index) {
    case 0:
        editorGui->setReferenceLevel(meter::referenceLevelForHeadroom(value));
        break;
    case 2:
        editorGui->setHoldNeedle(value > 0.5f);
        break;
    case 3:
        editorGui->rebuild();
        break;
    default:
        break;
    }
}

OrvaneVUMeter::LabelText OrvaneVUMeter::getLabelText() const {
    std::lock_guard<std::mutex> guard(labelLock);
    return labelText;
}

void OrvaneVUMeter::storeLabelText(const char* text) {
    LabelText copy{};
    for (std::size_t i = 0; text != nullptr && i + 1 < kLabelBytes && text[i] != '\0'; ++i) {
        copy[i] = text[i];
    }
    std::lock_guard<std::mutex> guard(labelLock);
    labelText = copy;
}
