#include "host/FloatText.h"

#include "host/HostText.h"

#include <cmath>
#include <cstdio>

namespace host {

void formatFloatText(float value, char* text, std::size_t limit) {
    const double v = value;
    if (std::isnan(v)) {
        writeHostText(text, "nan", limit);
        return;
    }
    if (std::isinf(v)) {
        writeHostText(text, v < 0 ? "-inf" : "inf", limit);
        return;
    }
    const double magnitude = std::fabs(v);
    char buffer[64];
    const int head = std::snprintf(buffer, 40, "%s%.0f.", v < 0 ? "-" : "",
                                   std::trunc(magnitude));
    if (head < 0 || head >= 40) {
        writeHostText(text, "", limit);
        return;
    }
    // Six digits of the fraction, produced from the least significant upwards.
    double amount = std::fmod(magnitude, 1.0) * 1000000.0;
    char* digits = buffer + head;
    for (int i = 5; i >= 0; --i) {
        if (amount > 0.0) {
            digits[i] = static_cast<char>('0' + static_cast<int>(std::fmod(amount, 10.0)));
            amount /= 10.0;
        } else {
            digits[i] = '0';
        }
    }
    digits[6] = '\0';
    writeHostText(text, buffer, limit);
}

} // namespace host
