// Audio processing: every sample passes through unchanged, and every sample frame gives the
// editor one pair of levels.
#include "effect/OrvaneVUMeter.h"

#include "editor/OrvaneVUMeterGUI.h"
#include "effect/ChannelMode.h"

namespace {

template <typename Sample>
void copyBlock(const Sample* inLeft, const Sample* inRight, Sample* outLeft, Sample* outRight,
               VstInt32 sampleFrames) {
    for (VstInt32 n = 0; n < sampleFrames; ++n) {
        const Sample left = inLeft[n];
        const Sample right = inRight[n];
        outLeft[n] = left;
        outRight[n] = right;
    }
}

} // namespace

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
    // The editor, when it is open, takes the levels of this whole block.
    OrvaneVUMeterGUI* editorGui = gui();
    if (editorGui == nullptr) {
        copyBlock(inLeft, inRight, outLeft, outRight, sampleFrames);
        return;
    }
    OrvaneVUMeterGUI::LevelFeed feed(*editorGui);
    for (VstInt32 n = 0; n < sampleFrames; ++n) {
        // Both samples are read before either is written: the buffers may be the same.
        const Sample left = inLeft[n];
        const Sample right = inRight[n];
        outLeft[n] = left;
        outRight[n] = right;
        const effect::LevelPair levels =
            effect::levelsFor(mode, isMono.load(std::memory_order_relaxed),
                              static_cast<double>(left), static_cast<double>(right));
        if (feed) {
            feed.feedLevels(levels.first, levels.second);
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
