// The function entries of the effect record: each finds the effect in the record's `object` and
// forwards to its virtual operation.
#pragma once

#include "host/VstAbi.h"

namespace host {

// Fills dispatcher, process, setParameter, getParameter, processReplacing and
// processDoubleReplacing.
void installRecordEntries(AEffect& record);

} // namespace host
