#include "TestForms.h"

namespace {

using formstest::errorOf;
using formstest::FormsTest;
using namespace forms;

TEST_F(FormsTest, TextBoxKeepsToMaxLengthAndLocked) {
    auto f = shownEntry();
    int changes = 0;
    f->txtName.Change = [&] { ++changes; };
    f->typeText("Inter Division");
    EXPECT_EQ(f->txtName.Text(), "Inter Divi");
    EXPECT_EQ(changes, 10);
    f->txtName.SelStart = 6; // at the limit a selection can still be typed over
    f->txtName.SelLength = 4;
    f->typeText("Co");
    EXPECT_EQ(f->txtName.Text(), "Inter Co");
    f->txtName.setText("A remark far longer than ten");
    EXPECT_EQ(f->txtName.Text(), "A remark f");
    f->txtName.Locked = true;
    changes = 0;
    f->typeText("xy");
    f->pressKey(vbKeyBack);
    EXPECT_EQ(f->txtName.Text(), "A remark f");
    EXPECT_EQ(changes, 0);
}

TEST_F(FormsTest, OptionsInOneContainerAreExclusive) {
    auto f = shownEntry();
    int debitClicks = 0, creditClicks = 0;
    f->optDebit.Click = [&] { ++debitClicks; };
    f->optCredit.Click = [&] { ++creditClicks; };
    f->optAscend.setValue(true);
    f->optCredit.setValue(true);
    f->optCredit.setValue(true);
    EXPECT_TRUE(f->optCredit.Value());
    EXPECT_FALSE(f->optDebit.Value());
    EXPECT_TRUE(f->optAscend.Value()); // another container keeps its choice
    EXPECT_EQ(creditClicks, 1);
    EXPECT_EQ(debitClicks, 0); // the option that loses its value gets no click
    f->optDescend.setValue(true);
    EXPECT_FALSE(f->optAscend.Value());
    EXPECT_TRUE(f->optCredit.Value());
}

TEST_F(FormsTest, ComboListIndexAndText) {
    auto f = shownEntry();
    ComboBox& cbo = f->cboAccount;
    for (const char* name : {"Cash", "Bank", "Sales"}) {
        cbo.AddItem(name);
        cbo.setItemData(cbo.NewIndex(), 100 + cbo.NewIndex());
    }
    EXPECT_EQ(cbo.ItemData(2), 102);
    EXPECT_EQ(errorOf([&] { cbo.ItemData(3); }), rt::errInvalidProcedureCall);
    int clicks = 0, changes = 0;
    cbo.Click = [&] { ++clicks; };
    cbo.Change = [&] { ++changes; };
    cbo.setListIndex(1);
    EXPECT_EQ(cbo.Text(), "Bank");
    EXPECT_EQ(clicks, 1);
    changes = 0;
    EXPECT_EQ(errorOf([&] { cbo.setListIndex(3); }), rt::errInvalidProcedureCall);
    EXPECT_EQ(cbo.ListIndex(), 1);
    cbo.setText("Bank"); // the same text keeps the selection
    EXPECT_EQ(cbo.ListIndex(), 1);
    EXPECT_EQ(changes, 0);

    cbo.SetFocus();
    f->pressKey(vbKeyBack); // typed text that differs clears it
    EXPECT_EQ(cbo.Text(), "Ban");
    EXPECT_EQ(cbo.ListIndex(), -1);
    EXPECT_EQ(changes, 1);
    cbo.setListIndex(0);
    cbo.dropDownList = true;
    f->typeText("x");
    EXPECT_EQ(cbo.Text(), "Cash");
    cbo.setListIndex(-1);
    EXPECT_EQ(cbo.Text(), "");
}

TEST(AccessKeys, CaptionMarkers) {
    EXPECT_EQ(stripAccessKey("Fish && Chips"), "Fish & Chips");
    EXPECT_EQ(accessKey("D&uplicate"), 'u');
    EXPECT_EQ(accessKey("Search &All"), 'a');
    EXPECT_EQ(accessKey("Fish && Chips"), 0);
    EXPECT_EQ(accessKey("Trailing&"), 0);
}

} // namespace
