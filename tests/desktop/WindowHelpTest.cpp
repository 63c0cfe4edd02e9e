// F1 opens the shipped help at the page of the window that has the focus.
#include "WindowFixture.h"

#include "forms/Form.h"

#include <QApplication>
#include <QTextBrowser>

namespace {

using desktop::FormDialog;

QTextBrowser* helpText() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "helpWindow" && w->isVisible()) return w->findChild<QTextBrowser*>("helpText");
    return nullptr;
}

TEST_F(WindowTest, F1OpensTheHelpPageOfTheFocusedWindow) {
    forms::setAppPath(IDJ_BIN_DIR);
    QString browsePage, ratesPage;
    host.onShow("frmExchangerate", [&](FormDialog&) {
        key(Qt::Key_F1);
        if (QTextBrowser* t = helpText()) ratesPage = t->source().fileName();
    });
    host.onShow("frmJournal", [&](FormDialog& d) {
        focus(d, "lvwJournal");
        key(Qt::Key_F9);
    });
    browse([&](FormDialog& d) {
        focus(d, "GrdMaster");
        key(Qt::Key_F1);
        QTextBrowser* t = helpText();
        ASSERT_NE(t, nullptr);
        browsePage = t->source().fileName();
        EXPECT_TRUE(t->toPlainText().contains("Ctrl+Enter"));
        EXPECT_TRUE(d.form().loaded()); // the window stays as it was
        t->window()->close();
        clickVoucher(d, 288);
        focus(d, "GrdMaster");
        key(Qt::Key_Return);
    });
    EXPECT_EQ(browsePage, "FrmMaster.html");
    EXPECT_EQ(ratesPage, "frmExchangerate.html");
}

} // namespace
