#include "desktop/LockWait.h"

#include "ado/Ado.h"
#include "desktop/BusyCursor.h"
#include "desktop/FormDialog.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace desktop {

namespace {

constexpr std::chrono::milliseconds kShowAfter{2000};

struct Waiting {
    QPointer<QDialog> window;
    QElapsedTimer lastReport;
    bool cancelled = false;
};

Waiting& waiting() {
    static Waiting w;
    return w;
}

void openWindow() {
    Waiting& w = waiting();
    const auto& open = FormDialog::all();
    auto* window = new QDialog(open.empty() ? nullptr : open.back());
    window->setObjectName("lockWait");
    window->setWindowTitle("Waiting");
    window->setWindowModality(Qt::ApplicationModal);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(window);
    auto* text = new QLabel("Another user is changing the same data.\nWaiting for them to finish...", window);
    auto* cancel = new QPushButton("Cancel", window);
    cancel->setObjectName("cmdCancelWait");
    cancel->setAccessibleName("Cancel the waiting action");
    layout->addWidget(text);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    QObject::connect(cancel, &QPushButton::clicked, window, [] { waiting().cancelled = true; });
    // The wait is over once the reports stop: the statement got its lock (or gave up).
    auto* watch = new QTimer(window);
    QObject::connect(watch, &QTimer::timeout, window, [window] {
        if (waiting().lastReport.elapsed() > 300) window->close();
    });
    watch->start(100);
    w.window = window;
    w.cancelled = false;
    window->show();
}

} // namespace

bool lockWaitGoesOn(std::chrono::milliseconds waited) {
    Waiting& w = waiting();
    w.lastReport.restart();
    if (waited < kShowAfter) return true;
    if (!w.window) openWindow();
    {
        UserWaits cancellable; // the Cancel button takes the mouse
        QApplication::processEvents();
    }
    if (!w.cancelled) return true;
    w.cancelled = false;
    if (w.window) w.window->close();
    return false;
}

void watchLockWaits() {
    ado::setLockWaitHandler(&lockWaitGoesOn);
}

} // namespace desktop
