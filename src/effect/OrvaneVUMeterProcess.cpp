// Audio processing: every sample passes through unchanged, and every sample frame gives the
// editor one pair of levels.
#include "effect/OrvaneVUMeter.h"

#include "editor/OrvaneVUMeterGUI.h"
#include "effect/ChannelMode.h"

template <typename Sample>
void OrvaneVUMeter::processBlock(Sample** inputs, Sample** outputs, VstInt32 sampleFrames) {
    // The mode holds for the whole block.
    const effect::ChannelMode mode = effect::channelModeFor(getParameter(1));
    if (sampleFrames <= 0 || inputs == nullptr || outputs == nullptr) {
        return;
    }
    const Sample* inLeft = inputs[0];
    const Sample* inRight = inputs[1];
    Sample* outLeft = outputs[0];
    Sample* outRight = outputs[1];
    if (inLeft == nullptr || inRight == nullptr || outLeft == nullptr || outRight == nullptr) {
        return;
    }
    OrvaneVUMeterGUI* editorGui = gui();
    for (VstInt32 n = 0; n < sampleFrames; ++n) {
        // Both samples are read before either is written: the buffers may be the same.
        const Sample left = inLeft[n];
        const Sample right = inRight[n];
        outLeft[n] = left;
        outRight[n] = right;
        const effect::LevelPair levels =
            effect::levelsFor(mode, isMono.load(std::memory_order_relaxed),
                              static_cast<double>(left), static_cast<double>(right));
        if (editorGui != nullptr) {
            editorGui->feedLevels(levels.first, levels.second);
        }
    }
}

void OrvaneVUMeter::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    processBlock(inputs, outputs, sampleFrames);
}

void OrvaneVUMeter::processDoubleReplacing(double** inputs, double** outputs,
                                           VstInt32 sampleFrames) {
    processBlock(inputs, outputs, sampleFrames);
}
