#pragma once
// What a screen reader says for controls that have no caption of their own, and the look of
// the buttons that are designed without a caption (the line editor's navigation buttons).
#include "forms/Control.h"

#include <QIcon>
#include <QString>

namespace desktop {

// The name of a control for screen readers: its caption, else the caption of the label just
// before it, else its tool tip, else words made of its name ("GrdMaster" -> "Master grid").
QString accessibleNameOf(const forms::Control& control, const forms::Control* labelBefore);

// What a screen reader adds to the name of a control whose name alone is ambiguous (the totals
// under the line list, the line editor's second "Department" box); empty for the others.
QString accessibleDescriptionOf(const forms::Control& control);

// The icon and words of a button designed without a caption; a null icon when it has none.
struct ButtonLook {
    QIcon icon;
    QString text;
};
ButtonLook captionlessButtonLook(const forms::Control& button);

} // namespace desktop
