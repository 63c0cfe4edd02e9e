#include "TestForms.h"

namespace {

using formstest::FormsTest;
using namespace forms;

using Strings = std::vector<std::string>;

// The order itself is the voucher's line list test's; here what goes with it.
TEST_F(FormsTest, TheSelectionGoesWithItsItemAndTextSortsIgnoreCase) {
    auto f = std::make_shared<formstest::ListForm>();
    f->Load();
    ListView& lvw = f->lvw;
    f->addLine("sales", "100.00");
    f->addLine("Admin", "9.50");
    f->addLine("cash", "1000.00");
    f->addLine("Bank", "0.00");
    lvw.select(3); // "cash"
    lvw.sortBy(2, true, true);
    EXPECT_EQ(lvw.SelectedItem()->SubItem(1), "cash");
    EXPECT_EQ(lvw.SortKey, 2);
    EXPECT_TRUE(lvw.SortDescending);
    lvw.sortBy(1, false, false);
    EXPECT_EQ(f->listColumn(1), (Strings{"Admin", "Bank", "cash", "sales"}));
    EXPECT_EQ(lvw.SelectedItem()->SubItem(1), "cash");
}

// The styles the windows ask with.
TEST(DefaultAnswer, IsTheDefaultButtonOfTheStyle) {
    EXPECT_EQ(defaultAnswer(vbInformation), vbOK);
    EXPECT_EQ(defaultAnswer(vbYesNo + vbDefaultButton2 + vbCritical), vbNo);
    EXPECT_EQ(defaultAnswer(vbYesNoCancel + vbQuestion), vbYes);
    // A default past the last button is the first, as the desktop shows it.
    EXPECT_EQ(defaultAnswer(vbYesNo + vbDefaultButton3), vbYes);
}

} // namespace
