// vuhost: a command-line VST 2.4 host for testing plug-ins.
#include "Cli.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return vuhost::Cli(std::cout, std::cerr).run(args);
}
