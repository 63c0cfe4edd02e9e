// The shell renders a window model offscreen, with the grid read lazily from its model.
#include "SampleForm.h"
#include "desktop/GridModel.h"

#include <QImage>
#include <QLabel>
#include <QTableView>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// Whether an image shows more than one colour: something was drawn.
bool hasContent(const QImage& img) {
    if (img.isNull()) return false;
    QRgb first = img.pixel(0, 0);
    for (int y = 0; y < img.height(); y += 3)
        for (int x = 0; x < img.width(); x += 3)
            if (img.pixel(x, y) != first) return true;
    return false;
}

TEST(Render, TheWindowDrawsTheGridAndPutsControlsInTheirContainers) {
    DialogFixture f;
    EXPECT_TRUE(hasContent(f.dialog->grab().toImage()));
    auto* view = f.widget<QTableView>("GrdData");
    ASSERT_NE(view, nullptr);
    QAbstractItemModel* m = view->model();
    EXPECT_EQ(m->rowCount(), SampleForm::kGridRows);
    EXPECT_EQ(m->data(m->index(0, 1)).toString(), "IDJ/1");
    EXPECT_TRUE(view->visualRect(m->index(0, 1)).isValid());
    // A frame's options sit inside it, so that they exclude each other.
    EXPECT_EQ(f.dialog->widgetOf("optSecond")->parentWidget(), f.dialog->widgetOf("fraType"));
    EXPECT_EQ(f.dialog->widgetOf("cmdOk")->parentWidget(), f.dialog->widgetOf("picButtons"));
    // The access key of a label reaches its control.
    EXPECT_EQ(f.widget<QLabel>("lblName")->buddy(), f.dialog->widgetOf("txtName"));
}

TEST(Render, ColumnsOfNoWidthAreHiddenAndCellColoursShown) {
    DialogFixture f;
    auto* view = f.widget<QTableView>("GrdData");
    EXPECT_TRUE(view->isColumnHidden(0));
    QAbstractItemModel* m = view->model();
    EXPECT_EQ(m->data(m->index(2, 3), Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_FALSE(m->data(m->index(1, 3), Qt::ForegroundRole).isValid());
    f.form->GrdData.setColWidth(0, 600);
    f.form->GrdData.setColWidth(2, 0);
    f.dialog->sync();
    EXPECT_FALSE(view->isColumnHidden(0));
    EXPECT_TRUE(view->isColumnHidden(2));
    auto* tree = f.widget<QTreeWidget>("lvwLines");
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(1)->text(2), "200.00");
    EXPECT_TRUE(tree->isColumnHidden(3));
}

TEST(Render, ScrollingToTheEndReadsOnlyTheLastRows) {
    DialogFixture f;
    auto* view = f.widget<QTableView>("GrdData");
    view->scrollToBottom();
    QImage img = f.dialog->grab().toImage();
    EXPECT_TRUE(hasContent(img));
    QModelIndex bottom =
        view->indexAt(QPoint(view->columnViewportPosition(1) + 2, view->viewport()->height() - 4));
    ASSERT_TRUE(bottom.isValid());
    EXPECT_GT(bottom.row(), SampleForm::kGridRows - 40);
    EXPECT_EQ(bottom.data().toString().toStdString(), "IDJ/" + std::to_string(bottom.row() + 1));
}

TEST(GridModel, RefreshResetsOnlyWhenTheShapeChanges) {
    SampleForm form;
    form.Load();
    desktop::GridModel m(form.GrdData);
    int resets = 0, changes = 0;
    QObject::connect(&m, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&m, &QAbstractItemModel::dataChanged, [&] { ++changes; });
    EXPECT_FALSE(m.refresh()); // nothing changed: nothing emitted
    EXPECT_EQ(changes, 0);
    form.GrdData.setTextMatrix(5, 1, "changed");
    EXPECT_FALSE(m.refresh());
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(m.data(m.index(4, 1)).toString(), "changed");
    form.GrdData.setRows(11);
    EXPECT_TRUE(m.refresh());
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(m.rowCount(), 10);
    // Without a fixed row there is no header, and every grid row is a table row.
    form.GrdData.FixedRows = 0;
    form.GrdData.touch();
    EXPECT_TRUE(m.refresh());
    EXPECT_EQ(m.rowCount(), 11);
    EXPECT_EQ(m.gridRow(0), 0);
    EXPECT_FALSE(m.headerData(1, Qt::Horizontal).isValid());
}

} // namespace
