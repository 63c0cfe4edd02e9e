#include "desktop/MessageBoxStyle.h"

#include "forms/Constants.h"
#include "forms/ScriptedHost.h"

namespace desktop {

MessageBoxSpec messageBoxSpec(int style) {
    using B = QMessageBox;
    MessageBoxSpec s;
    switch (style & 7) {
    case forms::vbOKCancel:
        s.buttons = {B::Ok, B::Cancel};
        s.escapeButton = B::Cancel;
        break;
    case forms::vbAbortRetryIgnore:
        s.buttons = {B::Abort, B::Retry, B::Ignore};
        break;
    case forms::vbYesNoCancel:
        s.buttons = {B::Yes, B::No, B::Cancel};
        s.escapeButton = B::Cancel;
        break;
    case forms::vbYesNo:
        s.buttons = {B::Yes, B::No};
        break;
    case forms::vbRetryCancel:
        s.buttons = {B::Retry, B::Cancel};
        s.escapeButton = B::Cancel;
        break;
    default:
        s.buttons = {B::Ok};
        s.escapeButton = B::Ok;
        break;
    }
    s.defaultButton = s.buttons[forms::defaultButtonIndex(style, static_cast<int>(s.buttons.size()))];
    switch (style & 0x70) {
    case forms::vbCritical:
        s.icon = B::Critical;
        break;
    case forms::vbQuestion:
        s.icon = B::Question;
        break;
    case forms::vbExclamation:
        s.icon = B::Warning;
        break;
    case forms::vbInformation:
        s.icon = B::Information;
        break;
    default:
        break;
    }
    return s;
}

int msgBoxResult(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Ok:
        return forms::vbOK;
    case QMessageBox::Cancel:
        return forms::vbCancel;
    case QMessageBox::Abort:
        return forms::vbAbort;
    case QMessageBox::Retry:
        return forms::vbRetry;
    case QMessageBox::Ignore:
        return forms::vbIgnore;
    case QMessageBox::Yes:
        return forms::vbYes;
    case QMessageBox::No:
        return forms::vbNo;
    default:
        return 0;
    }
}

} // namespace desktop
