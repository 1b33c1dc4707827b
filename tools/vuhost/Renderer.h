// Runs audio through a plug-in block by block, the way a host's audio thread does.
#pragma once

#include "AudioData.h"
#include "Plugin.h"

namespace vuhost {

class Renderer {
public:
    static constexpr int kMaxBlockSize = 65536;

    struct Options {
        int blockSize = 512;
        bool doublePrecision = false;
    };

    // Feeds the plug-in's inputs from the file's channels (a mono file feeds every input) and
    // returns as many of its outputs as the file has channels. The plug-in must be open, set up
    // and switched on. Throws Error when the plug-in cannot process this way.
    static AudioData render(Plugin& plugin, const AudioData& input, const Options& options);
};

} // namespace vuhost
