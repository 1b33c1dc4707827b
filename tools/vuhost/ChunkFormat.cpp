#include "ChunkFormat.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace vuhost {

namespace {

float floatAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint32_t raw = static_cast<std::uint32_t>(bytes[offset]) |
                              (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
                              (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
                              (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
    float value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

std::string formatFloat(float value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    return out + "\"";
}

void appendFloat(std::vector<std::uint8_t>& bytes, float value) {
    std::uint32_t raw;
    std::memcpy(&raw, &value, sizeof raw);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(raw >> shift));
}

} // namespace

std::vector<std::uint8_t> ChunkFormat::encode(const std::vector<float>& values,
                                              const std::string& label) {
    std::vector<std::uint8_t> bytes;
    if (!label.empty()) appendFloat(bytes, static_cast<float>(label.size() + 1));
    for (float value : values) appendFloat(bytes, value);
    if (!label.empty()) {
        bytes.insert(bytes.end(), label.begin(), label.end());
        bytes.push_back(0);
    }
    return bytes;
}

DecodedChunk ChunkFormat::decode(std::span<const std::uint8_t> bytes, int parameterCount) {
    DecodedChunk chunk;
    if (parameterCount < 0 || parameterCount > 1'000'000) {
        chunk.problem = "implausible parameter count " + std::to_string(parameterCount);
        return chunk;
    }
    const std::size_t valuesSize = static_cast<std::size_t>(parameterCount) * 4;
    if (bytes.size() < 4) {
        chunk.problem = "too short for either form (" + std::to_string(bytes.size()) + " bytes)";
        return chunk;
    }
    const float first = floatAt(bytes, 0);
    if (!(first > 1.0f)) {
        if (bytes.size() != valuesSize) {
            chunk.problem = "first float " + formatFloat(first) + " marks the parameter-only form, "
                            "which takes " + std::to_string(valuesSize) + " bytes, not " +
                            std::to_string(bytes.size());
            return chunk;
        }
        chunk.form = DecodedChunk::Form::ParametersOnly;
        for (std::size_t o = 0; o < valuesSize; o += 4) chunk.values.push_back(floatAt(bytes, o));
        return chunk;
    }
    const std::size_t header = 4 + valuesSize;
    if (bytes.size() < header + 1) {
        chunk.problem = "labelled form, but " + std::to_string(bytes.size()) +
                        " bytes cannot hold its header and text";
        return chunk;
    }
    // The text runs to its terminating zero within the chunk.
    const std::size_t textSpace = bytes.size() - header;
    const auto* text = reinterpret_cast<const char*>(bytes.data() + header);
    const void* end = std::memchr(text, 0, textSpace);
    if (!end) {
        chunk.problem = "labelled form, but its text has no terminating zero";
        return chunk;
    }
    const auto length = static_cast<std::size_t>(static_cast<const char*>(end) - text);
    chunk.form = DecodedChunk::Form::Labelled;
    for (std::size_t o = 4; o < header; o += 4) chunk.values.push_back(floatAt(bytes, o));
    chunk.label.assign(text, length);
    const double declared = first;
    if (declared != static_cast<double>(length + 1) || textSpace != length + 1)
        chunk.problem = "length field " + formatFloat(first) + " does not match the text (" +
                        std::to_string(length) + " bytes in " + std::to_string(bytes.size()) +
                        "-byte chunk)";
    return chunk;
}

std::string ChunkFormat::describe(std::span<const std::uint8_t> bytes, const DecodedChunk& chunk,
                                  const std::vector<std::string>& names) {
    std::ostringstream out;
    out << "chunk: " << bytes.size() << " bytes, ";
    switch (chunk.form) {
    case DecodedChunk::Form::ParametersOnly: out << "parameter-only form\n"; break;
    case DecodedChunk::Form::Labelled: out << "labelled form\n"; break;
    case DecodedChunk::Form::Unrecognised: out << "unrecognised: " << chunk.problem << '\n'; break;
    }
    if (chunk.form == DecodedChunk::Form::Labelled)
        out << "  length  " << formatFloat(floatAt(bytes, 0)) << '\n';
    for (std::size_t i = 0; i < chunk.values.size(); ++i) {
        out << "  [" << i << "] ";
        if (i < names.size()) out << names[i] << ' ';
        out << formatFloat(chunk.values[i]);
        if (!(chunk.values[i] >= 0.0f && chunk.values[i] <= 1.0f)) out << " (outside 0..1)";
        out << '\n';
    }
    if (chunk.form == DecodedChunk::Form::Labelled) out << "  label   " << quoted(chunk.label) << '\n';
    if (chunk.form != DecodedChunk::Form::Unrecognised && !chunk.problem.empty())
        out << "  note: " << chunk.problem << '\n';
    if (chunk.form == DecodedChunk::Form::Unrecognised) {
        out << "  bytes  ";
        const std::size_t shown = bytes.size() < 64 ? bytes.size() : 64;
        char hex[4];
        for (std::size_t i = 0; i < shown; ++i) {
            std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
            out << hex << (i + 1 < shown ? " " : "");
        }
        if (shown < bytes.size()) out << " ...";
        out << '\n';
    }
    return out.str();
}

} // namespace vuhost
