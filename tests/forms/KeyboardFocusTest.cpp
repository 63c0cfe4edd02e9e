#include "TestForms.h"

#include <algorithm>

namespace {

using formstest::errorOf;
using formstest::FormsTest;
using namespace forms;

TEST_F(FormsTest, KeyPreviewGivesTheFormTheKeyFirstButEnterIsTheDefaultButtons) {
    auto f = shownEntry();
    f->KeyPreview = true;
    f->txtName.KeyDown = [&](int& k, int) { f->log.push_back("txtName_KeyDown " + std::to_string(k)); };
    f->txtName.KeyPress = [&](int& k) { f->log.push_back("txtName_KeyPress " + std::to_string(k)); };
    f->pressKey('A', vbShiftMask);
    EXPECT_EQ(f->log, (std::vector<std::string>{"Form_KeyDown 65", "txtName_KeyDown 65", "Form_KeyPress 65",
                                                "txtName_KeyPress 65"}));
    EXPECT_EQ(f->txtName.Text(), "A");

    // A key the form zeroes never reaches the control.
    f->onKeyDown = [](int& k, int) {
        if (k == vbKeyF9) k = 0;
    };
    f->onKeyPress = [](int& k) {
        if (k == 19) k = 0; // Ctrl+S handled by the window
    };
    f->log.clear();
    f->pressKey(vbKeyF9);
    f->pressKey('S', vbCtrlMask);
    EXPECT_EQ(std::count(f->log.begin(), f->log.end(), "txtName_KeyDown 120"), 0);
    EXPECT_EQ(std::count(f->log.begin(), f->log.end(), "txtName_KeyPress 19"), 0);
    EXPECT_EQ(f->txtName.Text(), "A");

    // Enter is the default button's, unless a button has the focus or the default is disabled.
    int enterSeen = 0;
    f->txtName.KeyPress = [&](int& k) { enterSeen += k == vbKeyReturn; };
    auto clicks = [&] { return std::count(f->log.begin(), f->log.end(), "cmdOK_Click"); };
    f->pressKey(vbKeyReturn, vbCtrlMask);
    EXPECT_EQ(clicks(), 0);
    f->log.clear();
    f->pressKey(vbKeyReturn);
    EXPECT_EQ(clicks(), 1);
    // The key is the button's: neither the window nor the control sees it.
    EXPECT_EQ(std::count_if(f->log.begin(), f->log.end(),
                            [](const std::string& s) { return s.rfind("Form_Key", 0) == 0; }),
              0);
    f->cmdOK.Enabled = false;
    f->txtName.SetFocus();
    f->pressKey(vbKeyReturn);
    EXPECT_EQ(clicks(), 1);
    EXPECT_EQ(enterSeen, 1); // the disabled button lets the key through

    f->cmdCancel.SetFocus();
    f->cmdOK.Enabled = true;
    f->pressKey(vbKeyReturn); // a focused button is pressed, not the default
    EXPECT_EQ(clicks(), 1);
    EXPECT_FALSE(f->loaded());
}

TEST_F(FormsTest, TypedPunctuationIsNoNavigationKey) {
    auto f = shownEntry();
    std::vector<int> codes;
    f->txtName.KeyDown = [&](int& k, int) { codes.push_back(k); };
    f->txtName.KeyUp = [&](int& k, int) { codes.push_back(k); };
    f->typeText("1.5-2(%)");
    EXPECT_EQ(f->txtName.Text(), "1.5-2(%)");
    for (int k : codes) {
        EXPECT_FALSE(k == vbKeyDelete || (k >= vbKeyEnd && k <= vbKeyDown) || k == 45) << k;
    }
    EXPECT_EQ(codes.size(), 16u);

    f->txtName.setText("");
    f->pressKey(190); // the full stop key
    f->pressKey('5');
    EXPECT_EQ(f->txtName.Text(), ".5");
}

TEST_F(FormsTest, TabOrderSkipsAndSetFocusRefusesWhatCannotTakeTheFocus) {
    auto f = shownEntry();
    EXPECT_EQ(f->activeControl(), &f->txtName); // first in the order on show
    f->optAscend.Visible = false;
    f->chkAll.TabStop = false;
    std::vector<std::string> visited;
    for (int i = 0; i < 6; ++i) {
        f->pressKey(vbKeyTab);
        visited.push_back(f->activeControl()->name());
    }
    // A group of options is one stop: at its chosen option, or its first without a choice.
    EXPECT_EQ(visited, (std::vector<std::string>{"optDebit", "txtAmount", "optDescend", "cboAccount", "cmdOK",
                                                 "cmdCancel"}));
    f->pressKey(vbKeyTab);
    EXPECT_EQ(f->activeControl(), &f->txtName); // wraps round
    f->optCredit.setValue(true);
    f->pressKey(vbKeyTab);
    EXPECT_EQ(f->activeControl(), &f->optCredit);
    f->pressKey(vbKeyTab, vbShiftMask);
    EXPECT_EQ(f->activeControl(), &f->txtName);

    f->fraType.Enabled = false; // the options and the amount inside go with it
    f->pressKey(vbKeyTab);
    EXPECT_EQ(f->activeControl(), &f->optDescend);
    f->pressKey(vbKeyTab, vbShiftMask);
    EXPECT_EQ(f->activeControl(), &f->txtName);
    f->pressKey(vbKeyTab, vbShiftMask);
    EXPECT_EQ(f->activeControl(), &f->cmdCancel);

    // From a control disabled meanwhile, the order goes on from where it was.
    f->fraType.Enabled = true;
    f->optCredit.SetFocus();
    f->fraType.Enabled = false;
    f->tabToNext();
    EXPECT_EQ(f->activeControl(), &f->optDescend);

    // Asked for by code, a control that cannot take the focus raises 5.
    EXPECT_EQ(errorOf([&] { f->txtNo.SetFocus(); }), rt::errInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { f->lblName.SetFocus(); }), rt::errInvalidProcedureCall);
    f->fraType.Enabled = true;
    f->fraType.Visible = false;
    EXPECT_EQ(errorOf([&] { f->txtAmount.SetFocus(); }), rt::errInvalidProcedureCall);
    auto unloaded = std::make_shared<formstest::EntryForm>();
    EXPECT_EQ(errorOf([&] { unloaded->txtName.SetFocus(); }), rt::errInvalidProcedureCall);
}

} // namespace
