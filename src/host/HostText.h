// Writing text into buffers that belong to the host.
#pragma once

#include <cstddef>

namespace host {

// Copies at most `limit` characters of `source` into `dest`, fills the rest of the first `limit`
// bytes with zeros and puts a zero at position `limit`: exactly limit + 1 bytes are written.
// A null `dest` is left alone; a null `source` writes an empty text.
void writeHostText(char* dest, const char* source, std::size_t limit);

} // namespace host
