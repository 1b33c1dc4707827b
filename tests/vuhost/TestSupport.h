// Helpers shared by the vuhost tests: a scratch folder per test and an in-process run of the
// command line.
#pragma once

#include "AudioData.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace vuhost::test {

// A fresh folder for one test, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

CliResult runCli(const std::vector<std::string>& args);

bool contains(const std::string& text, const std::string& part);

// Little-endian floats as a state chunk holds them, then `text` with its terminating zero.
std::vector<std::uint8_t> floatBytes(std::initializer_list<float> values, const char* text = nullptr);

// Stereo audio in the given encoding whose samples are exact in that encoding: a ramp through
// the whole range, full scale at both ends, and zero.
AudioData exactAudio(SampleEncoding encoding, int channels, std::size_t frames, int sampleRate = 44100);

} // namespace vuhost::test
