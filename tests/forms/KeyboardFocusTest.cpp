#include "TestForms.h"

#include <algorithm>

namespace {

using formstest::EntryForm;
using formstest::errorOf;
using formstest::FormsTest;
using namespace forms;

TEST_F(FormsTest, KeyPreviewGivesTheFormTheKeyFirst) {
    auto f = shownEntry();
    f->KeyPreview = true;
    f->txtName.SetFocus();
    f->txtName.KeyDown = [&](int& k, int) { f->log.push_back("txtName_KeyDown " + std::to_string(k)); };
    f->txtName.KeyPress = [&](int& k) { f->log.push_back("txtName_KeyPress " + std::to_string(k)); };
    f->log.clear();
    f->pressKey('A', vbShiftMask);
    EXPECT_EQ(f->log, (std::vector<std::string>{"Form_KeyDown 65", "txtName_KeyDown 65", "Form_KeyPress 65",
                                                "txtName_KeyPress 65"}));
    EXPECT_EQ(f->txtName.Text(), "A");
}

TEST_F(FormsTest, AKeyTheFormZeroesNeverReachesTheControl) {
    auto f = shownEntry();
    f->KeyPreview = true;
    f->txtName.SetFocus();
    std::vector<int> downs;
    bool pressSeen = false;
    f->txtName.KeyDown = [&](int& k, int) { downs.push_back(k); };
    f->txtName.KeyPress = [&](int&) { pressSeen = true; };
    f->onKeyDown = [](int& k, int) {
        if (k == vbKeyF9) k = 0;
    };
    f->onKeyPress = [](int& k) {
        if (k == 19) k = 0; // Ctrl+S handled by the window
    };
    f->pressKey(vbKeyF9);
    f->pressKey('S', vbCtrlMask);
    EXPECT_EQ(downs, std::vector<int>{'S'});
    EXPECT_FALSE(pressSeen);
    EXPECT_EQ(f->txtName.Text(), "");

    // The form may also change the character, e.g. to upper case.
    f->onKeyPress = [](int& k) {
        if (k >= 'a' && k <= 'z') k -= 32;
    };
    f->typeText("ab");
    EXPECT_EQ(f->txtName.Text(), "AB");
}

TEST_F(FormsTest, WithoutKeyPreviewTheFormSeesNoKeys) {
    auto f = shownEntry();
    f->txtName.SetFocus();
    f->log.clear();
    f->typeText("x");
    EXPECT_TRUE(f->log.empty());
    EXPECT_EQ(f->txtName.Text(), "x");
}

TEST_F(FormsTest, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
    auto f = shownEntry();
    f->KeyPreview = true;
    f->txtName.SetFocus();
    int enterSeen = 0;
    f->txtName.KeyPress = [&](int& k) { enterSeen += k == vbKeyReturn; };
    f->log.clear();
    f->pressKey(vbKeyReturn);
    EXPECT_EQ(enterSeen, 0);
    EXPECT_NE(std::find(f->log.begin(), f->log.end(), "cmdOK_Click"), f->log.end());
    // The key is the button's: neither the window nor the control sees it.
    EXPECT_EQ(std::count_if(f->log.begin(), f->log.end(),
                            [](const std::string& s) { return s.rfind("Form_Key", 0) == 0; }),
              0);

    f->pressKey(vbKeyEscape);
    EXPECT_FALSE(f->loaded());
}

TEST_F(FormsTest, EnterOnAFocusedButtonPressesThatButton) {
    auto f = shownEntry();
    f->cmdCancel.SetFocus();
    f->pressKey(vbKeyReturn);
    EXPECT_FALSE(f->loaded());
    EXPECT_EQ(std::count(f->log.begin(), f->log.end(), "cmdOK_Click"), 0);
}

TEST_F(FormsTest, ADisabledDefaultButtonIsNotPressed) {
    auto f = shownEntry();
    f->cmdOK.Enabled = false;
    f->txtName.SetFocus();
    int enterSeen = 0;
    f->txtName.KeyPress = [&](int& k) { enterSeen += k == vbKeyReturn; };
    f->pressKey(vbKeyReturn);
    EXPECT_EQ(std::count(f->log.begin(), f->log.end(), "cmdOK_Click"), 0);
    EXPECT_EQ(enterSeen, 1);
}

TEST_F(FormsTest, ControlAndAltKeysGiveTheirCharacters) {
    auto f = shownEntry();
    f->cmdOK.Default = false;
    f->KeyPreview = true;
    f->txtName.SetFocus();
    std::vector<int> chars;
    f->onKeyPress = [&](int& k) { chars.push_back(k); };
    f->pressKey('D', vbCtrlMask);
    f->pressKey(vbKeyReturn, vbCtrlMask);
    f->pressKey('A', vbAltMask);
    f->pressKey('7', vbCtrlMask);
    EXPECT_EQ(chars, (std::vector<int>{4, 10}));
    EXPECT_EQ(f->txtName.Text(), "");
}

TEST_F(FormsTest, CtrlEnterDoesNotPressTheDefaultButton) {
    auto f = shownEntry();
    f->txtName.SetFocus();
    f->pressKey(vbKeyReturn, vbCtrlMask);
    EXPECT_EQ(std::count(f->log.begin(), f->log.end(), "cmdOK_Click"), 0);
}

TEST_F(FormsTest, TypedPunctuationIsNoNavigationKey) {
    auto f = shownEntry();
    f->txtName.SetFocus();
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

TEST_F(FormsTest, EnterMovesOnWhereTheControlAsksForIt) {
    auto f = shownEntry();
    f->cmdOK.Default = false;
    f->txtName.SetFocus();
    f->txtName.KeyPress = [&](int& k) {
        if (k == vbKeyReturn) f->tabToNext();
    };
    f->typeText("ab");
    f->pressKey(vbKeyReturn);
    EXPECT_EQ(f->activeControl(), &f->optDebit); // txtNo is disabled
    EXPECT_EQ(f->txtName.Text(), "ab");
}

TEST_F(FormsTest, FirstControlInTabOrderGetsTheFocusOnShow) {
    auto f = std::make_shared<EntryForm>();
    f->Show(false);
    EXPECT_EQ(f->activeControl(), &f->txtName);
    EXPECT_TRUE(f->txtName.hasFocus());
    EXPECT_EQ(f->log, (std::vector<std::string>{"Form_Load", "Form_Activate", "txtName_GotFocus"}));
}

TEST_F(FormsTest, FocusSetInActivateIsTheFirstFocus) {
    auto f = std::make_shared<EntryForm>();
    f->onActivate = [&] { f->cboAccount.SetFocus(); };
    f->Show(false);
    EXPECT_EQ(f->activeControl(), &f->cboAccount);
    EXPECT_EQ(f->log, (std::vector<std::string>{"Form_Load", "Form_Activate", "cboAccount_GotFocus"}));
    // Activated again (after a child window), the focus stays where it was.
    f->onActivate = nullptr;
    f->activate();
    EXPECT_EQ(f->activeControl(), &f->cboAccount);
}

TEST_F(FormsTest, TabOrderSkipsWhatCannotTakeTheFocus) {
    auto f = shownEntry();
    f->optAscend.Visible = false;
    f->chkAll.TabStop = false;
    f->txtName.SetFocus();
    std::vector<std::string> visited;
    for (int i = 0; i < 7; ++i) {
        f->pressKey(vbKeyTab);
        visited.push_back(f->activeControl()->name());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"optDebit", "optCredit", "txtAmount", "optDescend",
                                                 "cboAccount", "cmdOK", "cmdCancel"}));
    f->pressKey(vbKeyTab);
    EXPECT_EQ(f->activeControl(), &f->txtName); // wraps round

    f->fraType.Enabled = false; // the options and the amount inside go with it
    f->pressKey(vbKeyTab);
    EXPECT_EQ(f->activeControl(), &f->optDescend);
    f->pressKey(vbKeyTab, vbShiftMask);
    EXPECT_EQ(f->activeControl(), &f->txtName);
    f->pressKey(vbKeyTab, vbShiftMask);
    EXPECT_EQ(f->activeControl(), &f->cmdCancel);
}

TEST_F(FormsTest, TabFromAControlThatWasDisabledMeanwhileContinuesInOrder) {
    auto f = shownEntry();
    f->optCredit.SetFocus();
    f->fraType.Enabled = false;
    f->tabToNext();
    EXPECT_EQ(f->activeControl(), &f->optAscend);
}

TEST_F(FormsTest, TabRaisesNoKeyEventsAndMovesFocusWithItsEvents) {
    auto f = shownEntry();
    f->KeyPreview = true;
    f->txtName.SetFocus();
    f->log.clear();
    f->pressKey(vbKeyTab);
    EXPECT_EQ(f->log, (std::vector<std::string>{"txtName_LostFocus", "optDebit_GotFocus"}));
}

TEST_F(FormsTest, SetFocusOnAControlThatCannotTakeItRaises5) {
    auto f = shownEntry();
    EXPECT_EQ(errorOf([&] { f->txtNo.SetFocus(); }), rt::errInvalidProcedureCall);
    f->fraType.Visible = false;
    EXPECT_EQ(errorOf([&] { f->txtAmount.SetFocus(); }), rt::errInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { f->lblName.SetFocus(); }), rt::errInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { f->fraType.SetFocus(); }), rt::errInvalidProcedureCall);
    f->fraType.Visible = true;
    f->txtAmount.SetFocus();
    EXPECT_TRUE(f->txtAmount.hasFocus());

    // Out of the tab order is not out of reach.
    f->chkAll.TabStop = false;
    f->chkAll.SetFocus();
    EXPECT_TRUE(f->chkAll.hasFocus());

    auto unloaded = std::make_shared<formstest::EntryForm>();
    EXPECT_EQ(errorOf([&] { unloaded->txtName.SetFocus(); }), rt::errInvalidProcedureCall);
}

TEST_F(FormsTest, FocusEventsComeInOrderAndOnlyOnChange) {
    auto f = shownEntry();
    f->txtName.SetFocus();
    f->cboAccount.SetFocus();
    f->cboAccount.SetFocus();
    EXPECT_EQ(f->log, (std::vector<std::string>{"txtName_LostFocus", "cboAccount_GotFocus"}));
}

TEST_F(FormsTest, SpaceTogglesChecksAndSetsOptions) {
    auto f = shownEntry();
    f->chkAll.SetFocus();
    f->pressKey(vbKeySpace);
    EXPECT_EQ(f->chkAll.Value(), 1);
    f->pressKey(vbKeySpace);
    EXPECT_EQ(f->chkAll.Value(), 0);
    f->optCredit.SetFocus();
    f->pressKey(vbKeySpace);
    EXPECT_TRUE(f->optCredit.Value());
    EXPECT_FALSE(f->optDebit.Value());
}

} // namespace
