// The commands that load a plug-in: info, process and chunk.
#pragma once

#include "Cli.h"

#include <ostream>

namespace vuhost {

class Plugin;

// Applies --set NAME=VALUE in order, by parameter name; throws Error for an unknown name or a
// value outside 0 to 1.
void applySettings(Plugin& plugin, const Arguments& args);

class PluginCommands {
public:
    explicit PluginCommands(std::ostream& out) : out_(out) {}

    int info(const Arguments& args);
    int process(const Arguments& args);
    int chunk(const Arguments& args);

private:
    std::ostream& out_;
};

} // namespace vuhost
