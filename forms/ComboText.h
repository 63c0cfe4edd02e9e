#pragma once
#include "forms/ComboBox.h"

namespace forms {
// The edit a typed character makes in a combo box's text (drop-down lists take no text).
void applyComboKey(ComboBox& combo, int keyAscii);
} // namespace forms
