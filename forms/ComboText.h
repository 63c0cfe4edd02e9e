#pragma once
#include "forms/ComboBox.h"

namespace forms {
// The edit a typed character makes in a combo box's text (drop-down lists take no text).
void applyComboKey(ComboBox& combo, int keyAscii);
// A drop-down list chooses the next entry that starts with a typed letter, as list controls do.
// True when an entry was chosen.
bool chooseByLetter(ComboBox& combo, int keyAscii);
// Text typed in full (in any case) chooses its entry when nothing is chosen yet; true when
// an entry was chosen.
bool chooseTypedEntry(ComboBox& combo);
} // namespace forms
