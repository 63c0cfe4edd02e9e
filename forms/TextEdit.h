#pragma once
// The user's edits of a text box that are not a typed key: paste, drag and drop, Delete, input
// methods. They go through the box's own key filter, so no way into a box skips its rule.
#include "forms/Controls.h"

#include <string>

namespace forms {

// Makes `text` the box's text as if the user had typed the characters that differ from the
// current text at that place, each through the box's KeyPress. The edit is taken whole or not
// at all: when the filter cancels a character, or the text would not fit MaxLength, the box
// keeps its text and caret and the answer is false. Taking the rest would store another value
// than the one the user gave (a pasted "-5" as 5, "1e308" as 1308).
bool editText(TextBox& box, const std::string& text);

} // namespace forms
