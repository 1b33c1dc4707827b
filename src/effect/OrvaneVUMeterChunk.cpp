// The labelled state chunk: a 20-byte header (text length + 1 and the four values, as floats)
// followed by the label text and its zero. An empty label gives the parameter-only form.
#include "effect/OrvaneVUMeter.h"

#include "editor/OrvaneVUMeterGUI.h"
#include "effect/ChunkBytes.h"

#include <cstring>

namespace {
constexpr std::size_t kHeaderBytes = 20;
}

VstInt32 OrvaneVUMeter::getChunk(void** data, bool isPreset) {
    const LabelText text = getLabelText();
    const std::size_t len = ::strnlen(text.data(), kLabelBytes - 1);
    if (len == 0) {
        return OrvaneFX::getChunk(data, isPreset);
    }
    if (data == nullptr) {
        return 0;
    }
    const std::size_t size = kHeaderBytes + len + 1;
    unsigned char* buffer = newChunkBuffer(size);
    if (buffer == nullptr) {
        *data = nullptr;
        return 0;
    }
    effect::writeChunkFloat(buffer, static_cast<float>(len + 1));
    for (VstInt32 i = 0; i < kNumParams; ++i) {
        effect::writeChunkFloat(buffer + 4 + 4 * i, storedValue(i));
    }
    std::memcpy(buffer + kHeaderBytes, text.data(), len);
    buffer[kHeaderBytes + len] = '\0';
    *data = buffer;
    return static_cast<VstInt32>(size);
}

VstInt32 OrvaneVUMeter::setChunk(void* data, VstInt32 byteSize, bool isPreset) {
    if (data == nullptr || byteSize < 4) {
        return 0;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    const float textSize = effect::readChunkFloat(bytes);
    if (!(textSize > 1.0f)) {
        return OrvaneFX::setChunk(data, byteSize, isPreset);
    }
    // Labelled form. Without its whole header the chunk is ignored; the text is cut to what the
    // chunk holds and to 255 bytes, and always ends with a zero.
    if (static_cast<std::size_t>(byteSize) < kHeaderBytes) {
        return 0;
    }
    for (VstInt32 i = 0; i < kNumParams; ++i) {
        storeValue(i, effect::readChunkFloat(bytes + 4 + 4 * i));
    }
    std::size_t count = textSize >= static_cast<float>(kLabelBytes)
                            ? kLabelBytes
                            : static_cast<std::size_t>(textSize);
    count = std::min(count, static_cast<std::size_t>(byteSize) - kHeaderBytes);
    count = std::min(count, kLabelBytes - 1);
    LabelText text{};
    std::memcpy(text.data(), bytes + kHeaderBytes, count);
    {
        std::lock_guard<std::mutex> guard(labelLock);
        labelText = text;
    }

    for (VstInt32 i = 0; i < kNumParams; ++i) {
        parameterChanged(i, storedValue(i));
    }
    if (OrvaneVUMeterGUI* editorGui = gui()) {
        for (VstInt32 i = 0; i < kNumParams; ++i) {
            editorGui->setParameter(i, storedValue(i));
        }
        editorGui->setLabelText(text.data());
    }
    return 0;
}
