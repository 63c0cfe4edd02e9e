#include "desktop/BusyCursor.h"

#include <QApplication>
#include <QCursor>

namespace desktop {

namespace {
int shown = 0; // busy cursors of ours on the application's cursor stack
}

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++shown;
}

BusyCursor::~BusyCursor() {
    if (shown == 0) return;
    --shown;
    QApplication::restoreOverrideCursor();
}

UserWaits::UserWaits() : lifted_(shown) {
    for (int i = 0; i < lifted_; ++i)
        QApplication::restoreOverrideCursor();
    shown = 0;
}

UserWaits::~UserWaits() {
    for (int i = 0; i < lifted_; ++i)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    shown += lifted_;
}

} // namespace desktop
