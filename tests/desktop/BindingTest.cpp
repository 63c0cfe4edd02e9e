// User input reaches the models through their own entry points, and model changes come back.
#include "SampleForm.h"
#include "desktop/QtConvert.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

void click(QWidget* w, QPoint at) {
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
}

TEST(Binding, ButtonClicksReachTheModelOnlyWhileEnabled) {
    DialogFixture f;
    auto* ok = f.widget<QPushButton>("cmdOk");
    ok->click();
    EXPECT_EQ(f.form->okClicks, 1);
    EXPECT_EQ(f.form->activeControl(), &f.form->cmdOk);
    f.form->cmdOk.Enabled = false;
    desktop::FormDialog::syncAll();
    EXPECT_FALSE(ok->isEnabled());
    ok->click();
    EXPECT_EQ(f.form->okClicks, 1);
}

TEST(Binding, TypingGoesThroughTheModelsKeyEvents) {
    DialogFixture f;
    auto* edit = f.widget<QLineEdit>("txtName");
    edit->setFocus();
    EXPECT_EQ(f.form->activeControl(), &f.form->txtName);
    f.type("ab1c");
    // The model's KeyPress dropped the digit; the widget shows the model's text.
    EXPECT_EQ(f.form->txtName.Text(), "abc");
    EXPECT_EQ(edit->text(), "abc");
    EXPECT_EQ(f.form->nameChanges, 3);
    // Typing goes where the user left the caret.
    edit->setCursorPosition(1);
    f.type("X");
    EXPECT_EQ(f.form->txtName.Text(), "aXbc");
    EXPECT_EQ(edit->cursorPosition(), 2);
    // MaxLength is the model's.
    f.type("defghijk");
    EXPECT_EQ(f.form->txtName.Text(), "aXdefghibc");
    EXPECT_EQ(edit->text(), "aXdefghibc");
    // Keys the model does not type edit the widget, and the text reaches the model.
    edit->setCursorPosition(0);
    f.key(Qt::Key_Delete);
    EXPECT_EQ(f.form->txtName.Text(), "Xdefghibc");
    EXPECT_EQ(edit->text(), "Xdefghibc");
    EXPECT_EQ(edit->cursorPosition(), 0);
    // Backspace is the model's edit.
    edit->setCursorPosition(2);
    f.key(Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8)));
    EXPECT_EQ(f.form->txtName.Text(), "Xefghibc");
    EXPECT_EQ(edit->cursorPosition(), 1);
}

TEST(Binding, ModelChangesComeBackToTheWidgets) {
    DialogFixture f;
    f.form->txtName.setText("hello");
    f.form->txtName.Locked = true;
    f.form->chkFlag.setValue(1);
    f.form->optSecond.setValue(true);
    f.form->cboKind.setListIndex(2);
    f.form->dtpDate.setValue(rt::makeDate(2026, 3, 31));
    f.form->lblName.Caption = "&Full name:";
    f.form->fraType.Enabled = false;
    desktop::FormDialog::syncAll();
    auto* edit = f.widget<QLineEdit>("txtName");
    EXPECT_EQ(edit->text(), "hello");
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_TRUE(f.widget<QCheckBox>("chkFlag")->isChecked());
    EXPECT_TRUE(f.widget<QRadioButton>("optSecond")->isChecked());
    EXPECT_FALSE(f.widget<QRadioButton>("optFirst")->isChecked());
    EXPECT_FALSE(f.widget<QRadioButton>("optFirst")->isEnabled()); // its frame is disabled
    EXPECT_EQ(f.widget<QComboBox>("cboKind")->currentText(), "Receipt");
    EXPECT_EQ(f.widget<QDateEdit>("dtpDate")->date(), QDate(2026, 3, 31));
    EXPECT_EQ(f.widget<QLabel>("lblName")->text(), "&Full name:");
    f.form->chkFlag.Visible = false;
    f.form->fraType.Enabled = true;
    desktop::FormDialog::syncAll();
    EXPECT_TRUE(f.dialog->widgetOf("chkFlag")->isHidden());
    EXPECT_TRUE(f.widget<QRadioButton>("optFirst")->isEnabled());
}

TEST(Binding, ChecksOptionsCombosAndDatesGoThroughTheModel) {
    DialogFixture f;
    int optionClicks = 0;
    f.form->optSecond.Click = [&] { ++optionClicks; };
    f.widget<QRadioButton>("optSecond")->click();
    EXPECT_TRUE(f.form->optSecond.Value());
    EXPECT_FALSE(f.form->optFirst.Value());
    EXPECT_FALSE(f.widget<QRadioButton>("optFirst")->isChecked());
    // Clicking the chosen option again keeps it chosen.
    f.widget<QRadioButton>("optSecond")->click();
    EXPECT_TRUE(f.widget<QRadioButton>("optSecond")->isChecked());
    EXPECT_EQ(optionClicks, 1);

    f.widget<QCheckBox>("chkFlag")->click();
    EXPECT_EQ(f.form->chkFlag.Value(), 1);

    auto* combo = f.widget<QComboBox>("cboKind");
    ASSERT_EQ(combo->count(), 4);
    emit combo->activated(3);
    EXPECT_EQ(f.form->cboKind.ListIndex(), 3);
    EXPECT_EQ(f.form->cboKind.Text(), "Cash Transfer");
    combo->setFocus();
    f.key(Qt::Key_End);
    f.type("s");
    EXPECT_EQ(f.form->cboKind.Text(), "Cash Transfers");
    EXPECT_EQ(f.form->cboKind.ListIndex(), -1);
    EXPECT_EQ(combo->currentText(), "Cash Transfers");

    f.widget<QDateEdit>("dtpDate")->setDate(QDate(2025, 12, 1));
    EXPECT_EQ(f.form->dtpDate.Value(), rt::makeDate(2025, 12, 1));
}

TEST(Binding, GridCurrentCellIsMirroredBothWays) {
    DialogFixture f;
    auto* view = f.widget<QTableView>("GrdData");
    QAbstractItemModel* m = view->model();
    EXPECT_EQ(view->currentIndex(), m->index(0, 1));
    view->setCurrentIndex(m->index(5, 2));
    EXPECT_EQ(f.form->GrdData.Row(), 6);
    EXPECT_EQ(f.form->GrdData.Col(), 2);
    EXPECT_EQ(f.form->rowChanges, 2);
    // A click moves the current cell, then raises Click.
    QRect cell = view->visualRect(m->index(2, 1));
    click(view->viewport(), cell.center());
    EXPECT_EQ(f.form->GrdData.Row(), 3);
    EXPECT_EQ(f.form->GrdData.MouseRow, 3);
    EXPECT_EQ(f.form->gridClicks, 1);
    // The model moving the current row, with a selection across the row, shows in the view.
    f.form->GrdData.setRow(90000);
    f.form->GrdData.setCol(0);
    f.form->GrdData.setColSel(3);
    desktop::FormDialog::syncAll();
    EXPECT_EQ(view->currentIndex().row(), 89999);
    EXPECT_TRUE(view->selectionModel()->isSelected(m->index(89999, 3)));
    EXPECT_FALSE(view->selectionModel()->isSelected(m->index(89998, 3)));
    EXPECT_TRUE(view->viewport()->rect().intersects(view->visualRect(m->index(89999, 1))));
}

TEST(Binding, ListSelectionAndClicksReachTheModel) {
    DialogFixture f;
    auto* tree = f.widget<QTreeWidget>("lvwLines");
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
    tree->setCurrentItem(tree->topLevelItem(2));
    EXPECT_EQ(f.form->lvwLines.selectedIndex(), 3);
    EXPECT_EQ(f.form->itemClicks, 1);
    int mouseUps = 0, button = 0;
    f.form->lvwLines.MouseUp = [&](int b, int, float, float) { ++mouseUps, button = b; };
    click(tree->viewport(), tree->visualItemRect(tree->topLevelItem(1)).center());
    EXPECT_EQ(f.form->lvwLines.selectedIndex(), 2);
    EXPECT_EQ(f.form->itemClicks, 2);
    EXPECT_EQ(mouseUps, 1);
    EXPECT_EQ(button, forms::vbLeftButton);
    // A handler changing the list from inside the view's own signal (keys move the selection).
    f.form->lvwLines.ItemClick = [&](forms::ListItem& it) { it.ListSubItems(1).ToolTipText = it.SubItem(1); };
    tree->setFocus();
    f.key(Qt::Key_Down);
    EXPECT_EQ(f.form->lvwLines.selectedIndex(), 3);
    EXPECT_EQ(tree->topLevelItem(2)->toolTip(1), "Account 3");
    // Removing a line in the model takes it out of the list.
    f.form->lvwLines.Remove(1);
    desktop::FormDialog::syncAll();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(1), "Account 2");
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(1));
}

TEST(Binding, ErrorsOfAModelEventAreShownAndTheWindowGoesOn) {
    DialogFixture f;
    f.form->failWith = "Disk full";
    auto* ok = f.widget<QPushButton>("cmdOk");
    ok->click();
    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_NE(f.host.messages[0].prompt.find("Disk full"), std::string::npos);
    EXPECT_EQ(f.host.messages[0].buttons, forms::vbCritical);
    f.form->failWith.clear();
    ok->click();
    EXPECT_EQ(f.form->okClicks, 2);
    EXPECT_EQ(f.host.messages.size(), 1u);
}

} // namespace
