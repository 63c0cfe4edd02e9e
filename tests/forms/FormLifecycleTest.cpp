#include "TestForms.h"

namespace {

using formstest::EntryForm;
using formstest::FormsTest;

// A window with a grid and a list, to check that their content goes with the unload.
class ListForm : public forms::Form {
  public:
    ListForm() : Form("frmList") {
        lvw.designHeaders = {formstest::column("SlNo.", 600),
                             formstest::column("Debit", 1200, forms::lvwColumnRight)};
    }
    forms::FlexGrid grd{*this, "grd"};
    forms::ListView lvw{*this, "lvw"};
    forms::Label lblTotal{*this, "lblTotal", "0"};
};

TEST_F(FormsTest, LoadAppliesTheDesignBeforeFormLoadAndOnlyOnce) {
    auto f = std::make_shared<EntryForm>();
    f->Load();
    f->Load();
    EXPECT_TRUE(f->loaded());
    EXPECT_FALSE(f->visible());
    EXPECT_EQ(f->designs, 1);
    EXPECT_EQ(f->loads, 1);
    EXPECT_EQ(f->Caption, "Entry");
    EXPECT_FALSE(f->txtNo.Enabled);
    EXPECT_TRUE(f->optDebit.Value());
}

TEST_F(FormsTest, EveryLoadStartsFromTheDesign) {
    auto f = std::make_shared<EntryForm>();
    f->Load();
    f->txtName.setText("changed");
    f->txtNo.Enabled = true;
    f->fraType.Enabled = false;
    f->optCredit.setValue(true);
    f->chkAll.setValue(1);
    f->cboAccount.AddItem("Cash");
    f->cboAccount.setListIndex(0);
    f->cmdOK.Enabled = false;
    f->cmdOK.Caption = "Save";
    f->lblName.Caption = "Other";
    f->Caption = "Runtime caption";
    f->Tag = "Loaded";
    f->txtName.Tag = "Changed";
    ASSERT_TRUE(f->Unload());
    EXPECT_FALSE(f->loaded());

    f->Load();
    EXPECT_EQ(f->designs, 2);
    EXPECT_EQ(f->txtName.Text(), "");
    EXPECT_EQ(f->txtName.Tag, "");
    EXPECT_FALSE(f->txtNo.Enabled);
    EXPECT_TRUE(f->fraType.Enabled);
    EXPECT_TRUE(f->optDebit.Value());
    EXPECT_FALSE(f->optCredit.Value());
    EXPECT_EQ(f->chkAll.Value(), 0);
    EXPECT_EQ(f->cboAccount.ListCount(), 0);
    EXPECT_EQ(f->cboAccount.ListIndex(), -1);
    EXPECT_TRUE(f->cmdOK.Enabled);
    EXPECT_EQ(f->cmdOK.Caption, "&Ok");
    EXPECT_EQ(f->lblName.Caption, "&Name :");
    EXPECT_EQ(f->Caption, "Entry");
    EXPECT_EQ(f->Tag, "");
}

TEST_F(FormsTest, GridAndListAreEmptiedBetweenLoads) {
    auto f = std::make_shared<ListForm>();
    f->Load();
    f->grd.setCols(8);
    f->grd.setRows(50);
    f->grd.setTextMatrix(10, 3, "x");
    f->lvw.Add("1").setSubItem(1, "100.00");
    f->lvw.header(1).Width = 0;
    f->lblTotal.Caption = "100.00";
    f->Unload();
    f->Load();
    EXPECT_EQ(f->grd.Rows(), 2);
    EXPECT_EQ(f->grd.Cols(), 2);
    EXPECT_EQ(f->grd.TextMatrix(1, 0), "");
    EXPECT_EQ(f->lvw.Count(), 0);
    EXPECT_EQ(f->lvw.header(1).Width, 600);
    EXPECT_EQ(f->lvw.header(2).Alignment, forms::lvwColumnRight);
    EXPECT_EQ(f->lblTotal.Caption, "0");
}

TEST_F(FormsTest, ModalShowRunsTheScriptThenUnloads) {
    auto f = std::make_shared<EntryForm>();
    bool ran = false;
    host.onShow("frmEntry", [&](forms::Form& form) {
        ran = true;
        EXPECT_EQ(&form, f.get());
        EXPECT_TRUE(f->loaded());
        EXPECT_TRUE(f->visible());
        EXPECT_EQ(forms::activeForm(), f.get());
        EXPECT_EQ(f->activates, 1);
    });
    f->Show();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(f->loaded());
    EXPECT_FALSE(f->visible());
    EXPECT_EQ(f->queries, 1);
    EXPECT_EQ(f->unloads, 1);
    EXPECT_EQ(f->lastUnloadMode, forms::vbFormCode);
    EXPECT_EQ(host.shown, std::vector<std::string>{"frmEntry"});
    EXPECT_EQ(forms::activeForm(), nullptr);
}

TEST_F(FormsTest, AWindowTheScriptClosesIsNotUnloadedTwice) {
    auto f = std::make_shared<EntryForm>();
    host.onShow("frmEntry", [&](forms::Form&) { f->pressKey(forms::vbKeyEscape); });
    f->Show();
    EXPECT_FALSE(f->loaded());
    EXPECT_EQ(f->queries, 1);
    EXPECT_EQ(f->unloads, 1);
}

TEST_F(FormsTest, QueuedScriptsComeBeforeTheStandingOne) {
    auto f = std::make_shared<EntryForm>();
    std::vector<std::string> runs;
    host.onEveryShow("frmEntry", [&](forms::Form&) { runs.push_back("every"); });
    host.onShow("frmEntry", [&](forms::Form&) { runs.push_back("once"); });
    f->Show();
    f->Show();
    f->Show();
    EXPECT_EQ(runs, (std::vector<std::string>{"once", "every", "every"}));
    EXPECT_EQ(f->designs, 3);
}

TEST_F(FormsTest, ParentIsActivatedAgainWhenAChildModalCloses) {
    auto parent = std::make_shared<EntryForm>("frmParent");
    auto child = std::make_shared<EntryForm>("frmChild");
    host.onShow("frmParent", [&](forms::Form&) {
        EXPECT_EQ(parent->activates, 1);
        child->Show(true, parent.get());
        EXPECT_FALSE(child->loaded());
        EXPECT_EQ(parent->activates, 2);
        EXPECT_EQ(forms::activeForm(), parent.get());
        child->Show(true, parent.get());
        EXPECT_EQ(parent->activates, 3);
    });
    host.onShow("frmChild", [&](forms::Form&) { EXPECT_EQ(forms::activeForm(), child.get()); });
    parent->Show();
    EXPECT_EQ(child->activates, 2);
    EXPECT_EQ(host.shown, (std::vector<std::string>{"frmParent", "frmChild", "frmChild"}));
    EXPECT_EQ(forms::activeForm(), nullptr);
}

TEST_F(FormsTest, QueryUnloadCanKeepTheWindowOpen) {
    auto f = shownEntry();
    f->refuseClose = true;
    EXPECT_FALSE(f->requestClose());
    EXPECT_TRUE(f->loaded());
    EXPECT_EQ(f->lastUnloadMode, forms::vbFormControlMenu);
    EXPECT_FALSE(f->Unload());
    EXPECT_EQ(f->lastUnloadMode, forms::vbFormCode);
    EXPECT_EQ(f->unloads, 0);
    EXPECT_EQ(forms::activeForm(), f.get());

    f->refuseClose = false;
    EXPECT_TRUE(f->requestClose());
    EXPECT_FALSE(f->loaded());
    EXPECT_EQ(f->unloads, 1);
    EXPECT_TRUE(f->Unload()); // unloading an unloaded window is no error
    EXPECT_EQ(f->queries, 3);
}

TEST_F(FormsTest, QueryUnloadThatUnloadsItselfClosesOnce) {
    // The "save changes?" path: the save unloads the window from inside the close check.
    auto f = shownEntry();
    f->unloadInQuery = true;
    EXPECT_TRUE(f->requestClose());
    EXPECT_FALSE(f->loaded());
    EXPECT_EQ(f->queries, 2);
    EXPECT_EQ(f->unloads, 1);
}

TEST_F(FormsTest, AWindowThatUnloadsInItsLoadIsNotShown) {
    auto f = std::make_shared<EntryForm>();
    f->unloadInLoad = true;
    bool ran = false;
    host.onShow("frmEntry", [&](forms::Form&) { ran = true; });
    f->Show();
    EXPECT_FALSE(ran);
    EXPECT_FALSE(f->loaded());
    EXPECT_EQ(f->activates, 0);
    EXPECT_TRUE(host.shown.empty());
}

TEST_F(FormsTest, WithoutAHostSetModalWindowsCloseAtOnce) {
    forms::setHost(nullptr);
    auto f = std::make_shared<EntryForm>();
    f->Show();
    EXPECT_EQ(f->activates, 1);
    EXPECT_FALSE(f->loaded());
    EXPECT_EQ(forms::MsgBox("Save Changes?", forms::vbYesNoCancel + forms::vbQuestion), forms::vbYes);
}

TEST_F(FormsTest, ControlsAreReachableByNameAndAsObjects) {
    auto f = std::make_shared<EntryForm>();
    f->Load();
    EXPECT_EQ(f->find("TXTNAME"), &f->txtName);
    EXPECT_EQ(f->find("nothing"), nullptr);

    rt::ObjectPtr txt = f->txtName.ref();
    std::vector<rt::Variant> put{rt::Variant("abc")};
    txt->invoke("Text", rt::CallKind::PropertyPut, put);
    EXPECT_EQ(f->txtName.Text(), "abc");
    std::vector<rt::Variant> none;
    EXPECT_EQ(txt->invoke("text", rt::CallKind::PropertyGet, none).str(), "abc");
    std::vector<rt::Variant> off{rt::Variant("False")};
    txt->invoke("Enabled", rt::CallKind::PropertyPut, off);
    EXPECT_FALSE(f->txtName.Enabled);
    EXPECT_EQ(formstest::errorOf([&] { txt->invoke("Frobnicate", rt::CallKind::Method, none); }),
              rt::errMemberNotFound);

    // The reference keeps the window alive.
    std::weak_ptr<EntryForm> weak = f;
    f.reset();
    EXPECT_FALSE(weak.expired());
    txt.reset();
    EXPECT_TRUE(weak.expired());
}

} // namespace
