// The browse window as a keyboard user meets it: after a nested window or a message box
// closes, the keys go to the browse window again, and the reason dialog takes Enter.
#include "WindowFixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTimer>

namespace {

using desktop::FormDialog;

std::string stored(testsupport::DemoDb& demo, const char* column, int id) {
    return demo.scalar(std::string("SELECT ") + column +
                       " FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND JournalTransID = " +
                       std::to_string(id));
}

TEST_F(WindowTest, DeletingByKeyboardStoresTheReasonAndGivesTheKeysBackToTheBrowseWindow) {
    const int id = 299;
    bool enterRefusedOnBlanks = false, closedByEnter = false;
    host.onShow("frmcancelreason", [&](FormDialog& d) {
        focus(d, "txtcanreason");
        type("  ");
        key(Qt::Key_Return);
        enterRefusedOnBlanks = d.form().loaded() && !d.finished();
        key(Qt::Key_Backspace);
        key(Qt::Key_Backspace);
        type("wrong date");
        key(Qt::Key_Return);
        closedByEnter = !d.form().loaded() && d.finished();
    });
    QWidget *activeAfter = nullptr, *browseWindow = nullptr;
    browse([&](FormDialog& d) {
        browseWindow = &d;
        clickVoucher(d, id);
        focus(d, "CmdDelete");
        host.answer = forms::vbYes;
        key(Qt::Key_Space);
        QApplication::processEvents();
        activeAfter = QApplication::activeWindow();
    });
    EXPECT_EQ(host.shown["frmcancelreason"], 1);
    EXPECT_TRUE(enterRefusedOnBlanks);
    EXPECT_TRUE(closedByEnter);
    EXPECT_EQ(stored(demo, "Cancelled", id), "1");
    EXPECT_EQ(stored(demo, "CancelledRemarks", id), "wrong date");
    EXPECT_EQ(activeAfter, browseWindow);
}

// A message box answered on a bare display: the window below is active again.
TEST_F(WindowTest, AMessageBoxGivesTheKeysBackToTheWindowBelow) {
    QWidget *activeAfter = nullptr, *browseWindow = nullptr;
    browse([&](FormDialog& d) {
        browseWindow = &d;
        focus(d, "GrdMaster");
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, Qt::Key_Return);
        });
        host.desktop::QtHost::messageBox("Posting Cancelled", forms::vbInformation, "Corvella Accounts");
        QApplication::processEvents();
        activeAfter = QApplication::activeWindow();
    });
    EXPECT_EQ(activeAfter, browseWindow);
}

// What a screen reader says for the controls designed without caption or label: what they do.
TEST_F(WindowTest, TheBrowseWindowsUncaptionedControlsAreNamedByWhatTheyDo) {
    std::map<std::string, QString> names;
    browse([&](FormDialog& d) {
        for (const char* c : {"Picture1", "cboColNames", "cboSearch", "txtsearch", "GrdMaster"})
            names[c] = QAccessible::queryAccessibleInterface(d.widgetOf(c))->text(QAccessible::Name);
    });
    EXPECT_EQ(names["Picture1"], "Actions");
    EXPECT_EQ(names["cboColNames"], "Sort On");
    EXPECT_EQ(names["cboSearch"], "Search On");
}

// A screen reader on Linux calls a combo box by its chosen entry; its purpose stays told.
TEST_F(WindowTest, TheSortBoxStillSaysWhatItIsForOnceAColumnIsChosen) {
    QString name, description, editName, listName;
    browse([&](FormDialog& d) {
        choose(d, "cboColNames", "Type");
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(d.widgetOf("cboColNames"));
        name = a->text(QAccessible::Name);
        description = a->text(QAccessible::Description);
        listName = widget<QComboBox>(d, "cboColNames")->view()->accessibleName();
        if (QLineEdit* edit = widget<QComboBox>(d, "cboColNames")->lineEdit())
            editName = QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name);
    });
    EXPECT_TRUE(name == "Sort On" || description == "Sort On") << name.toStdString();
    EXPECT_EQ(editName, "Sort On");
    EXPECT_EQ(listName, "Sort On");
}

// F1 help takes the keys, Esc closes it, and the keys are back in the browse window.
TEST_F(WindowTest, HelpTakesTheKeysAndEscGivesThemBack) {
    forms::setAppPath(IDJ_BIN_DIR);
    QWidget *activeInHelp = nullptr, *activeAfter = nullptr, *browseWindow = nullptr;
    bool helpClosed = false;
    QString helpName; // the help window goes with the browse window
    browse([&](FormDialog& d) {
        browseWindow = &d;
        focus(d, "GrdMaster");
        key(Qt::Key_F1);
        QApplication::processEvents();
        QPointer<QWidget> help = QApplication::activeWindow();
        activeInHelp = help;
        if (help) helpName = help->objectName();
        if (help) QTest::keyClick(help, Qt::Key_Escape);
        QApplication::processEvents();
        helpClosed = activeInHelp && (!help || !help->isVisible());
        activeAfter = QApplication::activeWindow();
    });
    EXPECT_EQ(helpName, "helpWindow");
    EXPECT_TRUE(helpClosed);
    EXPECT_EQ(activeAfter, browseWindow);
}

// The browse window has no cancel button: Esc in the list does not end the session.
TEST_F(WindowTest, EscLeavesTheBrowseWindowOpen) {
    bool open = false;
    browse([&](FormDialog& d) {
        focus(d, "GrdMaster");
        key(Qt::Key_Escape);
        open = d.form().loaded() && !d.finished();
    });
    EXPECT_TRUE(open);
}

// Moving with Tab shows where the focus is: the button is drawn with its focus frame.
TEST_F(WindowTest, TabShowsTheFocusFrameOnTheButtonItReaches) {
    QStyle::State state{};
    std::string focused;
    browse([&](FormDialog& d) {
        focus(d, "cmdNew");
        key(Qt::Key_Tab);
        QWidget* w = QApplication::focusWidget();
        if (!w) return;
        focused = w == d.widgetOf("CmdEdit") ? "CmdEdit" : w->accessibleName().toStdString();
        QStyleOptionButton option;
        option.initFrom(w);
        state = option.state;
    });
    EXPECT_EQ(focused, "CmdEdit");
    EXPECT_TRUE(state & QStyle::State_HasFocus);
    EXPECT_TRUE(state & QStyle::State_KeyboardFocusChange);
}

// The grid shows where the keys act while it has the focus, also on a selected row.
TEST_F(WindowTest, TheGridFramesItsCurrentCellWhileItHasTheFocus) {
    QColor withFocus, withoutFocus, frameColour;
    browse([&](FormDialog& d) {
        auto* view = widget<QTableView>(d, "GrdMaster");
        focus(d, "GrdMaster");
        const QRect cell = view->visualRect(view->currentIndex()).adjusted(1, 1, -2, -2);
        ASSERT_TRUE(cell.isValid());
        const QPoint edge(cell.center().x(), cell.top());
        frameColour = view->palette().color(QPalette::HighlightedText);
        withFocus = view->viewport()->grab().toImage().pixelColor(edge);
        focus(d, "txtsearch");
        withoutFocus = view->viewport()->grab().toImage().pixelColor(edge);
    });
    EXPECT_EQ(withFocus, frameColour);
    EXPECT_NE(withoutFocus, frameColour);
}

// A reason typed past what the column holds stops where the column does, so the deletion
// goes through on every server.
TEST_F(WindowTest, TheReasonTakesNoMoreThanItsColumnHolds) {
    const int id = 298;
    host.onShow("frmcancelreason", [&](FormDialog& d) {
        focus(d, "txtcanreason");
        QTest::keyClicks(QApplication::focusWidget(), QString(520, QChar('x')));
        key(Qt::Key_Return);
    });
    browse([&](FormDialog& d) {
        clickVoucher(d, id);
        host.answer = forms::vbYes;
        QTest::mouseClick(widget(d, "CmdDelete"), Qt::LeftButton);
    });
    EXPECT_EQ(stored(demo, "Cancelled", id), "1");
    EXPECT_EQ(stored(demo, "length(CancelledRemarks)", id), "500");
}

// A screen reader finds the focus in the grid only while the grid has it, and then on the
// model's current voucher.
TEST_F(WindowTest, TheGridTellsAScreenReaderOfAFocusedCellOnlyWhileItHasTheFocus) {
    auto focusedCells = [](QWidget* view) {
        QStringList cells;
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
        for (int i = 0; i < table->childCount(); ++i)
            if (QAccessibleInterface* c = table->child(i); c && c->state().focused)
                cells << c->text(QAccessible::Name);
        return cells;
    };
    QStringList inSearch, inGrid;
    std::string currentVoucher;
    browse([&](FormDialog& d) {
        clickVoucher(d, 296);
        focus(d, "txtsearch");
        inSearch = focusedCells(d.widgetOf("GrdMaster"));
        focus(d, "GrdMaster");
        inGrid = focusedCells(d.widgetOf("GrdMaster"));
        currentVoucher = browseGrid(d).TextMatrix(browseGrid(d).Row(), 1);
    });
    EXPECT_TRUE(inSearch.isEmpty()) << inSearch.join(", ").toStdString();
    EXPECT_EQ(inGrid, QStringList{QString::fromStdString(currentVoucher)});
    EXPECT_EQ(currentVoucher, "IDJ/296");
}

// A screen reader hears what kind of message a box brings, besides its text.
TEST_F(WindowTest, AMessageBoxNamesItsKindAndItsAnswers) {
    QStringList names;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        for (QWidget* w : box->findChildren<QWidget*>())
            if (w->isVisible() && !w->accessibleName().isEmpty()) names << w->accessibleName();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    const int answer = host.desktop::QtHost::messageBox(
        "Do you want to delete the journal entry 'IDJ/299' ?",
        forms::vbYesNo | forms::vbCritical | forms::vbDefaultButton2, "Corvella Accounts");
    EXPECT_EQ(answer, forms::vbNo);
    EXPECT_TRUE(names.contains("Error")) << names.join(", ").toStdString();
    EXPECT_TRUE(names.contains("Answers")) << names.join(", ").toStdString();
}

} // namespace
