#include "TestSupport.h"

#include <cstring>

#include "Cli.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cmath>
#include <sstream>

namespace vuhost::test {

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "-" + info->name() : "vuhost";
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '_';
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("vuhost-" + name + "-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

CliResult runCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliResult result;
    result.code = Cli(out, err).run(args);
    result.out = out.str();
    result.err = err.str();
    return result;
}

AudioData exactAudio(SampleEncoding encoding, int channels, std::size_t frames, int sampleRate) {
    AudioData audio;
    audio.sampleRate = sampleRate;
    audio.channels = channels;
    audio.encoding = encoding;
    const int bits = encoding == SampleEncoding::Pcm16 ? 16 : encoding == SampleEncoding::Pcm24 ? 24 : 32;
    const double scale = std::ldexp(1.0, bits - 1);
    for (std::size_t n = 0; n < frames; ++n) {
        for (int c = 0; c < channels; ++c) {
            // Walks from -1 up to just below +1, the two channels in opposite directions.
            double v = -1.0 + 2.0 * static_cast<double>(n) / static_cast<double>(frames);
            if (c == 1) v = -v;
            if (encoding == SampleEncoding::Float32) {
                v = static_cast<float>(v * 1.25); // float files may go past full scale
            } else {
                v = std::floor(v * scale) / scale;
                if (v >= 1.0) v = (scale - 1.0) / scale;
            }
            audio.samples.push_back(v);
        }
    }
    return audio;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::uint8_t> floatBytes(std::initializer_list<float> values, const char* text) {
    std::vector<std::uint8_t> bytes;
    for (float v : values) {
        std::uint8_t raw[4];
        std::memcpy(raw, &v, 4);
        bytes.insert(bytes.end(), raw, raw + 4);
    }
    if (text) bytes.insert(bytes.end(), text, text + std::strlen(text) + 1);
    return bytes;
}

} // namespace vuhost::test
