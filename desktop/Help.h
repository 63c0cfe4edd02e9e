#pragma once
// F1: the short HTML help shipped in the help/ folder beside the component, opened at the
// page of the window that has the focus.
#include <QString>
#include <string>

class QWidget;

namespace desktop {

// The folder holding index.html: beside the application's help file, or help/ beside the
// program; empty when there is none.
QString helpFolder();
// Shows (or brings forward) the help window at the page of a window model, or the index when
// the window has no page of its own.
void showHelp(QWidget* over, const std::string& formName);

} // namespace desktop
