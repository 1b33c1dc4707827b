#include "RenderCommand.h"

#include "AudioFile.h"
#include "ChunkFormat.h"
#include "ContactSheet.h"
#include "EditorWindow.h"
#include "Error.h"
#include "Plugin.h"
#include "PluginCommands.h"
#include "VstHost.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vuhost {

namespace {

struct Options {
    int fps = RenderCommand::kDefaultFps;
    double seconds = -1.0; // from the input
    const std::string* size = nullptr;
    const std::string* label = nullptr;
    std::filesystem::path outDir;
};

Options parseOptions(const Arguments& args) {
    Options o;
    const std::string* out = args.value("out");
    if (!out || out->empty()) throw Error("render needs --out DIR");
    o.outDir = *out;
    if (const std::string* text = args.value("fps"))
        o.fps = parseInteger(*text, "--fps", 1, RenderCommand::kMaxFps);
    if (const std::string* text = args.value("seconds")) {
        o.seconds = parseNumber(*text, "--seconds");
        if (o.seconds < 0.0 || o.seconds > RenderCommand::kMaxSeconds)
            throw Error("--seconds must lie from 0 to 3600, not " + *text);
    }
    o.size = args.value("size");
    if (o.size && *o.size != "small" && *o.size != "large")
        throw Error("--size takes small or large, not '" + *o.size + "'");
    o.label = args.value("label");
    if (o.label && o.label->size() > 255)
        throw Error("--label takes at most 255 bytes, not " + std::to_string(o.label->size()));
    return o;
}

// Restores the label the way a host restores a project: through a labelled state chunk that
// carries the plug-in's current parameter values.
void restoreLabel(Plugin& plugin, const std::string& label) {
    const std::vector<std::uint8_t> current = plugin.getChunk();
    const DecodedChunk decoded = ChunkFormat::decode(current, plugin.parameterCount());
    std::vector<float> values = decoded.values;
    if (decoded.form == DecodedChunk::Form::Unrecognised) {
        values.clear();
        for (int i = 0; i < plugin.parameterCount(); ++i) values.push_back(plugin.getParameter(i));
    }
    plugin.setChunk(ChunkFormat::encode(values, label));
}

std::pair<int, int> editorRect(const Plugin& plugin) {
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    if (!rect) return {0, 0};
    return {rect->right - rect->left, rect->bottom - rect->top};
}

void checkEditorSize(std::pair<int, int> size) {
    if (size.first <= 0 || size.second <= 0 || size.first > 16384 || size.second > 16384)
        throw Error("the plug-in reports an editor of " + std::to_string(size.first) + " x " +
                    std::to_string(size.second) + " pixels");
}

std::string frameName(std::size_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04zu.png", index);
    return name;
}

// Feeds the plug-in audio block by block: the file's frames, then silence.
class AudioFeed {
public:
    AudioFeed(Plugin& plugin, const AudioData& audio) : plugin_(plugin), audio_(audio) {
        const int ins = plugin.record().numInputs, outs = plugin.record().numOutputs;
        inputs_.assign(std::size_t(ins), std::vector<float>(RenderCommand::kBlockSize));
        outputs_.assign(std::size_t(outs), std::vector<float>(RenderCommand::kBlockSize));
        for (auto& c : inputs_) inPointers_.push_back(c.data());
        for (auto& c : outputs_) outPointers_.push_back(c.data());
    }
    // Processes every frame before `end`.
    void runTo(std::size_t end) {
        while (position_ < end) {
            const std::size_t count = std::min<std::size_t>(end - position_, RenderCommand::kBlockSize);
            for (std::size_t c = 0; c < inputs_.size(); ++c)
                for (std::size_t i = 0; i < count; ++i) inputs_[c][i] = sample(position_ + i, c);
            plugin_.processReplacing(inPointers_.data(), outPointers_.data(), VstInt32(count));
            position_ += count;
        }
    }

private:
    float sample(std::size_t frame, std::size_t channel) const {
        if (frame >= audio_.frames() || audio_.channels <= 0) return 0.0f;
        const std::size_t from = audio_.channels == 1 ? 0 : std::min<std::size_t>(channel, std::size_t(audio_.channels) - 1);
        return static_cast<float>(audio_.samples[frame * std::size_t(audio_.channels) + from]);
    }

    Plugin& plugin_;
    const AudioData& audio_;
    std::vector<std::vector<float>> inputs_, outputs_;
    std::vector<float*> inPointers_, outPointers_;
    std::size_t position_ = 0;
};

} // namespace

int RenderCommand::run(const Arguments& args) {
    const Options options = parseOptions(args);
    AudioData input;
    if (args.positional.size() > 1) {
        input = readAudioFile(args.positional[1]);
        if (input.channels < 1) throw Error(args.positional[1] + ": no audio channels");
        if (input.sampleRate < 1) throw Error(args.positional[1] + ": no sample rate");
    } else {
        input.sampleRate = kSilenceRate;
        input.channels = 2;
    }
    const double seconds = options.seconds >= 0.0 ? options.seconds
                           : args.positional.size() > 1
                               ? double(input.frames()) / input.sampleRate
                               : kDefaultSilenceSeconds;
    const auto frameCount = static_cast<std::size_t>(std::floor(seconds * options.fps + 1e-9)) + 1;

    std::error_code ec;
    std::filesystem::create_directories(options.outDir, ec);
    if (!std::filesystem::is_directory(options.outDir))
        throw Error(options.outDir.string() + ": cannot make the output folder");

    VstHost host(args.has("log") ? &out_ : nullptr);
    host.setSampleRate(float(input.sampleRate));
    host.setBlockSize(kBlockSize);
    auto plugin = Plugin::load(args.positional[0]);
    if (!(plugin->record().flags & effFlagsHasEditor)) throw Error(args.positional[0] + ": the plug-in has no editor");
    plugin->open();
    plugin->setSampleRate(float(input.sampleRate));
    plugin->setBlockSize(kBlockSize);
    if (options.label) restoreLabel(*plugin, *options.label);
    applySettings(*plugin, args);
    plugin->setSpeakerArrangement(input.channels == 1 ? 1 : 2);
    plugin->setProcessPrecision(false);
    if (!plugin->canReplacing()) throw Error(args.positional[0] + ": the plug-in cannot process in single precision");

    // As hosts do: a window of the size the editor reports, opened, then fitted to the size it
    // reports once open.
    const auto before = editorRect(*plugin);
    checkEditorSize(before);
    auto window = EditorWindow::create(before.first, before.second);
    host.setWindowResizer([&window](int w, int h) { return window && window->resize(w, h); });
    // Whatever happens from here on, the editor is closed before its window goes.
    struct OpenEditor {
        Plugin& plugin;
        VstHost& host;
        bool open = false;
        ~OpenEditor() {
            if (open) plugin.dispatch(effEditClose);
            host.setWindowResizer(nullptr);
        }
    } editor{*plugin, host};
    editor.open = plugin->dispatch(effEditOpen, 0, 0, window->handle()) != 0;
    if (!editor.open) throw Error(args.positional[0] + ": the editor did not open");
    const auto opened = editorRect(*plugin);
    checkEditorSize(opened);
    if (opened != before) window->resize(opened.first, opened.second);
    if (options.size) {
        const int xtnd = plugin->findParameter("Xtnd");
        if (xtnd < 0) throw Error("--size needs a parameter named Xtnd");
        plugin->setParameter(xtnd, *options.size == "large" ? 1.0f : 0.0f);
    }
    plugin->setMains(true);

    const std::vector<std::size_t> sheetFrames = ContactSheet::pick(frameCount);
    std::vector<TimedFrame> kept;
    AudioFeed feed(*plugin, input);
    Image last;
    for (std::size_t k = 0; k < frameCount; ++k) {
        const double t = double(k) / options.fps;
        feed.runTo(static_cast<std::size_t>(std::llround(t * input.sampleRate)));
        const auto ms = static_cast<std::uint32_t>(std::llround(t * 1000.0));
        window->waitUntil(ms);
        plugin->dispatch(effEditIdle);
        window->pump();
        last = window->capture();
        writePng((options.outDir / frameName(k)).string(), last);
        if (std::binary_search(sheetFrames.begin(), sheetFrames.end(), k))
            kept.push_back({last, int(ms)});
    }
    plugin->setMains(false);
    plugin->dispatch(effEditClose);
    editor.open = false;
    host.setWindowResizer(nullptr);
    const std::string clock = window->clockKind();
    window.reset();

    const std::filesystem::path sheet = options.outDir / "contact-sheet.png";
    const std::filesystem::path final = options.outDir / "final.png";
    writePng(sheet.string(), ContactSheet::make(kept));
    writePng(final.string(), last);
    out_ << "rendered " << frameCount << " frame" << (frameCount == 1 ? "" : "s") << " of "
         << last.width << " x " << last.height << " at " << options.fps << " fps ("
         << clock << " clock): " << (options.outDir / "frame-NNNN.png").string() << '\n'
         << "contact sheet: " << sheet.string() << '\n'
         << "final frame: " << final.string() << '\n';
    return kExitOk;
}

} // namespace vuhost
