#include "PluginCommands.h"

#include "AudioFile.h"
#include "ChunkFormat.h"
#include "Error.h"
#include "FileBytes.h"
#include "Plugin.h"
#include "Renderer.h"
#include "VstHost.h"

#include <cstdio>
#include <iomanip>

namespace vuhost {

namespace {

std::string hex32(VstInt32 value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string categoryName(VstIntPtr category) {
    static const char* const names[] = {"Unknown",   "Effect",      "Synth",       "Analysis",
                                        "Mastering", "Spacializer", "RoomFx",      "SurroundFx",
                                        "Restoration", "OfflineProcess", "Shell", "Generator"};
    if (category >= 0 && category < static_cast<VstIntPtr>(std::size(names))) return names[category];
    return "?";
}

std::string flagNames(VstInt32 flags) {
    static const std::pair<VstInt32, const char*> known[] = {
        {1 << 0, "HasEditor"},      {1 << 1, "HasClip"},        {1 << 2, "HasVu"},
        {1 << 3, "CanMono"},        {1 << 4, "CanReplacing"},   {1 << 5, "ProgramChunks"},
        {1 << 8, "IsSynth"},        {1 << 9, "NoSoundInStop"},  {1 << 10, "ExtIsAsync"},
        {1 << 11, "ExtHasBuffer"},  {1 << 12, "CanDoubleReplacing"}};
    std::string names;
    VstInt32 rest = flags;
    for (const auto& [bit, name] : known) {
        if (!(flags & bit)) continue;
        names += names.empty() ? "" : " ";
        names += name;
        rest &= ~bit;
    }
    if (rest) names += (names.empty() ? "" : " ") + hex32(rest);
    return names.empty() ? "none" : names;
}

} // namespace

void applySettings(Plugin& plugin, const Arguments& args) {
    for (const auto& [name, text] : args.settings) {
        const int index = plugin.findParameter(name);
        if (index < 0) {
            std::string names;
            for (int i = 0; i < plugin.parameterCount(); ++i)
                names += (i ? ", " : "") + printable(plugin.parameterName(i));
            throw Error("no parameter named '" + name + "'" +
                        (names.empty() ? " (the plug-in has none)" : " (parameters: " + names + ")"));
        }
        const double value = parseNumber(text, "the value of " + name);
        if (value < 0.0 || value > 1.0)
            throw Error("the value of " + name + " must be a normalised value from 0 to 1, not " + text);
        plugin.setParameter(index, static_cast<float>(value));
    }
}

namespace {

void loadChunkFile(Plugin& plugin, const std::string& path) {
    const auto bytes = readFileBytes(path);
    if (bytes.empty()) throw Error(path + ": empty state file");
    plugin.setChunk(bytes);
}

std::vector<std::string> parameterNames(const Plugin& plugin) {
    std::vector<std::string> names;
    for (int i = 0; i < plugin.parameterCount(); ++i) names.push_back(printable(plugin.parameterName(i)));
    return names;
}

} // namespace

int PluginCommands::info(const Arguments& args) {
    VstHost host(args.has("log") ? &out_ : nullptr);
    const std::string& path = args.positional[0];
    auto plugin = Plugin::load(path);
    const AEffect& e = plugin->record();
    plugin->open();

    const auto line = [this](const char* key) -> std::ostream& {
        return out_ << std::left << std::setw(16) << key;
    };
    line("plug-in") << path << '\n';
    line("entry point") << plugin->entryPointName() << '\n';
    line("magic") << fourCC(e.magic) << ' ' << hex32(e.magic) << '\n';
    line("unique ID") << fourCC(e.uniqueID) << ' ' << hex32(e.uniqueID) << '\n';
    line("version") << e.version << '\n';
    line("effect name") << printable(plugin->text(effGetEffectName)) << '\n';
    line("vendor") << printable(plugin->text(effGetVendorString)) << '\n';
    line("product") << printable(plugin->text(effGetProductString)) << '\n';
    line("vendor version") << plugin->dispatch(effGetVendorVersion) << '\n';
    line("VST version") << plugin->dispatch(effGetVstVersion) << '\n';
    const VstIntPtr category = plugin->dispatch(effGetPlugCategory);
    line("category") << category << " (" << categoryName(category) << ")\n";
    line("flags") << hex32(e.flags) << " (" << flagNames(e.flags) << ")\n";
    line("inputs") << e.numInputs << '\n';
    line("outputs") << e.numOutputs << '\n';
    line("programs") << e.numPrograms << '\n';
    line("initial delay") << e.initialDelay << '\n';
    line("parameters") << e.numParams << '\n';
    for (int i = 0; i < e.numParams; ++i) {
        const std::string label = printable(plugin->parameterLabel(i));
        const std::string display = printable(plugin->parameterDisplay(i));
        out_ << "  " << std::right << std::setw(3) << i << "  " << std::left << std::setw(10)
             << printable(plugin->parameterName(i));
        if (label.empty()) out_ << display << '\n';
        else out_ << std::setw(10) << display << label << '\n';
    }
    return kExitOk;
}

int PluginCommands::process(const Arguments& args) {
    Renderer::Options options;
    if (const std::string* text = args.value("block"))
        options.blockSize = parseInteger(*text, "--block", 1, Renderer::kMaxBlockSize);
    options.doublePrecision = args.has("double");
    const std::string& inPath = args.positional[1];
    const std::string& outPath = args.positional[2];

    // Read the input first: a bad WAV file is reported without touching the plug-in.
    const AudioData input = readAudioFile(inPath);
    if (input.channels != 1 && input.channels != 2)
        throw Error(inPath + ": " + std::to_string(input.channels) +
                    " channels; vuhost processes mono and stereo files");
    if (input.sampleRate < 1) throw Error(inPath + ": no sample rate");

    VstHost host(args.has("log") ? &out_ : nullptr);
    host.setSampleRate(static_cast<float>(input.sampleRate));
    host.setBlockSize(options.blockSize);
    auto plugin = Plugin::load(args.positional[0]);
    plugin->open();
    plugin->setSampleRate(static_cast<float>(input.sampleRate));
    plugin->setBlockSize(options.blockSize);
    if (const std::string* path = args.value("chunk-in")) loadChunkFile(*plugin, *path);
    applySettings(*plugin, args);
    plugin->setSpeakerArrangement(input.channels);
    plugin->setProcessPrecision(options.doublePrecision);
    plugin->setMains(true);
    const AudioData output = Renderer::render(*plugin, input, options);
    plugin->setMains(false);
    writeAudioFile(outPath, output);
    out_ << "processed " << input.frames() << " frames, " << input.channels << " channel"
         << (input.channels == 1 ? "" : "s") << " at " << input.sampleRate << " Hz, in blocks of "
         << options.blockSize << ", " << (options.doublePrecision ? "double" : "single")
         << " precision: " << outPath << '\n';
    if (const std::string* path = args.value("chunk-out")) {
        const auto chunk = plugin->getChunk();
        writeFileBytes(*path, chunk);
        out_ << "state chunk: " << chunk.size() << " bytes: " << *path << '\n';
    }
    return kExitOk;
}

int PluginCommands::chunk(const Arguments& args) {
    VstHost host(args.has("log") ? &out_ : nullptr);
    auto plugin = Plugin::load(args.positional[0]);
    plugin->open();
    if (const std::string* path = args.value("in")) loadChunkFile(*plugin, *path);
    applySettings(*plugin, args);
    const auto bytes = plugin->getChunk();
    const std::string* outPath = args.value("out");
    if (outPath) {
        writeFileBytes(*outPath, bytes);
        out_ << "state chunk: " << bytes.size() << " bytes: " << *outPath << '\n';
    }
    if (args.has("show") || !outPath) {
        const DecodedChunk decoded = ChunkFormat::decode(bytes, plugin->parameterCount());
        out_ << ChunkFormat::describe(bytes, decoded, parameterNames(*plugin));
    }
    return kExitOk;
}

} // namespace vuhost
