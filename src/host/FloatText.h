// The effect's value-to-text rule: the integer part, a point and six decimals, cut, not rounded.
#pragma once

#include <cstddef>

namespace host {

// Writes the text of `value` into `text` with the host-text rule (limit + 1 bytes written).
// Values from 0 to 1 give eight characters ("0.625000"); other values keep the same shape with
// their sign and integer digits; NaN and infinities give "nan", "inf" and "-inf".
void formatFloatText(float value, char* text, std::size_t limit);

} // namespace host
