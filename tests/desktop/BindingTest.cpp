// User input reaches the real windows' models through their own entry points, and model changes
// come back to the widgets.
#include "WindowFixture.h"

#include "desktop/GridModel.h"
#include "runtime/Error.h"
#include "voucher/frmJournal.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTreeWidget>

namespace {

using desktop::FormDialog;

TEST_F(WindowTest, TheEditorsControlsCarryInputToTheModelAndBack) {
    editVoucher(291, [&](FormDialog& d) {
        auto& j = static_cast<idj::frmJournal&>(d.form());
        {
            SCOPED_TRACE("typing");
            auto* edit = widget<QLineEdit>(d, "txtRemarks");
            focus(d, "txtRemarks");
            d.dispatch([&] { j.txtRemarks.setText("abc"); });
            EXPECT_EQ(edit->text(), "abc");
            edit->setCursorPosition(1);
            type("X");
            EXPECT_EQ(j.txtRemarks.Text(), "aXbc");
            EXPECT_EQ(edit->cursorPosition(), 2);
            edit->setCursorPosition(0);
            key(Qt::Key_Delete);
            EXPECT_EQ(j.txtRemarks.Text(), "Xbc");
            EXPECT_EQ(edit->cursorPosition(), 0);
            edit->setCursorPosition(2);
            key(Qt::Key_Backspace);
            EXPECT_EQ(j.txtRemarks.Text(), "Xc");
            EXPECT_EQ(edit->text(), "Xc");
            EXPECT_EQ(edit->cursorPosition(), 1);
            d.dispatch([&] { j.txtRemarks.Locked = true; });
            EXPECT_TRUE(edit->isReadOnly());
            d.dispatch([&] { j.txtRemarks.Locked = false; });
        }
        {
            SCOPED_TRACE("checks, options and dates");
            const rt::Date date = j.dtpJournalDate.Value();
            d.dispatch([&] {
                j.Chconfirm.setValue(1);
                j.optCash.setValue(true);
                j.frtype.Enabled = false;
            });
            EXPECT_TRUE(widget<QCheckBox>(d, "Chconfirm")->isChecked());
            EXPECT_TRUE(widget<QRadioButton>(d, "optCash")->isChecked());
            EXPECT_FALSE(widget<QRadioButton>(d, "optJournal")->isChecked());
            EXPECT_FALSE(widget<QRadioButton>(d, "optJournal")->isEnabled()); // its frame is disabled
            d.dispatch([&] { j.frtype.Enabled = true; });
            widget<QRadioButton>(d, "optJournal")->click();
            EXPECT_TRUE(j.optJournal.Value());
            EXPECT_FALSE(j.optCash.Value());
            widget<QRadioButton>(d, "optJournal")->click(); // the chosen option stays chosen
            EXPECT_TRUE(widget<QRadioButton>(d, "optJournal")->isChecked());
            widget<QCheckBox>(d, "Chconfirm")->click();
            EXPECT_EQ(j.Chconfirm.Value(), 0);
            auto* picker = widget<QDateEdit>(d, "dtpJournalDate");
            const QDate shown = picker->date();
            picker->setDate(shown.addDays(-1));
            EXPECT_EQ(j.dtpJournalDate.Value(), rt::addDays(date, -1));
            d.dispatch([&] { j.dtpJournalDate.setValue(date); });
            EXPECT_EQ(picker->date(), shown);
        }
        {
            SCOPED_TRACE("the line list");
            auto* tree = widget<QTreeWidget>(d, "lvwJournal");
            ASSERT_EQ(tree->topLevelItemCount(), 2);
            tree->setCurrentItem(tree->topLevelItem(1));
            EXPECT_EQ(j.lvwJournal.selectedIndex(), 2);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                              tree->visualItemRect(tree->topLevelItem(0)).center());
            EXPECT_EQ(j.lvwJournal.selectedIndex(), 1);
            focus(d, "lvwJournal");
            key(Qt::Key_Down);
            EXPECT_EQ(j.lvwJournal.selectedIndex(), 2);
        }
        {
            SCOPED_TRACE("closing by the frame asks the model");
            host.answer = forms::vbCancel;
            d.close();
            EXPECT_EQ(host.prompts.back(), "Save Changes?");
            EXPECT_TRUE(j.loaded());
            EXPECT_TRUE(d.isVisible());
            host.answer = forms::vbNo;
            d.close();
            EXPECT_FALSE(j.loaded());
            EXPECT_TRUE(d.finished());
        }
    });
}

TEST_F(WindowTest, TheBrowseGridFollowsTheUserAndTheModel) {
    browse([&](FormDialog& d) {
        forms::FlexGrid& g = browseGrid(d);
        auto* view = widget<QTableView>(d, "GrdMaster");
        QAbstractItemModel* m = view->model();
        {
            SCOPED_TRACE("arrows, Page and Home/End move the row from every state");
            focus(d, "GrdMaster");
            const int last = g.Rows() - 1;
            ASSERT_EQ(g.Row(), last);
            key(Qt::Key_Up);
            EXPECT_EQ(g.Row(), last - 1);
            key(Qt::Key_Home);
            EXPECT_EQ(g.Row(), 1);
            key(Qt::Key_PageDown);
            EXPECT_GT(g.Row(), 2);
            key(Qt::Key_End);
            EXPECT_EQ(g.Row(), last);
            key(Qt::Key_PageUp);
            EXPECT_LT(g.Row(), last - 1);
            // The model puts the current cell in the hidden column 0, as a refresh does.
            d.dispatch([&] {
                g.setRow(5);
                g.setCol(0);
            });
            key(Qt::Key_Down);
            EXPECT_EQ(g.Row(), 6);
            EXPECT_GT(view->currentIndex().column(), 0);
        }
        {
            SCOPED_TRACE("rendered");
            EXPECT_TRUE(view->isColumnHidden(0));
            EXPECT_EQ(m->rowCount(), g.Rows() - 1);
            clickVoucher(d, 156); // cancelled
            EXPECT_EQ(m->data(m->index(g.Row() - 1, 1), Qt::ForegroundRole).value<QColor>(),
                      QColor(255, 0, 0));
            // Options sit in their frame, so that they exclude each other; access keys reach a control.
            EXPECT_EQ(d.widgetOf("optDescend")->parentWidget(), d.widgetOf("fraBrowse"));
            EXPECT_EQ(d.widgetOf("CmdClose")->parentWidget(), d.widgetOf("Picture1"));
            EXPECT_EQ(widget<QLabel>(d, "lblsearch")->buddy(), d.widgetOf("cboSearch"));
        }
        {
            SCOPED_TRACE("the current cell both ways");
            view->setCurrentIndex(m->index(5, 2));
            EXPECT_EQ(g.Row(), 6);
            EXPECT_EQ(g.Col(), 2);
            d.dispatch([&] {
                g.setRow(100);
                g.setCol(1);
                g.setColSel(7);
            });
            EXPECT_EQ(view->currentIndex().row(), 99);
            EXPECT_TRUE(view->selectionModel()->isSelected(m->index(99, 7)));
            EXPECT_FALSE(view->selectionModel()->isSelected(m->index(98, 7)));
            EXPECT_TRUE(view->viewport()->rect().intersects(view->visualRect(m->index(99, 1))));
            focus(d, "GrdMaster");
            type("I9"); // the model's keys, not the view's row search
            EXPECT_EQ(g.Row(), 100);
        }
        {
            SCOPED_TRACE("keys and buttons");
            auto& search = control<forms::ComboBox>(d, "cboSearch");
            focus(d, "cboSearch");
            type("p"); // a letter chooses its column, and again the next one
            EXPECT_EQ(search.Text(), "Posted");
            focus(d, "cboSearch");
            type("Cc");
            EXPECT_EQ(search.Text(), "Confirmed");
            focus(d, "txtsearch");
            key(Qt::Key_Tab);
            EXPECT_NE(d.form().activeControl(), d.form().find("txtsearch"));
            EXPECT_EQ(QApplication::focusWidget(), d.widgetOf(*d.form().activeControl()));
            key(Qt::Key_Backtab, Qt::ShiftModifier);
            EXPECT_EQ(d.form().activeControl(), d.form().find("txtsearch"));
            EXPECT_EQ(QApplication::focusWidget(), d.widgetOf("txtsearch"));
            clickVoucher(d, db::demo::kPostedVoucher);
            ASSERT_FALSE(d.widgetOf("CmdDelete")->isEnabled());
            QTest::mouseClick(d.widgetOf("CmdDelete"), Qt::LeftButton);
            EXPECT_TRUE(host.prompts.empty());
        }
        {
            SCOPED_TRACE("an error the model leaves untrapped is shown and the window goes on");
            const auto click = g.Click;
            g.Click = [] { rt::raise(rt::errInvalidProcedureCall, "FrmMaster", "Disk full"); };
            clickRow(d, 3);
            ASSERT_EQ(host.prompts.size(), 1u);
            EXPECT_NE(host.prompts[0].find("Disk full"), std::string::npos);
            g.Click = click; // the window outlives this test
            clickRow(d, 4);
            EXPECT_EQ(g.Row(), 4);
            EXPECT_EQ(host.prompts.size(), 1u);
        }
    });
}

// A bare grid for the view model's own bookkeeping.
class GridForm : public forms::Form {
  public:
    GridForm() : forms::Form("frmGrid") {}
    forms::FlexGrid grid{*this, "grid"};
};

TEST(GridModel, RefreshResetsOnlyWhenTheShapeChanges) {
    GridForm form;
    form.grid.setCols(3);
    form.grid.setRows(21);
    desktop::GridModel m(form.grid);
    int resets = 0, changes = 0;
    QObject::connect(&m, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&m, &QAbstractItemModel::dataChanged, [&] { ++changes; });
    EXPECT_FALSE(m.refresh()); // nothing changed: nothing emitted
    EXPECT_EQ(changes, 0);
    form.grid.setTextMatrix(5, 1, "changed");
    EXPECT_FALSE(m.refresh());
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(m.data(m.index(4, 1)).toString(), "changed");
    form.grid.setRows(11);
    EXPECT_TRUE(m.refresh());
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(m.rowCount(), 10);
    // Without a fixed row there is no header, and every grid row is a table row.
    form.grid.FixedRows = 0;
    form.grid.touch();
    EXPECT_TRUE(m.refresh());
    EXPECT_EQ(m.rowCount(), 11);
    EXPECT_EQ(m.gridRow(0), 0);
    EXPECT_FALSE(m.headerData(1, Qt::Horizontal).isValid());
}

} // namespace
