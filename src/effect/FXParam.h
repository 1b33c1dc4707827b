// One entry of an effect's parameter table.
#pragma once

#include <atomic>

struct FXParam {
    const char* name = "";  // at most 8 characters
    const char* label = ""; // unit label shown after the value; may be empty
    // Normalised 0 to 1; one 32-bit float written and read whole by any thread.
    std::atomic<float> value{0.0f};
};
