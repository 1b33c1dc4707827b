#include "Renderer.h"

#include "Error.h"

#include <algorithm>
#include <vector>

namespace vuhost {

namespace {

template <typename Sample>
class BlockBuffers {
public:
    BlockBuffers(int inputs, int outputs, int blockSize)
        : inputData_(static_cast<std::size_t>(inputs) * blockSize),
          outputData_(static_cast<std::size_t>(outputs) * blockSize) {
        for (int c = 0; c < inputs; ++c) inputs_.push_back(inputData_.data() + c * blockSize);
        for (int c = 0; c < outputs; ++c) outputs_.push_back(outputData_.data() + c * blockSize);
        // A plug-in without inputs or outputs still gets a valid (empty) array.
        if (inputs_.empty()) inputs_.push_back(nullptr);
        if (outputs_.empty()) outputs_.push_back(nullptr);
    }
    Sample** inputs() { return inputs_.data(); }
    Sample** outputs() { return outputs_.data(); }
    void clearOutputs() { std::fill(outputData_.begin(), outputData_.end(), Sample{}); }

private:
    std::vector<Sample> inputData_, outputData_;
    std::vector<Sample*> inputs_, outputs_;
};

template <typename Sample>
void run(Plugin& plugin, const AudioData& input, AudioData& output, int blockSize) {
    const AEffect& record = plugin.record();
    const auto fileChannels = static_cast<std::size_t>(input.channels);
    const auto outChannels = static_cast<std::size_t>(output.channels);
    BlockBuffers<Sample> buffers(record.numInputs, record.numOutputs, blockSize);
    const std::size_t frames = input.frames();
    for (std::size_t start = 0; start < frames; start += static_cast<std::size_t>(blockSize)) {
        const auto count = std::min<std::size_t>(static_cast<std::size_t>(blockSize), frames - start);
        for (int c = 0; c < record.numInputs; ++c) {
            Sample* in = buffers.inputs()[c];
            const std::size_t source = static_cast<std::size_t>(c) % fileChannels;
            for (std::size_t n = 0; n < count; ++n)
                in[n] = static_cast<Sample>(input.samples[(start + n) * fileChannels + source]);
        }
        buffers.clearOutputs();
        if constexpr (sizeof(Sample) == sizeof(float))
            plugin.processReplacing(buffers.inputs(), buffers.outputs(), static_cast<VstInt32>(count));
        else
            plugin.processDoubleReplacing(buffers.inputs(), buffers.outputs(),
                                          static_cast<VstInt32>(count));
        for (std::size_t c = 0; c < outChannels; ++c) {
            const Sample* out = buffers.outputs()[c];
            for (std::size_t n = 0; n < count; ++n)
                output.samples[(start + n) * outChannels + c] = static_cast<double>(out[n]);
        }
    }
}

} // namespace

AudioData Renderer::render(Plugin& plugin, const AudioData& input, const Options& options) {
    if (options.blockSize < 1 || options.blockSize > kMaxBlockSize)
        throw Error("block size must be between 1 and " + std::to_string(kMaxBlockSize));
    if (input.channels < 1) throw Error("the input has no channels");
    const AEffect& record = plugin.record();
    if (record.numOutputs < 1) throw Error("the plug-in has no outputs");
    if (options.doublePrecision && !plugin.canDoubleReplacing())
        throw Error("the plug-in cannot process in double precision");
    if (!options.doublePrecision && !plugin.canReplacing())
        throw Error("the plug-in cannot process in single precision (no processReplacing)");

    AudioData output;
    output.sampleRate = input.sampleRate;
    output.channels = std::min(input.channels, record.numOutputs);
    output.encoding = input.encoding;
    output.nativeFormat = input.channels == output.channels ? input.nativeFormat : 0;
    output.samples.assign(input.frames() * static_cast<std::size_t>(output.channels), 0.0);
    if (options.doublePrecision)
        run<double>(plugin, input, output, options.blockSize);
    else
        run<float>(plugin, input, output, options.blockSize);
    return output;
}

} // namespace vuhost
