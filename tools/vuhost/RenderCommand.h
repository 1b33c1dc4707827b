// vuhost render: opens the plug-in's editor in a host window, plays audio through the plug-in in
// blocks interleaved with editor idle calls at a fixed frame rate, and writes every frame as PNG,
// a contact sheet and the final frame.
#pragma once

#include "Cli.h"

#include <ostream>

namespace vuhost {

class RenderCommand {
public:
    static constexpr int kDefaultFps = 30;
    static constexpr int kMaxFps = 1000;
    static constexpr double kDefaultSilenceSeconds = 1.0;
    static constexpr double kMaxSeconds = 3600.0;
    static constexpr int kSilenceRate = 48000;
    static constexpr int kBlockSize = 512;

    explicit RenderCommand(std::ostream& out) : out_(out) {}
    int run(const Arguments& args);

private:
    std::ostream& out_;
};

} // namespace vuhost
