// What the exported entry point does: asks the host's version, makes one effect, returns its
// record.
#pragma once

#include "host/VstAbi.h"

class AudioEffect;

namespace host {

using EffectFactory = AudioEffect* (*)(audioMasterCallback host);

// Null when the host answers 0 to the version query or when the factory cannot make an effect.
// A null host callback counts as a host of version 1.
AEffect* createEffectRecord(audioMasterCallback host, EffectFactory factory);

} // namespace host
