#pragma once
// The value of an input control as one text, the form in which change tracking keeps it in the
// control's Tag.
#include "forms/Control.h"

#include <optional>
#include <string>

namespace services {

// Text boxes and combos give their text, check boxes their value, options "True"/"False", date
// pickers the stored date, list views their rows (cells tab-separated, rows on lines). Other
// controls have no value to track. A list's text may be cut after `limit` characters.
std::optional<std::string> controlValue(forms::Control& control, size_t limit = std::string::npos);
// Whether the control still holds the tracked `tag`; true for a control without a value.
bool valueIs(forms::Control& control, const std::string& tag);

} // namespace services
