#include "TestForms.h"

namespace {

using formstest::EntryForm;
using formstest::FormsTest;

TEST_F(FormsTest, EveryLoadStartsFromTheDesign) {
    auto f = std::make_shared<EntryForm>();
    f->Load();
    f->Load();
    EXPECT_EQ(f->designs, 1);
    EXPECT_EQ(f->loads, 1);
    f->txtName.setText("changed");
    f->txtNo.Enabled = true;
    f->fraType.Enabled = false;
    f->optCredit.setValue(true);
    f->cboAccount.AddItem("Cash");
    f->cboAccount.setListIndex(0);
    f->cmdOK.Caption = "Save";
    f->Caption = "Runtime caption";
    f->txtName.Tag = "Changed";
    ASSERT_TRUE(f->Unload());

    f->Load();
    EXPECT_EQ(f->designs, 2);
    EXPECT_EQ(f->txtName.Text(), "");
    EXPECT_EQ(f->txtName.Tag, "");
    EXPECT_FALSE(f->txtNo.Enabled);
    EXPECT_TRUE(f->fraType.Enabled);
    EXPECT_TRUE(f->optDebit.Value());
    EXPECT_FALSE(f->optCredit.Value());
    EXPECT_EQ(f->cboAccount.ListCount(), 0);
    EXPECT_EQ(f->cboAccount.ListIndex(), -1);
    EXPECT_EQ(f->cmdOK.Caption, "&Ok");
    EXPECT_EQ(f->Caption, "Entry");

    auto l = std::make_shared<formstest::ListForm>();
    l->Load();
    l->grd.setRows(50);
    l->grd.setTextMatrix(1, 1, "x");
    l->lvw.Add("1");
    l->lvw.header(1).Width = 0;
    l->Unload();
    l->Load();
    EXPECT_EQ(l->grd.Rows(), 2);
    EXPECT_EQ(l->grd.TextMatrix(1, 1), "");
    EXPECT_EQ(l->lvw.Count(), 0);
    EXPECT_EQ(l->lvw.header(1).Width, 600);
}

TEST_F(FormsTest, ModalShowRunsTheScriptThenUnloadsOnceAndActivatesTheParentAgain) {
    auto f = std::make_shared<EntryForm>();
    host.onShow("frmEntry", [&](forms::Form& form) {
        EXPECT_EQ(&form, f.get());
        EXPECT_TRUE(f->visible());
        EXPECT_EQ(forms::activeForm(), f.get());
    });
    f->Show();
    EXPECT_FALSE(f->loaded());
    EXPECT_EQ(f->unloads, 1);
    EXPECT_EQ(f->lastUnloadMode, forms::vbFormCode);
    EXPECT_EQ(host.shown, std::vector<std::string>{"frmEntry"});
    EXPECT_EQ(forms::activeForm(), nullptr);

    // A window the script closes itself is not unloaded a second time.
    host.onShow("frmEntry", [&](forms::Form&) { f->pressKey(forms::vbKeyEscape); });
    f->Show();
    EXPECT_EQ(f->queries, 2);
    EXPECT_EQ(f->unloads, 2);

    // A child's modal show activates its parent again when it closes.
    auto parent = std::make_shared<EntryForm>("frmParent");
    auto child = std::make_shared<EntryForm>("frmChild");
    host.onShow("frmParent", [&](forms::Form&) {
        child->Show(true, parent.get());
        EXPECT_FALSE(child->loaded());
        EXPECT_EQ(parent->activates, 2);
        EXPECT_EQ(forms::activeForm(), parent.get());
    });
    host.onShow("frmChild", [&](forms::Form&) { EXPECT_EQ(forms::activeForm(), child.get()); });
    parent->Show();
    EXPECT_EQ(host.shown, (std::vector<std::string>{"frmEntry", "frmEntry", "frmParent", "frmChild"}));
}

TEST_F(FormsTest, QueryUnloadCanKeepTheWindowOpen) {
    auto f = shownEntry();
    f->refuseClose = true;
    EXPECT_FALSE(f->requestClose());
    EXPECT_EQ(f->lastUnloadMode, forms::vbFormControlMenu);
    EXPECT_FALSE(f->Unload());
    EXPECT_TRUE(f->loaded());
    EXPECT_EQ(f->unloads, 0);
    EXPECT_EQ(forms::activeForm(), f.get());

    // The "save changes?" path: the save unloads the window from inside the close check.
    f->refuseClose = false;
    f->unloadInQuery = true;
    EXPECT_TRUE(f->requestClose());
    EXPECT_FALSE(f->loaded());
    EXPECT_EQ(f->unloads, 1);
}

} // namespace
