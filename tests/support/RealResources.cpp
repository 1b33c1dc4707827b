// The module's own resource table is built in: ids cannot be injected.
#include "TestPlatform.h"

namespace testsupport {
bool canInjectResources() { return false; }
void setPngResource(int, const std::string&) {}
void clearPngResources() {}
} // namespace testsupport
