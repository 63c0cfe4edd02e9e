// The voucher and line editors as a keyboard or screen-reader user meets them: the keyboard
// comes back to the window beneath when a window or message closes, and what a screen reader
// reads follows the captions as they change.
#include "WindowFixture.h"

#include "desktop/QtConvert.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

namespace {

using desktop::FormDialog;

std::string described(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Description).toStdString() : std::string();
}

std::string spoken(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name).toStdString() : std::string();
}

// A message shown by the program's own host, answered by a user a moment later.
void realMessage(desktop::QtHost& host) {
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    host.QtHost::messageBox("Remarks not entered", forms::vbInformation, "Corvella Accounts");
}

TEST_F(WindowTest, ClosingTheLineEditorOrAMessageGivesTheKeyboardBackToTheVoucher) {
    QWidget *afterLines = nullptr, *afterMessage = nullptr, *editor = nullptr;
    host.onShow("frmJournalDetails", [&](FormDialog&) { key(Qt::Key_Escape); });
    editVoucher(db::demo::kPlainVoucher, [&](FormDialog& d) {
        editor = &d;
        focus(d, "lvwJournal");
        key(Qt::Key_Return); // the line editor, closed at once by Esc
        QApplication::processEvents();
        afterLines = QApplication::activeWindow();
        focus(d, "txtRemarks");
        realMessage(host);
        QApplication::processEvents();
        afterMessage = QApplication::activeWindow();
    });
    EXPECT_EQ(host.shown["frmJournalDetails"], 1);
    EXPECT_EQ(afterLines, editor);
    EXPECT_EQ(afterMessage, editor);
}

TEST_F(WindowTest, AScreenReaderReadsTheTotalsAndTheAmountsCurrencyAsShown) {
    std::string amountLabel, amountBox, debitTotal, creditTotal, rateEditor, payroll;
    std::vector<std::string> totals;
    host.onShow("frmExchangerate", [&](FormDialog& d) { rateEditor = spoken(widget(d, "txter")); });
    host.onShow("frmJournalDetails", [&](FormDialog& d) {
        choose(d, "cboDepartment", "Dubai Branch");
        amountLabel = spoken(widget(d, "lblAmount"));
        amountBox = spoken(widget(d, "txtAmount"));
        payroll = described(widget(d, "cbopayrollno"));
    });
    editVoucher(db::demo::kPlainVoucher, [&](FormDialog& d) {
        debitTotal = spoken(widget(d, "lblCr"));
        creditTotal = spoken(widget(d, "lblDr"));
        totals = {described(widget(d, "lblCr")), described(widget(d, "lblDr"))};
        EXPECT_EQ(debitTotal, widget<QLabel>(d, "lblCr")->text().toStdString());
        EXPECT_EQ(creditTotal, widget<QLabel>(d, "lblDr")->text().toStdString());
        focus(d, "lvwJournal");
        key(Qt::Key_F9);
        d.dispatch([&] { control<forms::Menu>(d, "mnuAdd").choose(); });
    });
    EXPECT_EQ(rateEditor, "Exchange rate");
    // Two boxes read "Department" and two totals read a number: each says which it is.
    EXPECT_EQ(payroll, "Payroll link");
    EXPECT_EQ(totals, (std::vector<std::string>{"Debit total", "Credit total"}));
    EXPECT_NE(debitTotal, "0");
    EXPECT_EQ(debitTotal, creditTotal); // a stored voucher tallies
    EXPECT_EQ(amountLabel, "Amount(AED)");
    EXPECT_EQ(amountBox, "Amount(AED)");
}

TEST_F(WindowTest, ADateTypedInFullWithItsSeparatorsIsTheDateTyped) {
    std::vector<std::string> dates;
    host.onShow("frmJournal", [&](FormDialog& d) {
        auto& picker = control<forms::DatePicker>(d, "dtpJournalDate");
        for (const QString typed : {"05/11/2026", "5/1/2026", "28/02/2026"}) {
            focus(d, "txtRemarks");
            // Reached by Tab or Enter, the day is selected.
            widget(d, "dtpJournalDate")->clearFocus();
            widget(d, "dtpJournalDate")->setFocus(Qt::TabFocusReason);
            type(typed);
            key(Qt::Key_Tab);
            dates.push_back(desktop::toQDate(picker.Value()).toString("dd/MM/yyyy").toStdString());
        }
    });
    browse([&](FormDialog& d) {
        focus(d, "GrdMaster");
        key(Qt::Key_Return, Qt::ControlModifier); // New
    });
    EXPECT_EQ(dates, (std::vector<std::string>{"05/11/2026", "05/01/2026", "28/02/2026"}));
}

TEST_F(WindowTest, AGridKeepsItsNameWhileItsToolTipFollowsTheMouse) {
    std::string name;
    browse([&](FormDialog& d) {
        d.dispatch([&] { browseGrid(d).ToolTipText = "IDJ/283"; });
        name = spoken(widget(d, "GrdMaster"));
    });
    EXPECT_EQ(name, "Master grid");
}

TEST_F(WindowTest, AScreenReaderReadsALineWithoutTheIdsOfItsHiddenColumns) {
    std::vector<std::string> row, headers;
    editVoucher(db::demo::kPlainVoucher, [&](FormDialog& d) {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(widget(d, "lvwJournal"));
        ASSERT_NE(list, nullptr);
        QAccessibleTableInterface* table = list->tableInterface();
        ASSERT_NE(table, nullptr);
        for (int c = 0; c < table->columnCount(); ++c) {
            headers.push_back(table->columnDescription(c).toStdString());
            if (QAccessibleInterface* cell = table->cellAt(0, c))
                row.push_back(cell->text(QAccessible::Name).toStdString());
        }
    });
    ASSERT_EQ(headers.size(), 9u);
    EXPECT_EQ(std::vector<std::string>(headers.begin() + 6, headers.end()),
              (std::vector<std::string>{"", "", ""}));
    ASSERT_EQ(row.size(), 9u);
    EXPECT_EQ(row[0], "1");
    EXPECT_EQ(std::vector<std::string>(row.begin() + 6, row.end()), (std::vector<std::string>{"", "", ""}));
}

TEST_F(WindowTest, EnterAndTabReachTheVoucherTypeAtItsChosenOptionAndTheArrowsChooseAnother) {
    std::vector<std::string> path;
    std::string serialBefore, serialAfter;
    host.onShow("frmJournal", [&](FormDialog& d) {
        const auto at = [&] { path.push_back(d.form().activeControl()->name()); };
        focus(d, "dtpJournalDate");
        key(Qt::Key_Return);
        at();
        // and the style draws the focus where the keys moved it
        EXPECT_TRUE(d.testAttribute(Qt::WA_KeyboardFocusChange));
        key(Qt::Key_Return);
        at();
        key(Qt::Key_Tab, Qt::ShiftModifier);
        at();
        serialBefore = control<forms::TextBox>(d, "txtserialNO").Text();
        key(Qt::Key_Left);
        at();
        serialAfter = control<forms::TextBox>(d, "txtserialNO").Text();
        EXPECT_TRUE(control<forms::OptionButton>(d, "optCash").Value());
        key(Qt::Key_Tab);
        at();
    });
    browse([&](FormDialog& d) {
        focus(d, "GrdMaster");
        key(Qt::Key_Return, Qt::ControlModifier); // New
    });
    EXPECT_EQ(path,
              (std::vector<std::string>{"optJournal", "txtRemarks", "optJournal", "optCash", "txtRemarks"}));
    EXPECT_EQ(serialBefore.rfind("JRN/", 0), 0u);
    EXPECT_EQ(serialAfter.rfind("CSTR/", 0), 0u);
}

TEST_F(WindowTest, AnEmptyLineListShowsWhenItHasTheFocus) {
    QRgb focused = 0, unfocused = 0;
    host.onShow("frmJournal", [&](FormDialog& d) {
        QWidget* list = widget(d, "lvwJournal");
        const QPoint edge(0, list->height() / 2);
        focus(d, "lvwJournal");
        focused = list->grab().toImage().pixel(edge);
        focus(d, "txtRemarks");
        unfocused = list->grab().toImage().pixel(edge);
    });
    browse([&](FormDialog& d) {
        focus(d, "GrdMaster");
        key(Qt::Key_Return, Qt::ControlModifier); // New
    });
    EXPECT_NE(focused, unfocused);
}

TEST_F(WindowTest, AnAmountTypedAfterAClickIntoTheBoxReplacesItsZero) {
    std::string typed;
    host.onShow("frmJournalDetails", [&](FormDialog& d) {
        auto& amount = control<forms::TextBox>(d, "txtAmount");
        d.dispatch([&] { amount.setText("0.00"); }); // as left for the next line
        focus(d, "txtDescription");
        QWidget* box = widget(d, "txtAmount");
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 4, box->height() / 2));
        QApplication::processEvents();
        type("40");
        typed = amount.Text();
    });
    editVoucher(db::demo::kPlainVoucher,
                [&](FormDialog& d) { d.dispatch([&] { control<forms::Menu>(d, "mnuAdd").choose(); }); });
    EXPECT_EQ(typed, "40");
}

} // namespace
