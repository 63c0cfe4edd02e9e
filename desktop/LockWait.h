#pragma once
// A statement that has waited over two seconds for another user's lock shows a small window
// saying so, with Cancel: Cancel gives the wait up, so the action fails and rolls back, and its
// window stays open. The statement itself keeps no timeout.
#include <chrono>

namespace desktop {

// Installs the handler for the whole process (the Qt host does, once).
void watchLockWaits();
// What the handler does with one report of a wait; true to go on waiting.
bool lockWaitGoesOn(std::chrono::milliseconds waited);

} // namespace desktop
