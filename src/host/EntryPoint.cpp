#include "host/EntryPoint.h"

#include "host/AudioEffect.h"

namespace host {

AEffect* createEffectRecord(audioMasterCallback host, EffectFactory factory) {
    if (factory == nullptr) {
        return nullptr;
    }
    // Without a host callback the version query answers 1, as every host wrapper does.
    if (host != nullptr && host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
        return nullptr;
    }
    AudioEffect* effect = factory(host);
    return effect != nullptr ? effect->getAeffect() : nullptr;
}

} // namespace host
