#pragma once
// Creating an object through a registered server library.
#include "automation/ServerRegistry.h"
#include "runtime/Object.h"

namespace automation {

// Loads the entry's library (once per process; it stays loaded), asks its DllGetClassObject for
// the class factory and creates one object. Raises 429, naming the ProgID and what went wrong.
rt::ObjectPtr createFromServer(const ServerEntry& entry);

} // namespace automation
