// The exchange-rate dialog on the demo database: the listed currencies, editing a rate, OK and Close.
#include "component/basJournal.h"
#include "forms/TextEdit.h"
#include "rates/frmExchangerate.h"
#include "support/DemoDb.h"
#include "support/Session.h"
#include "voucher/EditorLoad.h"
#include "voucher/frmJournal.h"

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
        Texts asked = {};
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
        {"no rates stored", " 1:2:", {{" 1", "US Dollar", " 0", " 2"}}, " 1:2:", {"Enter Exchange Rate"}},
        // The cash group's number is also the dollar's: the dollar keeps its rate.
        {"cash group 2", both, {dollar, dirham}, both, {}, "2"},
        {"no cash group", both, {dollar, dirham}, both, {}, "NULL"},
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
        EXPECT_EQ(testsupport::prompts(host), c.asked);
        EXPECT_EQ(d.loaded(), !c.asked.empty());
        if (d.loaded()) d.Unload();
    }
    EXPECT_TRUE(faults().empty());
}

TEST_F(RateDialogTest, CurrencyWithoutARateShowsZeroAndBlocksOk) {
    const std::string before = "1:2:5:-1:83.2:";
    frmExchangerate& d = open(before);
    ASSERT_EQ(rows(d), (std::vector<Texts>{{" 1", "US Dollar", " 83.2", " 2"}, {" 2", "Euro", " 0", " 5"}}));
    d.cmdOk.press();
    EXPECT_EQ(testsupport::prompts(host), Texts{"Enter Exchange Rate"});
    EXPECT_TRUE(d.loaded());
    EXPECT_EQ(ctx().GStrExchangeRates, before);
    EXPECT_EQ(d.mfgitem.Row(), 2);
    EXPECT_EQ(d.mfgitem.Col(), 2);
    EXPECT_TRUE(d.txter.Visible);
    EXPECT_TRUE(d.txter.hasFocus());

    // The release of the Enter that closed the message leaves the editor where it is.
    d.keyUp(forms::vbKeyReturn);
    EXPECT_EQ(d.mfgitem.Col(), 2);
    EXPECT_EQ(d.txter.Text(), "0");
    d.txter.selectAll();
    d.typeText("90.125");
    d.pressKey(forms::vbKeyReturn);
    EXPECT_EQ(d.mfgitem.Col(), 3);
    d.cmdOk.press();
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:5:-1:83.2:90.125:");
}

TEST_F(RateDialogTest, RateTypedInTheEditorIsStoredByOk) {
    frmExchangerate& d = open(" 1:2:3:-1:83.2:22.6:");
    d.mfgitem.setRow(2);
    d.mfgitem.setCol(2);
    ASSERT_TRUE(d.txter.Visible);
    EXPECT_EQ(d.txter.Text(), "22.6");
    d.txter.selectAll();
    d.typeText("2a3.-5"); // the toolkit lets only a number through
    d.typeText("1234567890");
    EXPECT_EQ(d.txter.Text(), "23.51234567"); // 8 decimals
    EXPECT_EQ(d.mfgitem.TextMatrix(2, 2), "23.51234567");
    editRate(d, 1, "12345678901234567");
    EXPECT_EQ(d.mfgitem.TextMatrix(1, 2), "123456789012345"); // 15 characters
    d.cmdOk.press();
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:3:-1:123456789012345:23.51234567:");

    // A small rate is written plain, never with an exponent, and converts as typed.
    frmExchangerate& small = open(" 1:3:-1:0.0000625:");
    editRate(small, 1, "0.00001250");
    small.cmdOk.press();
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:3:-1:0.0000125:");
    EXPECT_DOUBLE_EQ(idj::CrossRate(3, 1), 80000);
}

TEST_F(RateDialogTest, EnterLeavesTheRateColumnShiftEnterGoesToTheNameAndCloseDropsTheEdits) {
    frmExchangerate& d = open(" 1:2:3:-1:83.2:22.6:");
    editRate(d, 1, "84");
    d.pressKey(forms::vbKeyReturn);
    EXPECT_EQ(d.mfgitem.Col(), 3);
    EXPECT_FALSE(d.txter.Visible);
    EXPECT_EQ(d.mfgitem.TextMatrix(1, 2), "84");

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

    // Close drops the edits.
    d.cmdCancel.press();
    EXPECT_FALSE(d.loaded());
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:3:-1:83.2:22.6:");
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
    for (const auto& m : host.messages)
        EXPECT_NE(m.prompt, "Enter Exchange Rate"); // the grid is nothing to ask rates for
    EXPECT_EQ(ctx().GStrExchangeRates, rates);
}

TEST_F(RateDialogTest, VoucherThatCannotBeSavedShowsTheRatesWithOkDisabled) {
    ctx().GStrMasterNewEditFlag = "N";
    idj::frmJournal& j = idj::loadVoucherEditor(db.conn);
    ctx().GStrExchangeRates = " 1:4:-1:105.4:";
    std::vector<bool> okEnabled;
    std::vector<std::vector<Texts>> seen;
    host.onEveryShow("frmExchangerate", [&](forms::Form& f) {
        auto& d = static_cast<frmExchangerate&>(f);
        okEnabled.push_back(d.cmdOk.Enabled);
        seen.push_back(rows(d));
        editRate(d, 1, "110");
        d.cmdOk.press(); // ignored while disabled
    });
    j.cmdOK.Enabled = false;
    j.pressKey(forms::vbKeyF9);
    EXPECT_EQ(okEnabled, std::vector<bool>{false});
    EXPECT_EQ(seen, (std::vector<std::vector<Texts>>{{{" 1", "Pound Sterling", " 105.4", " 4"}}}));
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:4:-1:105.4:");

    j.cmdOK.Enabled = true;
    j.pressKey(forms::vbKeyF9);
    EXPECT_EQ(okEnabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:4:-1:110:");
}

TEST_F(RateDialogTest, PastedRatesAreTakenOnlyAsTheyCouldBeTyped) {
    frmExchangerate& d = open(" 1:2:3:-1:83.2:22.6:");
    d.mfgitem.setRow(1);
    d.mfgitem.setCol(2);
    ASSERT_TRUE(d.txter.Visible);
    for (const char* pasted : {"-83.2", "83.2abc", "6.25E-05", "0.000000001", "1234567890123456"}) {
        d.txter.selectAll();
        EXPECT_FALSE(forms::editText(d.txter, pasted)) << pasted;
        EXPECT_EQ(d.txter.Text(), "83.2") << pasted;
    }
    d.txter.selectAll();
    EXPECT_TRUE(forms::editText(d.txter, "0.0000625"));
    // Pasted with the mouse, so no key is released: OK still saves what the editor shows.
    d.cmdOk.Click();
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:3:-1:0.0000625:22.6:");
}

} // namespace
