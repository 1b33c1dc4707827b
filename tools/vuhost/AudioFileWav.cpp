// Audio files for the Windows build, through the small WAVE codec.
#include "AudioFile.h"

#include "Error.h"
#include "FileBytes.h"
#include "WavCodec.h"

namespace vuhost {

AudioData readAudioFile(const std::string& path) {
    const std::vector<std::uint8_t> bytes = readFileBytes(path);
    std::string error;
    auto audio = WavCodec::decode(bytes, error);
    if (!audio) throw Error(path + ": cannot read audio (" + error + ")");
    return std::move(*audio);
}

void writeAudioFile(const std::string& path, const AudioData& audio) {
    std::string error;
    const auto bytes = WavCodec::encode(audio, error);
    if (!bytes) throw Error(path + ": cannot write audio (" + error + ")");
    writeFileBytes(path, *bytes);
}

} // namespace vuhost
