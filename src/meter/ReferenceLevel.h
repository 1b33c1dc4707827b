// The Headroom parameter's four steps of reference level.
#pragma once

namespace meter {

// -12 dB below 0.25, -14 below 0.5, -18 below 0.75, otherwise (and for NaN) -20.
double referenceLevelForHeadroom(float headroom);

} // namespace meter
