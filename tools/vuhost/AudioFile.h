// Reading and writing audio files. Natively libsndfile does the work (any format it knows); the
// Windows build uses WavCodec. Both throw Error with a one-line reason.
#pragma once

#include "AudioData.h"

#include <string>

namespace vuhost {

AudioData readAudioFile(const std::string& path);
// Writes in the format the audio was read from where the backend knows it (nativeFormat), else
// as a WAVE file in the audio's encoding.
void writeAudioFile(const std::string& path, const AudioData& audio);

} // namespace vuhost
