// The department and account lists and what choosing an entry records.
#include "LineEditorFixture.h"

#include <algorithm>

namespace linetest {

using Names = std::vector<std::string>;

TEST_F(LineEditorTest, DepartmentListHoldsTheUsersDepartmentsInNameOrder) {
    open(true, [&](frmJournalDetails& w) {
        EXPECT_EQ(entries(w.cboDepartment),
                  (Names{"Dubai Branch", "Export Division", "Head Office", "London Branch"}));
    });
    openVoucher(demo::kClerk);
    open(true, [&](frmJournalDetails& w) {
        EXPECT_EQ(entries(w.cboDepartment), (Names{"Export Division", "Head Office"}));
        EXPECT_EQ(w.cboDepartment.ItemData(1), demo::kHeadOffice);
    });
    openVoucher(demo::kAuditor);
    open(true, [&](frmJournalDetails& w) { EXPECT_EQ(w.cboDepartment.ListCount(), 0); });
    EXPECT_TRUE(faults().empty());
}

TEST_F(LineEditorTest, ChoosingADepartmentBringsItsAccountsRateAndCurrency) {
    open(true, [&](frmJournalDetails& w) {
        EXPECT_EQ(ctx().GStrExchangeRates, "1:-1:");
        choose(w.cboDepartment, "Head Office");
        Names accounts = entries(w.cboAccountID);
        std::sort(accounts.begin(), accounts.end());
        // No cash, nothing inactive, no other department's control accounts.
        EXPECT_EQ(accounts, (Names{"Audit Fees", "Bank Charges", "Dubai Branch Control A/c",
                                   "Euro Supplier Advance", "Export Division Control A/c", "Freight Outward",
                                   "HDFC Bank Current A/c", "London Branch Control A/c", "Rent - Head Office",
                                   "Salaries & Wages - HO", "Telephone & Internet"}));
        EXPECT_EQ(w.lblAmount.Caption, "Amount(Rs.):");

        choose(w.cboAccountID, "Audit Fees");
        EXPECT_EQ(w.txtDescription.Text(), "Audit Fees");
        EXPECT_EQ(w.cboAccountID.ItemData(w.cboAccountID.ListIndex()), 5);
        w.txtDescription.setText("Audit fees for the half year");

        choose(w.cboDepartment, "Export Division");
        EXPECT_EQ(w.txtDescription.Text(), "");
        EXPECT_EQ(w.lblAmount.Caption, "Amount($):");
        EXPECT_EQ(voucher().strCurrencySymbol, "$");
        EXPECT_EQ(ctx().GStrExchangeRates, "1:2:-1:83.2:");
        EXPECT_GE(indexOf(w.cboAccountID, "Citibank USD A/c"), 0);

        // A currency already in the voucher keeps its rate; one without a rate adds nothing.
        choose(w.cboDepartment, "Head Office");
        choose(w.cboAccountID, "Euro Supplier Advance");
        EXPECT_EQ(ctx().GStrExchangeRates, "1:2:-1:83.2:");
        choose(w.cboDepartment, "London Branch");
        EXPECT_EQ(ctx().GStrExchangeRates, "1:2:4:-1:83.2:105.4:");
        EXPECT_EQ(w.lblAmount.Caption, "Amount(GBP):");
    });
    EXPECT_TRUE(faults().empty());
}

TEST_F(LineEditorTest, CompanyWithoutCashGroupListsItsCashAccounts) {
    db.exec("update ASETTINGS set CashGroupID = null where CompanyID = 1");
    open(true, [&](frmJournalDetails& w) {
        choose(w.cboDepartment, "Head Office");
        EXPECT_GE(indexOf(w.cboAccountID, "Cash - Head Office"), 0);
    });
}

TEST_F(LineEditorTest, UnreadableCurrencySymbolIsReportedAndKeepsTheLabel) {
    db.exec("update acurrencymaster set Symbol = null where CompanyID = 1 and currencyid = 2");
    open(true, [&](frmJournalDetails& w) {
        choose(w.cboDepartment, "Head Office");
        choose(w.cboDepartment, "Export Division");
        EXPECT_EQ(w.lblAmount.Caption, "Amount(Rs.):");
        // The accounts and the rate were in place before the failing step.
        EXPECT_GE(indexOf(w.cboAccountID, "Export Sales"), 0);
        EXPECT_EQ(ctx().GStrExchangeRates, "1:2:-1:83.2:");
    });
    ASSERT_EQ(faults().size(), 1u);
    EXPECT_EQ(faults()[0].substr(0, 20), "cboDepartment_Click:");
}

} // namespace linetest
