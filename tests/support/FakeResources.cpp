// A stand-in for the module's resource table, linked only while the real one is not part of the
// build: tests put PNG bytes under an id.
#include "TestPlatform.h"

#include "platform/Resources.h"

#include <map>
#include <string>

namespace testsupport {
namespace {
std::map<int, std::string>& table() {
    static std::map<int, std::string> resources;
    return resources;
}
} // namespace

bool canInjectResources() { return true; }
void setPngResource(int id, const std::string& bytes) { table()[id] = bytes; }
void clearPngResources() { table().clear(); }
} // namespace testsupport

namespace platform {
ResourceBytes findPngResource(int id) {
    auto found = testsupport::table().find(id);
    if (found == testsupport::table().end()) return {};
    return {reinterpret_cast<const unsigned char*>(found->second.data()), found->second.size()};
}
} // namespace platform
