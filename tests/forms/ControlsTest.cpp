#include "TestForms.h"
#include "forms/TextEdit.h"

namespace {

// `n` letters alef (U+0627), two bytes each.
std::string alef(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "\xD8\xA7";
    return s;
}

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
    f->txtName.Locked = true;
    changes = 0;
    f->typeText("xy");
    f->pressKey(vbKeyBack);
    EXPECT_EQ(f->txtName.Text(), "Inter Co");
    EXPECT_EQ(changes, 0);
}

// MaxLength is a number of characters: Arabic remarks (two bytes a character) are neither
// refused at half their length nor cut inside a character.
TEST(TextBox, MaxLengthCountsCharactersWhereverTheTextComesFrom) {
    formstest::EntryForm f;
    forms::TextBox& box = f.txtName;
    box.MaxLength = 10;

    // Loaded from storage: kept whole when it fits, cut between characters when it does not.
    box.setText(alef(8));
    EXPECT_EQ(box.Text(), alef(8));
    box.setText(alef(12) + "x");
    EXPECT_EQ(box.Text(), alef(10));

    // Pasted: up to MaxLength characters, whole or not at all.
    box.setText("");
    EXPECT_TRUE(forms::editText(box, alef(10)));
    EXPECT_FALSE(forms::editText(box, alef(11)));
    EXPECT_EQ(box.Text(), alef(10));

    // Typed a byte at a time, as the key path feeds a character: the tenth character is taken
    // whole, the eleventh not at all.
    box.setText(alef(9));
    box.SelStart = static_cast<int>(box.Text().size());
    for (unsigned char b : alef(1))
        box.applyKey(b);
    EXPECT_EQ(box.Text(), alef(10));
    EXPECT_FALSE(box.applyKey(static_cast<unsigned char>(alef(1)[0])));
    // Typing over a selection frees its characters.
    box.SelStart = 0;
    box.SelLength = 4;
    EXPECT_TRUE(box.applyKey('a'));
    EXPECT_EQ(box.Text(), "a" + alef(8));
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
