// The line editor's department and account lists, and what choosing an entry records.
#include "lines/frmJournalDetails.h"

#include "automation/Automation.h"
#include "component/Context.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "voucher/frmJournal.h"

#include <string>

namespace idj {

namespace {
std::string company() {
    return std::to_string(ctx().intCompanyID);
}
} // namespace

void frmJournalDetails::fillDepartments() {
    // Without a filter the condition would read "and DepartmentID order by" and offer every
    // department of the company: no filter means no department.
    std::string filter =
        ctx().GStrUserDepartments.empty() ? std::string(" IN (0)") : ctx().GStrUserDepartments;
    setTable("adepartmentmaster");
    automation::callv(
        objDataAccess_, "populatecomboorlist", cboDepartment.ref(), "DepartmentID", "DepartmentName",
        "CompanyID = " + company() + " and DepartmentID " + filter + " order by DepartmentName");
}

void frmJournalDetails::cboDepartment_Click() {
    frmJournal& voucher = frmJournal::instance();
    if (cboDepartment.ListIndex() != -1) {
        int32_t id = cboDepartment.ItemData(cboDepartment.ListIndex());
        std::string depId = std::to_string(id);

        // Active accounts of the department that are not control accounts, without the cash group.
        setTable("AACCOUNTMASTER a,vwnoncontrolaccounts nca, agroupmaster g");
        automation::callv(
            objDataAccess_, "populatecomboorlist", cboAccountID.ref(), "a.AccountID", "a.AccountDesc",
            "a.groupid<> " + std::string(" (select isnull(cashgroupID,0) from asettings where ") +
                " CompanyID=" + company() + ") and g.groupid = a.groupid and g.companyid = " +
                " a.companyid and a.active=1 and nca.companyid=a.companyid and " +
                " nca.accountid= a.accountid and nca.dadepartmentid=" + depId);

        ctx().GStrExchangeRates = AddPartyRate(ctx().GStrExchangeRates, "D", id);

        // The amount is read in the department's currency.
        voucher.strCurrencySymbol = currencySymbolOf(id);
    }
    lblAmount.Caption = "Amount(" + voucher.strCurrencySymbol + "):";
    lblAmount.touch();
    // After the list was rebuilt the account box is normally empty, so this clears the description.
    txtDescription.setText(cboAccountID.Text());
}

std::string frmJournalDetails::currencySymbolOf(int32_t departmentId) {
    setTable("adepartmentmaster a ,aCurrencyMaster b");
    int16_t currencyId =
        rt::CInt(returnField("b.CurrencyID", "a.DepartmentID=" + std::to_string(departmentId) + " and" +
                                                 " a.depcurrencyid=CurrencyID and "
                                                 "b.CompanyID=a.companyid and " +
                                                 " b.CompanyID= " + company()));
    setTable("acurrencymaster");
    return rt::CStr(
        returnField("Symbol", "currencyid=" + std::to_string(currencyId) + " and CompanyID= " + company()));
}

void frmJournalDetails::cboAccountID_Click() {
    if (cboAccountID.ListIndex() == -1) return;
    int32_t id = cboAccountID.ItemData(cboAccountID.ListIndex());
    ctx().GStrExchangeRates = AddPartyRate(ctx().GStrExchangeRates, "A", id);
    txtDescription.setText(cboAccountID.Text());
}

} // namespace idj
