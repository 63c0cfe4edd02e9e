// The exchange-rate dialog on the demo database: the listed currencies, editing a rate, OK and Close.
#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "component/basJournal.h"
#include "db/Seeder.h"
#include "forms/ScriptedHost.h"
#include "rates/frmExchangerate.h"
#include "services/SuiteConnection.h"
#include "support/DemoDb.h"
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
        testsupport::resetContext(demo::kCompany, demo::kAdmin, demo::kCurrentYear, demo::kHeadOffice);
        ctx().strFunctionRights = "NEDUPI";
        ctx().objPainter = automation::CreateObject("Paintkit.clsPainter");
        ctx().objActivityLog = automation::CreateObject("ActivityLog.clsActivityLog");
        idj::FrmMaster::instance().adocon = db.conn;
        services::setSuiteConnection(db.conn);
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
        Texts out;
        auto rs = db.conn->Execute("select ModuleName || '.' || RoutineName from aFaultLog order by FaultID");
        for (; !rs->eof(); rs->MoveNext())
            out.push_back(rt::TextOf((*rs)[0]));
        rs->Close();
        return out;
    }

    testsupport::DemoDb db;
    forms::ScriptedHost host;
};

TEST_F(RateDialogTest, ListsTheCurrenciesBesideTheBaseNumberedFromOne) {
    frmExchangerate& d = open(" 1:2:3:-1:83.2:22.6:");
    EXPECT_EQ(d.Caption, "Exchange Rates");
    EXPECT_EQ(rows(d),
              (std::vector<Texts>{{" 1", "US Dollar", " 83.2", " 2"}, {" 2", "UAE Dirham", " 22.6", " 3"}}));
    Texts headings;
    for (int c = 0; c < 4; ++c) {
        headings.push_back(d.mfgitem.TextMatrix(0, c));
        EXPECT_TRUE(d.mfgitem.cellFontBold(0, c)) << c;
        EXPECT_FALSE(d.mfgitem.cellFontBold(1, c)) << c;
    }
    EXPECT_EQ(headings, (Texts{"Sl. No", "Currency Name", "Ex. Rate", "Currencyid"}));
    EXPECT_EQ((std::vector<int>{d.mfgitem.ColWidth(0), d.mfgitem.ColWidth(1), d.mfgitem.ColWidth(2),
                                d.mfgitem.ColWidth(3)}),
              (std::vector<int>{625, 2000, 1250, 0}));
    EXPECT_EQ(d.mfgitem.ColAlignment(0), forms::flexAlignRightCenter);
    EXPECT_EQ(d.mfgitem.ColAlignment(1), forms::flexAlignLeftCenter);
    EXPECT_EQ(d.mfgitem.ColAlignment(2), forms::flexAlignRightCenter);
    EXPECT_FALSE(d.txter.Visible);
    EXPECT_EQ(forms::screen().MousePointer, forms::vbDefault);
    EXPECT_TRUE(faults().empty());
}

TEST_F(RateDialogTest, OkWithoutChangesRewritesTheTextFromTheListedCurrencies) {
    // The base in the middle, an identifier the company does not have, no leading blank.
    open("2:9:1:3:-83.2:7:1:22.6:").cmdOk.press();
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:3:-1:83.2:22.6:");
    EXPECT_FALSE(frmExchangerate::instance().loaded());
}

TEST_F(RateDialogTest, CurrencyWithoutARateShowsZeroAndBlocksOk) {
    const std::string before = "1:2:5:-1:83.2:";
    frmExchangerate& d = open(before);
    ASSERT_EQ(rows(d), (std::vector<Texts>{{" 1", "US Dollar", " 83.2", " 2"}, {" 2", "Euro", " 0", " 5"}}));
    d.cmdOk.press();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].prompt, "Enter Exchange Rate");
    EXPECT_EQ(host.messages[0].title, "Accounts Suite");
    EXPECT_EQ(host.messages[0].buttons, forms::vbInformation);
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
    EXPECT_EQ(d.txter.Left, d.mfgitem.Left + 625 + 2000);
    EXPECT_EQ(d.txter.Width, 1250 + 10);
    d.txter.selectAll();
    d.typeText("2a3.-5"); // the toolkit lets only a number through
    d.typeText("1234567890");
    EXPECT_EQ(d.txter.Text(), "23.51234567"); // 8 decimals
    EXPECT_EQ(d.mfgitem.TextMatrix(2, 2), "23.51234567");
    editRate(d, 1, "12345678901234567");
    EXPECT_EQ(d.mfgitem.TextMatrix(1, 2), "123456789012345"); // 15 characters
    d.cmdOk.press();
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:3:-1:123456789012345:23.51234567:");
}

TEST_F(RateDialogTest, EnterLeavesTheRateColumnAndShiftEnterGoesToTheName) {
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
}

TEST_F(RateDialogTest, CloseAfterEditingKeepsTheText) {
    const std::string before = " 1:2:3:-1:83.2:22.6:";
    frmExchangerate& d = open(before);
    editRate(d, 1, "99");
    d.pressKey(forms::vbKeyReturn);
    d.cmdCancel.press();
    EXPECT_FALSE(d.loaded());
    EXPECT_EQ(ctx().GStrExchangeRates, before);
}

TEST_F(RateDialogTest, NothingListedWritesNothing) {
    frmExchangerate& d = open("");
    EXPECT_EQ(d.mfgitem.Rows(), 1);
    d.cmdOk.press();
    EXPECT_FALSE(d.loaded());
    EXPECT_EQ(ctx().GStrExchangeRates, "");

    open("1:-1:").cmdOk.press(); // the base alone
    EXPECT_EQ(ctx().GStrExchangeRates, "1:-1:");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RateDialogTest, OnlyWholeNumbersReachTheCurrencyQuery) {
    // A stored text that would widen the query if it were pasted in.
    const std::string hostile = "2:3) or (1=1:0x4:4.5:-83.2:1:1:1:";
    frmExchangerate& d = open(hostile);
    EXPECT_EQ(rows(d), (std::vector<Texts>{{" 1", "US Dollar", " 83.2", " 2"}}));
    EXPECT_TRUE(faults().empty());
    d.cmdOk.press();
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:-1:83.2:");
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

TEST_F(RateDialogTest, TheBaseEntryIsTheCompanysCurrencyWhateverTheCashGroup) {
    // Cash group 2 is also the US dollar's number: the dollar must keep its rate.
    db.exec("update asettings set CashGroupID=2 where companyid=1");
    frmExchangerate& d = open(" 1:2:3:-1:83.2:22.6:");
    EXPECT_EQ(rows(d),
              (std::vector<Texts>{{" 1", "US Dollar", " 83.2", " 2"}, {" 2", "UAE Dirham", " 22.6", " 3"}}));
    d.cmdOk.press();
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:3:-1:83.2:22.6:");

    // A company without a cash group loads all the same.
    db.exec("update asettings set CashGroupID=NULL where companyid=1");
    open(" 1:2:3:-1:83.2:22.6:").cmdOk.press();
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:3:-1:83.2:22.6:");
    EXPECT_TRUE(faults().empty());
}

TEST_F(RateDialogTest, SmallRatesAreShownAndWrittenWithoutExponent) {
    frmExchangerate& d = open(" 1:3:-1:0.0000625:");
    EXPECT_EQ(rows(d), (std::vector<Texts>{{" 1", "UAE Dirham", " 0.0000625", " 3"}}));
    d.cmdOk.press();
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:3:-1:0.0000625:");
    EXPECT_DOUBLE_EQ(idj::CrossRate(3, 1), 16000);

    frmExchangerate& again = open(" 1:3:-1:0.0000625:");
    editRate(again, 1, "0.00001250");
    again.cmdOk.press();
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:3:-1:0.0000125:");
    EXPECT_DOUBLE_EQ(idj::CrossRate(3, 1), 80000);
}

TEST_F(RateDialogTest, AStoredTextWithoutRatesListsItsCurrenciesToBeRated) {
    frmExchangerate& d = open(" 1:2:");
    EXPECT_EQ(rows(d), (std::vector<Texts>{{" 1", "US Dollar", " 0", " 2"}}));
    d.cmdOk.press();
    EXPECT_EQ(host.messages.size(), 1u); // "Enter Exchange Rate"
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:");
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

} // namespace
