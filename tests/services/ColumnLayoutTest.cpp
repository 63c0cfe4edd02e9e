#include "SampleForm.h"

#include "automation/Automation.h"
#include "runtime/Convert.h"
#include "support/DemoDb.h"

#include <gtest/gtest.h>

namespace {

struct ColumnLayoutTest : ::testing::Test {
    testsupport::DemoDb demo;

    void settings(int16_t user, forms::FlexGrid& grid, bool save) {
        std::vector<rt::Variant> args{user, int16_t{1}, grid.ref(), rt::ObjectPtr(demo.conn)};
        if (save) args.emplace_back(true);
        automation::call(automation::CreateObject("ColumnLayout.clsColumnLayout"), "fnGridSettings", args);
    }
};

TEST_F(ColumnLayoutTest, SavedWidthsComeBackForTheSameUserAndGrid) {
    auto first = servicetest::SampleForm::create();
    first->grdList.setCols(3);
    first->grdList.setColWidth(0, 0);
    first->grdList.setColWidth(1, 2500);
    first->grdList.setColWidth(2, 1290);
    settings(1, first->grdList, true);
    EXPECT_EQ(demo.scalar("SELECT group_concat(ColumnWidth) FROM (SELECT ColumnWidth FROM aGridColumnLayout "
                          "WHERE GridName = 'frmSample.grdList' ORDER BY ColumnIndex)"),
              "0,2500,1290");

    // A later window with more columns: the saved ones are applied, the rest stay.
    auto later = servicetest::SampleForm::create();
    later->grdList.setCols(4);
    int fourth = later->grdList.ColWidth(3);
    settings(1, later->grdList, false);
    EXPECT_EQ(later->grdList.ColWidth(1), 2500);
    EXPECT_EQ(later->grdList.ColWidth(2), 1290);
    EXPECT_EQ(later->grdList.ColWidth(3), fourth);

    auto otherUser = servicetest::SampleForm::create();
    otherUser->grdList.setCols(4);
    settings(2, otherUser->grdList, false);
    EXPECT_EQ(otherUser->grdList.ColWidth(1), fourth);

    // Saving again replaces the layout.
    later->grdList.setCols(2);
    settings(1, later->grdList, true);
    EXPECT_EQ(demo.scalar("SELECT count(*) FROM aGridColumnLayout"), "2");
}

} // namespace
