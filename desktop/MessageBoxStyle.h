#pragma once
// The message-box style bits (buttons, icon, default button) in Qt's terms, and back.
#include <QList>
#include <QMessageBox>

namespace desktop {

struct MessageBoxSpec {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons; // in the order shown
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // The button Esc stands for; NoButton where Esc does nothing (Yes/No, Abort/Retry/Ignore).
    QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
};

MessageBoxSpec messageBoxSpec(int style);
// The MsgBoxResult of a pressed button; 0 for a button the styles never show.
int msgBoxResult(QMessageBox::StandardButton button);

} // namespace desktop
