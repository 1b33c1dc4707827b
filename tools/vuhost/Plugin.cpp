#include "Plugin.h"

#include "Error.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace vuhost {

namespace {
// Limits beyond which a record is taken to be garbage rather than a plug-in's honest answer.
constexpr VstInt32 kMaxParameters = 100000;
constexpr VstInt32 kMaxChannels = 256;
constexpr std::size_t kTextBufferSize = 256;
// Speaker types of the VST 2.4 arrangement records: mono, left, right.
constexpr VstInt32 kSpeakerTypeMono = 0;
constexpr VstInt32 kSpeakerTypeLeft = 1;
constexpr VstInt32 kSpeakerTypeRight = 2;

std::string hex32(VstInt32 value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}
} // namespace

std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    return out;
}

std::string fourCC(VstInt32 code) {
    const auto u = static_cast<std::uint32_t>(code);
    std::string chars;
    for (int shift = 24; shift >= 0; shift -= 8) chars += static_cast<char>((u >> shift) & 0xFF);
    return "'" + printable(chars) + "'";
}

std::unique_ptr<Plugin> Plugin::load(const std::string& path) {
    auto module = PluginModule::load(path);
    const VstPluginMainProc entry = module->entryPoint();
    const std::string entryName = module->entryPointName();
    AEffect* effect = entry(&VstHost::callback);
    if (!effect)
        throw Error(path + ": the plug-in refused to start (" + entryName +
                    " returned no effect record)");
    if (effect->magic != kEffectMagic)
        // Nothing of a record with a wrong magic can be trusted, not even its dispatcher: it is
        // left alone (and not closed).
        throw Error(path + ": not a VST 2.4 effect record (magic " + hex32(effect->magic) + " " +
                    fourCC(effect->magic) + ", expected " + hex32(kEffectMagic) + " 'VstP')");
    if (!effect->dispatcher)
        throw Error(path + ": the effect record has no dispatcher");
    std::unique_ptr<Plugin> plugin(new Plugin(std::move(module), effect, path));
    plugin->entryName_ = entryName;
    plugin->checkRecord();
    return plugin;
}

Plugin::Plugin(std::unique_ptr<PluginModule> module, AEffect* effect, std::string path)
    : module_(std::move(module)), effect_(effect), path_(std::move(path)) {}

Plugin::~Plugin() {
    if (mainsOn_) setMains(false);
    effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
}

void Plugin::checkRecord() const {
    const AEffect& e = *effect_;
    if (e.numParams < 0 || e.numParams > kMaxParameters)
        throw Error(path_ + ": implausible parameter count " + std::to_string(e.numParams));
    if (e.numInputs < 0 || e.numInputs > kMaxChannels || e.numOutputs < 0 ||
        e.numOutputs > kMaxChannels)
        throw Error(path_ + ": implausible channel counts " + std::to_string(e.numInputs) +
                    " in, " + std::to_string(e.numOutputs) + " out");
}

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                           float opt) const {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string Plugin::text(VstInt32 opcode, VstInt32 index) const {
    std::array<char, kTextBufferSize> buffer{};
    dispatch(opcode, index, 0, buffer.data());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

void Plugin::open() { dispatch(effOpen); }

void Plugin::setSampleRate(float rate) { dispatch(effSetSampleRate, 0, 0, nullptr, rate); }

void Plugin::setBlockSize(VstInt32 size) { dispatch(effSetBlockSize, 0, size); }

void Plugin::setProcessPrecision(bool doublePrecision) {
    constexpr VstIntPtr kPrecision32 = 0, kPrecision64 = 1;
    dispatch(effSetProcessPrecision, 0, doublePrecision ? kPrecision64 : kPrecision32);
}

void Plugin::setMains(bool on) {
    // As hosts do: processing starts after the plug-in is switched on and stops before it is
    // switched off.
    if (!on && mainsOn_) dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, on ? 1 : 0);
    if (on && !mainsOn_) dispatch(effStartProcess);
    mainsOn_ = on;
}

bool Plugin::setSpeakerArrangement(int channels) {
    VstSpeakerArrangement inputs{};
    inputs.type = channels == 1 ? kSpeakerArrMono : kSpeakerArrStereo;
    inputs.numChannels = channels;
    for (int c = 0; c < channels && c < 8; ++c) {
        inputs.speakers[c].type =
            channels == 1 ? kSpeakerTypeMono : (c == 0 ? kSpeakerTypeLeft : kSpeakerTypeRight);
        std::snprintf(inputs.speakers[c].name, sizeof inputs.speakers[c].name, "%s",
                      channels == 1 ? "M" : (c == 0 ? "L" : "R"));
    }
    VstSpeakerArrangement outputs = inputs;
    return dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&inputs), &outputs) != 0;
}

float Plugin::getParameter(int index) const {
    return effect_->getParameter ? effect_->getParameter(effect_, index) : 0.0f;
}

void Plugin::setParameter(int index, float value) {
    if (!effect_->setParameter) throw Error(path_ + ": the plug-in cannot take parameter values");
    effect_->setParameter(effect_, index, value);
}

int Plugin::findParameter(const std::string& name) const {
    for (int i = 0; i < parameterCount(); ++i)
        if (parameterName(i) == name) return i;
    return -1;
}

bool Plugin::canReplacing() const {
    return (effect_->flags & effFlagsCanReplacing) && effect_->processReplacing;
}

bool Plugin::canDoubleReplacing() const {
    return (effect_->flags & effFlagsCanDoubleReplacing) && effect_->processDoubleReplacing;
}

std::vector<std::uint8_t> Plugin::getChunk() const {
    if (!usesChunks()) throw Error(path_ + ": the plug-in keeps no state chunk");
    void* data = nullptr;
    const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
    if (size < 0) throw Error(path_ + ": the plug-in answered a negative chunk size");
    if (size > 0 && !data) throw Error(path_ + ": the plug-in answered a chunk size but no data");
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

void Plugin::setChunk(const std::vector<std::uint8_t>& bytes) {
    if (!usesChunks()) throw Error(path_ + ": the plug-in keeps no state chunk");
    // A copy of our own: the plug-in may read the buffer as it likes, but never our file data.
    std::vector<std::uint8_t> copy = bytes;
    dispatch(effSetChunk, 0, static_cast<VstIntPtr>(copy.size()), copy.empty() ? nullptr : copy.data());
}

void Plugin::processReplacing(float** inputs, float** outputs, VstInt32 frames) {
    effect_->processReplacing(effect_, inputs, outputs, frames);
}

void Plugin::processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames) {
    effect_->processDoubleReplacing(effect_, inputs, outputs, frames);
}

} // namespace vuhost
