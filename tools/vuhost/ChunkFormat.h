// The state chunk as the RV47-T family writes it, decoded for display. Two forms: parameter
// values only (one little-endian float per parameter), or labelled (a float holding the label
// length plus one, the parameter floats, then the label text and its terminating zero).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vuhost {

struct DecodedChunk {
    enum class Form { ParametersOnly, Labelled, Unrecognised };
    Form form = Form::Unrecognised;
    std::vector<float> values;
    std::string label;
    std::string problem; // why a chunk is unrecognised, or what is odd about a recognised one
};

class ChunkFormat {
public:
    // parameterCount is the plug-in's number of parameters (4 for RV47-T).
    static DecodedChunk decode(std::span<const std::uint8_t> bytes, int parameterCount);
    // The chunk a host stores for these values and label: the labelled form, or the
    // parameter-only form when the label is empty.
    static std::vector<std::uint8_t> encode(const std::vector<float>& values, const std::string& label);
    // A multi-line description of the chunk; names gives the parameter names where known.
    static std::string describe(std::span<const std::uint8_t> bytes, const DecodedChunk& chunk,
                                const std::vector<std::string>& names);
};

} // namespace vuhost
