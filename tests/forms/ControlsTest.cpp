#include "TestForms.h"

#include "runtime/Convert.h"

namespace {

using formstest::errorOf;
using formstest::FormsTest;
using namespace forms;

TEST_F(FormsTest, TypingRespectsMaxLengthAndRaisesChangePerCharacter) {
    auto f = shownEntry();
    int changes = 0;
    f->txtName.Change = [&] { ++changes; };
    f->txtName.SetFocus();
    f->typeText("Inter Division");
    EXPECT_EQ(f->txtName.Text(), "Inter Divi");
    EXPECT_EQ(changes, 10);

    // At the limit a selection can still be typed over.
    f->txtName.SelStart = 6;
    f->txtName.SelLength = 4;
    f->typeText("Co");
    EXPECT_EQ(f->txtName.Text(), "Inter Co");
    f->pressKey(vbKeyBack);
    EXPECT_EQ(f->txtName.Text(), "Inter C");
    f->txtName.selectAll();
    f->pressKey(vbKeyBack);
    EXPECT_EQ(f->txtName.Text(), "");
    int before = changes;
    f->pressKey(vbKeyBack); // nothing to delete, no change
    EXPECT_EQ(changes, before);
}

TEST_F(FormsTest, CodeSetTextIsCutToMaxLengthAndRaisesChangeOnce) {
    auto f = shownEntry();
    int changes = 0;
    f->txtName.Change = [&] { ++changes; };
    f->txtName.setText("A remark far longer than ten");
    EXPECT_EQ(f->txtName.Text(), "A remark f");
    EXPECT_EQ(changes, 1);
    f->txtName.setText("A remark f");
    EXPECT_EQ(changes, 1);
    f->txtAmount.setText(std::string(200, '9')); // no limit
    EXPECT_EQ(f->txtAmount.Text().size(), 200u);
    // Typing goes on at the end of a text set by code.
    f->txtAmount.setText("12");
    f->txtAmount.SetFocus();
    f->typeText(".5");
    EXPECT_EQ(f->txtAmount.Text(), "12.5");
}

TEST_F(FormsTest, LockedTextBoxTakesNoTyping) {
    auto f = shownEntry();
    f->txtName.setText("fixed");
    f->txtName.Locked = true;
    int changes = 0;
    f->txtName.Change = [&] { ++changes; };
    f->txtName.SetFocus();
    f->typeText("xy");
    f->pressKey(vbKeyBack);
    EXPECT_EQ(f->txtName.Text(), "fixed");
    EXPECT_EQ(changes, 0);
    f->txtName.setText("by code"); // code still writes a locked box
    EXPECT_EQ(f->txtName.Text(), "by code");
}

TEST_F(FormsTest, OptionsInOneContainerAreExclusive) {
    auto f = shownEntry();
    int debitClicks = 0, creditClicks = 0, ascendClicks = 0;
    f->optDebit.Click = [&] { ++debitClicks; };
    f->optCredit.Click = [&] { ++creditClicks; };
    f->optAscend.Click = [&] { ++ascendClicks; };
    f->optAscend.setValue(true);
    EXPECT_EQ(ascendClicks, 1);

    f->optCredit.setValue(true);
    EXPECT_TRUE(f->optCredit.Value());
    EXPECT_FALSE(f->optDebit.Value());
    EXPECT_TRUE(f->optAscend.Value()); // another container keeps its choice
    EXPECT_EQ(creditClicks, 1);
    EXPECT_EQ(debitClicks, 0); // the option that loses its value gets no click

    f->optCredit.setValue(true);
    EXPECT_EQ(creditClicks, 1);
    f->optDescend.setValue(true);
    EXPECT_FALSE(f->optAscend.Value());
    EXPECT_TRUE(f->optCredit.Value());
}

TEST_F(FormsTest, CheckBoxClicksOnlyWhenItsValueChanges) {
    auto f = shownEntry();
    int clicks = 0;
    f->chkAll.Click = [&] { ++clicks; };
    f->chkAll.setValue(1);
    f->chkAll.setValue(1);
    f->chkAll.setValue(0);
    EXPECT_EQ(clicks, 2);
}

TEST_F(FormsTest, ButtonsAndMenusIgnoreClicksWhileDisabled) {
    auto f = shownEntry();
    f->cmdOK.Enabled = false;
    f->cmdOK.press();
    f->cmdOK.Enabled = true;
    f->fraType.Visible = false;
    f->cmdOK.press();
    EXPECT_EQ(f->log, (std::vector<std::string>{"txtName_LostFocus", "cmdOK_GotFocus", "cmdOK_Click"}));

    Menu popup{*f, "mnuPopup", "PopupMenu"};
    Menu add{*f, "mnuAdd", "&Add", &popup};
    Menu sep{*f, "mnuSep", "-", &popup};
    int chosen = 0;
    add.Click = [&] { ++chosen; };
    sep.Click = [&] { ++chosen; };
    add.Enabled = false;
    add.choose();
    sep.choose();
    EXPECT_EQ(chosen, 0);
    add.Enabled = true;
    add.choose();
    EXPECT_EQ(chosen, 1);
    EXPECT_TRUE(sep.separator());
    EXPECT_EQ(popup.items.size(), 2u);
}

TEST_F(FormsTest, ComboSelectionSetsTheTextAndClicks) {
    auto f = shownEntry();
    ComboBox& cbo = f->cboAccount;
    for (const char* name : {"Cash", "Bank", "Sales"}) {
        cbo.AddItem(name);
        cbo.setItemData(cbo.NewIndex(), 100 + cbo.NewIndex());
    }
    EXPECT_EQ(cbo.ListCount(), 3);
    EXPECT_EQ(cbo.NewIndex(), 2);
    EXPECT_EQ(cbo.List(1), "Bank");
    EXPECT_EQ(cbo.List(7), "");
    EXPECT_EQ(cbo.ItemData(2), 102);
    EXPECT_EQ(errorOf([&] { cbo.ItemData(3); }), rt::errInvalidProcedureCall);

    int clicks = 0;
    cbo.Click = [&] { ++clicks; };
    cbo.setListIndex(1);
    EXPECT_EQ(cbo.Text(), "Bank");
    EXPECT_EQ(clicks, 1);
    cbo.setListIndex(2);
    EXPECT_EQ(cbo.Text(), "Sales");
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(errorOf([&] { cbo.setListIndex(3); }), rt::errInvalidProcedureCall);
    EXPECT_EQ(cbo.ListIndex(), 2);

    cbo.setListIndex(-1);
    EXPECT_EQ(cbo.Text(), "");
    EXPECT_EQ(cbo.ListIndex(), -1);
}

TEST_F(FormsTest, ComboTypedTextThatDiffersClearsTheSelection) {
    auto f = shownEntry();
    ComboBox& cbo = f->cboAccount;
    cbo.AddItem("Cash");
    cbo.AddItem("Bank");
    cbo.setListIndex(1);
    int changes = 0;
    cbo.Change = [&] { ++changes; };
    cbo.setText("Bank");
    EXPECT_EQ(cbo.ListIndex(), 1);
    EXPECT_EQ(changes, 0);

    cbo.SetFocus();
    f->pressKey(vbKeyBack);
    EXPECT_EQ(cbo.Text(), "Ban");
    EXPECT_EQ(cbo.ListIndex(), -1);
    EXPECT_EQ(changes, 1);
    f->typeText("k2");
    EXPECT_EQ(cbo.Text(), "Bank2");

    cbo.Clear();
    EXPECT_EQ(cbo.ListCount(), 0);
    EXPECT_EQ(cbo.Text(), "");
    EXPECT_EQ(cbo.NewIndex(), -1);
}

TEST_F(FormsTest, DropDownListsAndLockedCombosTakeNoTyping) {
    auto f = shownEntry();
    ComboBox& cbo = f->cboAccount;
    cbo.AddItem("Cash");
    cbo.setListIndex(0);
    cbo.SetFocus();
    cbo.dropDownList = true;
    f->typeText("x");
    EXPECT_EQ(cbo.Text(), "Cash");
    cbo.dropDownList = false;
    cbo.Locked = true;
    f->typeText("x");
    EXPECT_EQ(cbo.Text(), "Cash");
    EXPECT_EQ(cbo.ListIndex(), 0);
}

TEST_F(FormsTest, LateBoundComboAndTextBox) {
    auto f = shownEntry();
    rt::ObjectPtr cbo = f->cboAccount.ref();
    auto call = [](const rt::ObjectPtr& o, const char* m, rt::CallKind k, std::vector<rt::Variant> args) {
        return o->invoke(m, k, args);
    };
    call(cbo, "AddItem", rt::CallKind::Method, {rt::Variant("Cash")});
    call(cbo, "ItemData", rt::CallKind::PropertyPut, {rt::Variant(0), rt::Variant(12)});
    call(cbo, "ListIndex", rt::CallKind::PropertyPut, {rt::Variant(0)});
    EXPECT_EQ(f->cboAccount.Text(), "Cash");
    EXPECT_EQ(rt::CLng(call(cbo, "ItemData", rt::CallKind::PropertyGet, {rt::Variant(0)})), 12);
    EXPECT_EQ(rt::CLng(call(cbo, "ListCount", rt::CallKind::PropertyGet, {})), 1);

    rt::ObjectPtr txt = f->txtName.ref();
    call(txt, "Locked", rt::CallKind::PropertyPut, {rt::Variant(true)});
    EXPECT_TRUE(f->txtName.Locked);
    call(txt, "Tag", rt::CallKind::PropertyPut, {rt::Variant("Changed")});
    EXPECT_EQ(f->txtName.Tag, "Changed");
    EXPECT_EQ(call(txt, "Name", rt::CallKind::PropertyGet, {}).str(), "txtName");
    EXPECT_EQ(f->txtName.className(), "TextBox");
}

TEST(AccessKeys, CaptionMarkers) {
    EXPECT_EQ(stripAccessKey("&New"), "New");
    EXPECT_EQ(stripAccessKey("Cancel Postin&g"), "Cancel Posting");
    EXPECT_EQ(stripAccessKey("Fish && Chips"), "Fish & Chips");
    EXPECT_EQ(accessKey("D&uplicate"), 'u');
    EXPECT_EQ(accessKey("Search &All"), 'a');
    EXPECT_EQ(accessKey("Fish && Chips"), 0);
    EXPECT_EQ(accessKey("Trailing&"), 0);
    EXPECT_EQ(accessKey("Close"), 0);
}

} // namespace
