#include "desktop/Help.h"

#include "desktop/QtConvert.h"
#include "forms/Form.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace desktop {

QString helpFolder() {
    QStringList candidates;
    // The load names a Windows help file; its folder (by either spelling) may hold our pages.
    QString file = qs(forms::appHelpFile()).replace('\\', '/');
    if (!file.isEmpty()) {
        QFileInfo info(file);
        candidates << info.absolutePath() << QFileInfo(info.absolutePath()).absolutePath() + "/help";
    }
    const QString app = qs(forms::appPath());
    if (!app.isEmpty()) candidates << app + "/help" << app + "/Help";
    for (const QString& dir : candidates)
        if (QFileInfo::exists(dir + "/index.html")) return QDir(dir).absolutePath();
    return {};
}

void showHelp(QWidget* over, const std::string& formName) {
    static QPointer<QDialog> window;
    const QString folder = helpFolder();
    if (folder.isEmpty()) return;
    QString page = folder + "/" + qs(formName) + ".html";
    if (!QFileInfo::exists(page)) page = folder + "/index.html";
    if (!window) {
        // Not modal: the user reads it beside the window the question came from.
        window = new QDialog(over);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setObjectName("helpWindow");
        window->setWindowTitle("Help");
        window->resize(560, 480);
        auto* text = new QTextBrowser(window);
        text->setObjectName("helpText");
        text->setAccessibleName("Help");
        text->setOpenLinks(true);
        (new QVBoxLayout(window))->addWidget(text);
        // Esc closes it; the keys then go back to the window the question came from.
        QObject::connect(window, &QDialog::finished, over, [over] {
            if (over->isVisible()) over->activateWindow();
        });
    }
    auto* text = window->findChild<QTextBrowser*>("helpText");
    text->setSearchPaths({folder});
    text->setSource(QUrl::fromLocalFile(page));
    window->setWindowModality(Qt::NonModal);
    window->show();
    window->raise();
    // The reader scrolls and closes it with the keys, so it takes them.
    window->activateWindow();
}

} // namespace desktop
