#pragma once
// Where the widgets of a window go: at the positions the window's design gives its controls,
// or, for a window designed without positions, in an automatic layout.
#include "desktop/Binding.h"
#include "forms/Form.h"

#include <QWidget>
#include <vector>

namespace desktop {

// Whether the design places the controls: some control off the top-left corner.
bool designGivesPositions(const forms::Form& form);

// Lays out the bound children of one container in control order: label and field pairs as form
// rows, runs of buttons in a row, runs of options and check boxes in a row, frames, grids and
// lists across the whole width (grids and lists taking the spare height).
void layOutAutomatically(QWidget* container, const std::vector<Binding*>& children);

// The client size of a window whose outer size (with frame and title) the design gives in twips.
QSize clientSize(int widthTwips, int heightTwips);

} // namespace desktop
