// The vuhost command line: parses the arguments, runs one command and turns every failure into
// a one-line message and a non-zero exit code.
#pragma once

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vuhost {

// The parsed command line of one command.
struct Arguments {
    std::string command;
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;                // --block 64 → values["block"]
    std::vector<std::pair<std::string, std::string>> settings; // --set NAME=VALUE, in order
    std::set<std::string> flags;                              // --double → flags has "double"

    bool has(const std::string& flag) const { return flags.count(flag) != 0; }
    const std::string* value(const std::string& name) const;
};

class Cli {
public:
    Cli(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    // Runs the command line (without the program name); answers the exit code.
    int run(const std::vector<std::string>& args);

    static const char* usage();

private:
    int dispatch(const Arguments& args);
    int testSignal(const Arguments& args);
    int compare(const Arguments& args);

    std::ostream& out_;
    std::ostream& err_;
};

// Strict number parsing for arguments; both throw Error naming the option.
int parseInteger(const std::string& text, const std::string& what, int low, int high);
double parseNumber(const std::string& text, const std::string& what);

} // namespace vuhost
