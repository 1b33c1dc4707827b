#include "host/HostText.h"

namespace host {

void writeHostText(char* dest, const char* source, std::size_t limit) {
    if (dest == nullptr) {
        return;
    }
    std::size_t i = 0;
    if (source != nullptr) {
        for (; i < limit && source[i] != '\0'; ++i) {
            dest[i] = source[i];
        }
    }
    for (; i <= limit; ++i) {
        dest[i] = '\0';
    }
}

} // namespace host
