#include "Cli.h"

#include "AudioFile.h"
#include "Error.h"
#include "PluginCommands.h"
#include "RenderCommand.h"
#include "TestSignal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vuhost {

namespace {

struct CommandSyntax {
    const char* name;
    std::size_t positionals;
    std::size_t optionalPositionals;
    std::set<std::string> valueOptions;
    std::set<std::string> flagOptions;
    bool takesSettings;
};

const std::vector<CommandSyntax>& commands() {
    static const std::vector<CommandSyntax> table = {
        {"info", 1, 0, {}, {"log"}, false},
        {"process", 3, 0, {"block", "chunk-in", "chunk-out"}, {"double", "log"}, true},
        {"chunk", 1, 0, {"in", "out"}, {"show", "log"}, true},
        {"render", 1, 1, {"out", "fps", "size", "label", "seconds"}, {"log"}, true},
        {"testsignal", 1, 0, {"rate"}, {"programme"}, false},
        {"compare", 2, 0, {}, {}, false},
    };
    return table;
}

class UsageError : public Error {
public:
    using Error::Error;
};

Arguments parse(const std::vector<std::string>& args) {
    if (args.empty()) throw UsageError("no command given");
    Arguments parsed;
    parsed.command = args[0];
    const CommandSyntax* syntax = nullptr;
    for (const auto& candidate : commands())
        if (parsed.command == candidate.name) syntax = &candidate;
    if (!syntax) throw UsageError("unknown command '" + parsed.command + "'");

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            parsed.positional.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2);
        const bool isSet = name == "set" && syntax->takesSettings;
        if (isSet || syntax->valueOptions.count(name)) {
            if (i + 1 >= args.size()) throw UsageError("option " + arg + " needs a value");
            const std::string& value = args[++i];
            if (isSet) {
                const auto eq = value.rfind('=');
                if (eq == std::string::npos || eq == 0)
                    throw UsageError("--set takes NAME=VALUE, not '" + value + "'");
                parsed.settings.emplace_back(value.substr(0, eq), value.substr(eq + 1));
            } else {
                if (parsed.values.count(name)) throw UsageError("option " + arg + " given twice");
                parsed.values[name] = value;
            }
        } else if (syntax->flagOptions.count(name)) {
            parsed.flags.insert(name);
        } else {
            throw UsageError("unknown option " + arg + " for " + parsed.command);
        }
    }
    const std::size_t given = parsed.positional.size();
    if (given < syntax->positionals || given > syntax->positionals + syntax->optionalPositionals)
        throw UsageError(parsed.command + " takes " + std::to_string(syntax->positionals) +
                         (syntax->optionalPositionals ? " or " + std::to_string(syntax->positionals + syntax->optionalPositionals) : std::string()) +
                         " file argument" + (syntax->positionals == 1 && !syntax->optionalPositionals ? "" : "s") + ", not " +
                         std::to_string(given));
    return parsed;
}

} // namespace

const std::string* Arguments::value(const std::string& name) const {
    const auto it = values.find(name);
    return it == values.end() ? nullptr : &it->second;
}

int parseInteger(const std::string& text, const std::string& what, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw Error(what + " must be a whole number from " + std::to_string(low) + " to " +
                    std::to_string(high) + ", not '" + text + "'");
    return value;
}

double parseNumber(const std::string& text, const std::string& what) {
    char* end = nullptr;
    const double value = text.empty() ? 0.0 : std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value))
        throw Error(what + " must be a number, not '" + text + "'");
    return value;
}

const char* Cli::usage() {
    return "usage:\n"
           "  vuhost info PLUGIN [--log]\n"
           "  vuhost process PLUGIN IN.wav OUT.wav [--double] [--block N] [--set NAME=VALUE]...\n"
           "                 [--chunk-in FILE] [--chunk-out FILE] [--log]\n"
           "  vuhost chunk PLUGIN [--in FILE] [--out FILE] [--set NAME=VALUE]... [--show] [--log]\n"
           "  vuhost render PLUGIN [IN.wav] --out DIR [--fps N] [--size small|large]\n"
           "                [--set NAME=VALUE]... [--label TEXT] [--seconds S] [--log]\n"
           "  vuhost testsignal OUT.wav [--rate R] [--programme]\n"
           "  vuhost compare A.wav B.wav\n"
           "NAME is a parameter name and VALUE a normalised value from 0 to 1.\n"
           "render opens the editor, plays IN.wav (or silence) through the plug-in and writes\n"
           "frame-NNNN.png at N frames per second (30), contact-sheet.png and final.png to DIR;\n"
           "--seconds sets the length (the file's, or 1 s of silence); --label restores a label.\n"
           "testsignal --programme writes the demonstration programme instead of the test signal.\n"
           "compare exits with 0 when the sample data are bit-identical, 1 when they differ;\n"
           "every error exits with 2.\n";
}

int Cli::run(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "help" || args[0] == "--help" || args[0] == "-h")) {
        out_ << usage();
        return kExitOk;
    }
    try {
        return dispatch(parse(args));
    } catch (const UsageError& error) {
        err_ << "vuhost: " << error.what() << '\n' << usage();
        return kExitError;
    } catch (const Error& error) {
        err_ << "vuhost: " << error.what() << '\n';
        return kExitError;
    } catch (const std::bad_alloc&) {
        err_ << "vuhost: out of memory\n";
        return kExitError;
    } catch (const std::exception& error) {
        err_ << "vuhost: " << error.what() << '\n';
        return kExitError;
    } catch (...) {
        // Only a plug-in can throw something that is not a standard exception at us.
        err_ << "vuhost: the plug-in failed with an exception\n";
        return kExitError;
    }
}

int Cli::dispatch(const Arguments& args) {
    if (args.command == "testsignal") return testSignal(args);
    if (args.command == "compare") return compare(args);
    PluginCommands plugin(out_);
    if (args.command == "info") return plugin.info(args);
    if (args.command == "process") return plugin.process(args);
    if (args.command == "render") return RenderCommand(out_).run(args);
    return plugin.chunk(args);
}

int Cli::testSignal(const Arguments& args) {
    int rate = 48000;
    if (const std::string* text = args.value("rate"))
        rate = parseInteger(*text, "--rate", TestSignal::kMinRate, TestSignal::kMaxRate);
    if (args.has("programme")) {
        const AudioData programme = TestSignal::programme(rate);
        writeAudioFile(args.positional[0], programme);
        out_ << "wrote " << args.positional[0] << ": " << programme.frames() << " frames, stereo "
             << encodingName(programme.encoding) << " at " << rate << " Hz (1 kHz at 0 VU for "
             << TestSignal::kProgrammeReferenceSeconds << " s, at +" << TestSignal::kProgrammeLoudDb
             << " VU until " << TestSignal::kProgrammeBurstSeconds
             << " s, one sample above full scale, silence until " << TestSignal::kProgrammeSeconds
             << " s)\n";
        return kExitOk;
    }
    const AudioData signal = TestSignal::make(rate);
    writeAudioFile(args.positional[0], signal);
    out_ << "wrote " << args.positional[0] << ": " << signal.frames() << " frames, stereo "
         << encodingName(signal.encoding) << " at " << rate << " Hz (1 kHz at "
         << TestSignal::kReferenceDb << " dBFS peak, then a burst at +"
         << std::lround(20.0 * std::log10(TestSignal::kBurstPeak) * 10.0) / 10.0 << " dBFS)\n";
    return kExitOk;
}

int Cli::compare(const Arguments& args) {
    const AudioData a = readAudioFile(args.positional[0]);
    const AudioData b = readAudioFile(args.positional[1]);
    const Comparison result = compareAudio(a, b);
    out_ << result.summary << '\n';
    return result.identical ? kExitOk : kExitDifferent;
}

} // namespace vuhost
