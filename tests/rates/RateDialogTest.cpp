// The exchange-rate dialog on the demo database: the listed currencies, editing a rate, OK and Close.
#include "component/basJournal.h"
#include "forms/TextEdit.h"
#include "rates/frmExchangerate.h"
#include "support/Session.h"
#include "voucher/EditorLoad.h"
#include "voucher/frmJournal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using idj::ctx;
using idj::frmExchangerate;
using Texts = std::vector<std::string>;
namespace demo = db::demo;

class RateDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        forms::setHost(&host);
        testsupport::startSession(db, demo::kAdmin, demo::kHeadOffice);
    }
    void TearDown() override {
        if (frmExchangerate::exists()) frmExchangerate::instance().Unload();
        if (idj::frmJournal::exists()) {
            idj::frmJournal::instance().Tag.clear();
            idj::frmJournal::instance().Unload();
        }
        services::setSuiteConnection(nullptr);
        forms::setHost(nullptr);
    }

    frmExchangerate& open(const std::string& rates) {
        ctx().GStrExchangeRates = rates;
        frmExchangerate& d = frmExchangerate::instance();
        d.adocon = db.conn;
        d.Load();
        return d;
    }
    static std::vector<Texts> rows(const frmExchangerate& d) {
        std::vector<Texts> out;
        for (int r = 1; r < d.mfgitem.Rows(); ++r) {
            Texts row;
            for (int c = 0; c < d.mfgitem.Cols(); ++c)
                row.push_back(d.mfgitem.TextMatrix(r, c));
            out.push_back(row);
        }
        return out;
    }
    static void editRate(frmExchangerate& d, int row, const std::string& typed) {
        d.mfgitem.setRow(row);
        d.mfgitem.setCol(2);
        d.txter.selectAll();
        d.typeText(typed);
    }
    Texts faults() {
        return db.texts("select ModuleName || '.' || RoutineName from aFaultLog order by FaultID");
    }

    testsupport::DemoDb db;
    forms::ScriptedHost host;
};

TEST_F(RateDialogTest, ListsTheCompanysCurrenciesAndOkWritesThemBack) {
    const Texts dollar{" 1", "US Dollar", " 83.2", " 2"}, dirham{" 2", "UAE Dirham", " 22.6", " 3"};
    const std::string both = " 1:2:3:-1:83.2:22.6:";
    struct Case {
        const char* what;
        std::string rates;
        std::vector<Texts> listed;
        std::string written;
        const char* cashGroup = "1";
    };
    const Case cases[] = {
        {"as written", both, {dollar, dirham}, both},
        {"base in the middle, unknown currency, no blank", "2:9:1:3:-83.2:7:1:22.6:", {dollar, dirham}, both},
        {"nothing listed", "", {}, ""},
        {"the base alone", "1:-1:", {}, "1:-1:"},
        // A stored text that would widen the currency query if it were pasted in.
        {"not whole numbers", "2:3) or (1=1:0x4:4.5:-83.2:1:1:1:", {dollar}, " 1:2:-1:83.2:"},
        {"small rate",
         " 1:3:-1:0.0000625:",
         {{" 1", "UAE Dirham", " 0.0000625", " 3"}},
         " 1:3:-1:0.0000625:"},
        // The cash group's number is also the dollar's: the dollar keeps its rate.
        {"cash group 2", both, {dollar, dirham}, both, "2"},
        {"no cash group", both, {dollar, dirham}, both, "NULL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.messages.clear();
        db.exec(std::string("update asettings set CashGroupID=") + c.cashGroup + " where companyid=1");
        frmExchangerate& d = open(c.rates);
        EXPECT_EQ(rows(d), c.listed);
        EXPECT_FALSE(d.txter.Visible);
        EXPECT_EQ(forms::screen().MousePointer, forms::vbDefault);
        d.cmdOk.press();
        EXPECT_EQ(ctx().GStrExchangeRates, c.written);
        EXPECT_EQ(testsupport::prompts(host), Texts{});
        EXPECT_FALSE(d.loaded());
    }
    EXPECT_TRUE(faults().empty());
}

TEST_F(RateDialogTest, EditingRatesByKeysAndMovingOnThenCloseDropsTheEdits) {
    frmExchangerate& d = open(" 1:2:3:-1:83.2:22.6:");
    d.mfgitem.setRow(2);
    d.mfgitem.setCol(2);
    ASSERT_TRUE(d.txter.Visible);
    EXPECT_EQ(d.txter.Text(), "22.6");
    d.txter.selectAll();
    d.typeText("2a3.-5"); // the toolkit lets only a number through
    d.typeText("1234567890");
    EXPECT_EQ(d.txter.Text() + "|" + d.mfgitem.TextMatrix(2, 2), "23.51234567|23.51234567"); // 8 decimals
    // Enter leaves the rate column, Shift+Enter goes back to the name.
    editRate(d, 1, "12345678901234567");
    d.pressKey(forms::vbKeyReturn);
    EXPECT_EQ(d.mfgitem.Col(), 3);
    EXPECT_FALSE(d.txter.Visible);
    EXPECT_EQ(d.mfgitem.TextMatrix(1, 2), "123456789012345"); // 15 characters
    editRate(d, 2, "23");
    d.pressKey(forms::vbKeyReturn, forms::vbShiftMask);
    EXPECT_EQ(d.mfgitem.Col(), 1);
    EXPECT_FALSE(d.txter.Visible);
    EXPECT_EQ(d.mfgitem.TextMatrix(2, 2), "23");
    // Coming back to the grid over a rate cell brings the editor back with its text.
    d.mfgitem.setCol(2);
    d.cmdCancel.SetFocus();
    d.mfgitem.SetFocus();
    EXPECT_TRUE(d.txter.hasFocus());
    EXPECT_EQ(d.txter.Text(), "23");
    d.mfgitem.Scroll();
    EXPECT_EQ(d.mfgitem.Col(), 0);
    EXPECT_FALSE(d.txter.Visible);
    d.cmdCancel.press();
    EXPECT_FALSE(d.loaded());
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:3:-1:83.2:22.6:");
}

TEST_F(RateDialogTest, CurrencyWithoutARateBlocksOkUntilOneIsTypedOrPasted) {
    frmExchangerate& d = open("1:2:3:5:-1:83.2:22.6:");
    ASSERT_EQ(rows(d), (std::vector<Texts>{{" 1", "US Dollar", " 83.2", " 2"},
                                           {" 2", "UAE Dirham", " 22.6", " 3"},
                                           {" 3", "Euro", " 0", " 5"}}));
    d.cmdOk.press();
    EXPECT_EQ(testsupport::prompts(host), Texts{"Enter Exchange Rate"});
    EXPECT_TRUE(d.loaded());
    EXPECT_EQ(ctx().GStrExchangeRates, "1:2:3:5:-1:83.2:22.6:");
    EXPECT_EQ(d.mfgitem.Row() * 10 + d.mfgitem.Col(), 32);
    EXPECT_TRUE(d.txter.Visible && d.txter.hasFocus());
    // The release of the Enter that closed the message leaves the editor where it is.
    d.keyUp(forms::vbKeyReturn);
    EXPECT_EQ(d.mfgitem.Col(), 2);
    EXPECT_EQ(d.txter.Text(), "0");
    editRate(d, 3, "90.125");
    d.pressKey(forms::vbKeyReturn);
    EXPECT_EQ(d.mfgitem.Col(), 3);
    editRate(d, 2, "0.00001250");

    // Pasted text is taken only as it could be typed.
    d.mfgitem.setRow(1);
    d.mfgitem.setCol(2);
    for (const char* pasted : {"-83.2", "83.2abc", "6.25E-05", "0.000000001", "1234567890123456"}) {
        d.txter.selectAll();
        EXPECT_FALSE(forms::editText(d.txter, pasted)) << pasted;
        EXPECT_EQ(d.txter.Text(), "83.2") << pasted;
    }
    d.txter.selectAll();
    EXPECT_TRUE(forms::editText(d.txter, "0.0000625"));
    // Pasted with the mouse, so no key is released: OK still saves what the editor shows.
    d.cmdOk.Click();
    EXPECT_EQ(host.messages.size(), 1u);
    // Small rates are written plain, never with an exponent, and convert as typed.
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:3:5:-1:0.0000625:0.0000125:90.125:");
    EXPECT_DOUBLE_EQ(idj::CrossRate(3, 1), 80000);
}

TEST_F(RateDialogTest, AfterAFailedLoadOkLeavesTheRatesAlone) {
    open(" 1:2:3:-1:83.2:22.6:").cmdCancel.press(); // an earlier opening that went well

    const std::string rates = " 1:4:-1:105.4:";
    ctx().GStrExchangeRates = rates;
    frmExchangerate& d = frmExchangerate::instance();
    d.adocon = nullptr; // opened without the voucher's connection
    d.Load();
    EXPECT_EQ(faults(), Texts{"frmExchangerate.Form_Load"});
    EXPECT_EQ(forms::screen().MousePointer, forms::vbDefault);
    if (d.mfgitem.Rows() > 1) editRate(d, 1, "5");
    d.cmdOk.press();
    EXPECT_FALSE(d.loaded());
    EXPECT_THAT(testsupport::prompts(host), testing::Not(testing::Contains("Enter Exchange Rate")))
        << "the grid is nothing to ask rates for";
    EXPECT_EQ(ctx().GStrExchangeRates, rates);
}

TEST_F(RateDialogTest, VoucherThatCannotBeSavedShowsTheRatesWithOkDisabled) {
    ctx().GStrMasterNewEditFlag = "N";
    idj::frmJournal& j = idj::loadVoucherEditor(db.conn);
    ctx().GStrExchangeRates = " 1:4:-1:105.4:";
    std::vector<bool> okEnabled;
    host.onEveryShow("frmExchangerate", [&](forms::Form& f) {
        auto& d = static_cast<frmExchangerate&>(f);
        okEnabled.push_back(d.cmdOk.Enabled);
        EXPECT_EQ(rows(d), (std::vector<Texts>{{" 1", "Pound Sterling", " 105.4", " 4"}}));
        editRate(d, 1, "110");
        d.cmdOk.press(); // ignored while disabled
    });
    j.cmdOK.Enabled = false;
    j.pressKey(forms::vbKeyF9);
    EXPECT_EQ(okEnabled, std::vector<bool>{false});
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:4:-1:105.4:");

    j.cmdOK.Enabled = true;
    j.pressKey(forms::vbKeyF9);
    EXPECT_EQ(okEnabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:4:-1:110:");
}

TEST_F(RateDialogTest, ARateTypedOnReachingItsCellReplacesTheOldOne) {
    frmExchangerate& d = open(" 1:2:3:-1:83.2:22.6:");
    d.mfgitem.setRow(1);
    d.mfgitem.setCol(2);
    ASSERT_TRUE(d.txter.hasFocus());
    d.typeText("84.5");
    d.mfgitem.setRow(2); // by the arrow key
    d.typeText("21");
    d.cmdOk.press();
    EXPECT_FALSE(d.loaded());
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:3:-1:84.5:21:");
}

} // namespace
