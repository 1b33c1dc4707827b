// Whole files as bytes (state chunks, WAVE files). Both throw Error with a one-line reason.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vuhost {

std::vector<std::uint8_t> readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace vuhost
