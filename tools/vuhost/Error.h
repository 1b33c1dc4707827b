// The one kind of failure vuhost reports: a one-line message for the user, and a non-zero exit.
#pragma once

#include <stdexcept>
#include <string>

namespace vuhost {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Exit codes: success, "the files differ" (compare), and every error.
constexpr int kExitOk = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitError = 2;

} // namespace vuhost
