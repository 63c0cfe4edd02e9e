// The checks before a voucher is saved, in their order. The first that fails shows its
// message, puts the focus where the user corrects it and stops the save; nothing is written.
#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "component/GridColumns.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "voucher/frmJournal.h"

#include <cmath>

namespace idj {

namespace {

bool refuse(const std::string& message, int icon, forms::Control* focus = nullptr) {
    forms::MsgBox(message, icon, ctx().strMsgboxCaption);
    if (focus && focus->canFocus()) focus->SetFocus();
    return false;
}

double roundedTotal(double total) {
    return rt::Val(rt::Format(total, "########0.00"));
}

} // namespace

int32_t frmJournal::editedVoucherId() const {
    const forms::FlexGrid& g = FrmMaster::instance().GrdMaster;
    // A number, so that only digits reach the SQL text.
    return rt::CLng(rt::Variant(g.TextMatrix(g.Row(), 0)));
}

bool frmJournal::checksPass(const rt::ObjectPtr& objData) {
    if (ctx().GStrMasterNewEditFlag == "E" && storedVoucherPosted(objData))
        return refuse("The transaction has posted to the Journal. Please cancel post to edit",
                      forms::vbCritical);
    if (!yearAccepted() || !packageDateAccepted(objData)) return false;
    // From here on the module works in the year of the voucher date, even if a later check refuses.
    takeYearOfDate(objData);
    return contentsPass();
}

bool frmJournal::storedVoucherPosted(const rt::ObjectPtr& objData) const {
    automation::let(objData, "strTableName", "InterDivisionJournalTransHeader");
    const rt::Variant posted = automation::callv(objData, "fnreturnfield", "Posted",
                                                 "JournalTransID='" + std::to_string(editedVoucherId()) +
                                                     "' and companyid=" + std::to_string(ctx().intCompanyID));
    return rt::CBool(posted);
}

bool frmJournal::yearAccepted() {
    const std::string date = rt::toYmd(dtpJournalDate.Value());
    auto period = ado::Recordset::create();
    if (ctx().GStrMasterNewEditFlag == "E") {
        // A stored voucher moves only within the year it was saved in.
        period->Open("Select vw.financialid from vwfinyearperiod vw, InterDivisionJournalTransHeader jh "
                     "where jh.financialid=vw.financialid and jh.journaltransid = " +
                         std::to_string(editedVoucherId()) +
                         " and jh.companyid=" + std::to_string(ctx().intCompanyID) + " and '" + date +
                         "' between vw.sdate and vw.edate ",
                     adocon, ado::adOpenKeyset, ado::adLockOptimistic);
        const bool held = !period->eof();
        period->Close();
        return held || refuse("Date entered should be in the same financial year", forms::vbInformation,
                              &dtpJournalDate);
    }

    period->Open(
        "Select af.financialid from vwfinyearperiod vw, afinancialyear af "
        "where '" +
            date +
            "' between sdate and edate and vw.financialid = af.financialid and af.curfinancialyear<>1 ",
        adocon, ado::adOpenStatic, ado::adLockOptimistic);
    if (!period->eof()) {
        const std::string otherYear = rt::CStr((*period)["FinancialID"]);
        period->Close();
        return otherYearAccepted(otherYear);
    }
    period->Close();
    period->Open("Select financialid from vwfinyearperiod vw "
                 "where '" +
                     date + "' between sdate and edate and financialid>0",
                 adocon, ado::adOpenKeyset, ado::adLockOptimistic);
    const bool inSomeYear = !period->eof();
    period->Close();
    return inSomeYear || refuse("Date entered should be in any of the financial year", forms::vbInformation,
                                &dtpJournalDate);
}

bool frmJournal::otherYearAccepted(const std::string& financialId) {
    const Context& c = ctx();
    automation::let(objDataAccess_, "strTableName", "auserrights");
    const rt::Variant rights =
        automation::callv(objDataAccess_, "fnreturnfield", "FunctionRights",
                          " userid=" + std::to_string(c.intuserid) + " and " +
                              " interfaceid= " + std::to_string(kOutsideYearInterfaceId));
    if (rt::TextOf(rights).empty())
        return refuse("Date entered should be in current financial year", forms::vbInformation,
                      &dtpJournalDate);

    // Opening balances of a later year mean this one is closed.
    automation::let(objDataAccess_, "strTableName", "aaccountfinyearopening");
    const rt::Variant later =
        automation::callv(objDataAccess_, "fnreturnfield", "count(*)", " financialid>" + financialId);
    if (rt::CLng(later) > 0)
        return refuse("Date entered should not be in closed financial year", forms::vbInformation,
                      &dtpJournalDate);

    const int answer = forms::MsgBox("Date entered does not fall in the current financial year\r\n"
                                     "Do you want to continue ?",
                                     forms::vbYesNo + forms::vbInformation, c.strMsgboxCaption);
    if (answer != forms::vbNo) return true;
    if (dtpJournalDate.canFocus()) dtpJournalDate.SetFocus();
    return false;
}

bool frmJournal::packageDateAccepted(const rt::ObjectPtr& objData) {
    // Dates before the package date are refused.
    automation::let(objData, "strTableName", "apackagesettings");
    const rt::Variant packageDate = automation::callv(objData, "fnreturnfield", "packagedate");
    if (packageDate.isNull() || packageDate.isEmpty() ||
        rt::dateOnly(dtpJournalDate.Value()) >= rt::dateOnly(rt::CDate(packageDate)))
        return true;
    return refuse("Date should not be greater than package date ", forms::vbInformation, &dtpJournalDate);
}

void frmJournal::takeYearOfDate(const rt::ObjectPtr& objData) {
    const std::string date = rt::toYmd(dtpJournalDate.Value());
    automation::let(objData, "strTableName", "vwfinyearperiod");
    const rt::Variant year =
        automation::callv(objData, "fnreturnfield", "financialid", " '" + date + "' between sdate and edate");
    if (year.isEmpty()) rt::raise(rt::errNoCurrentRecord, "frmJournal", "No financial year holds " + date);
    ctx().intFinancialID = rt::CInt(year);
}

bool frmJournal::contentsPass() {
    if (txtRemarks.Text().empty()) return refuse("Remarks not entered", forms::vbInformation, &txtRemarks);
    if (lvwJournal.Count() == 0) return refuse("Journal details not entered", forms::vbInformation);
    return totalsTally();
}

bool frmJournal::totalsTally() {
    double debit = 0, credit = 0;
    for (int i = 1; i <= lvwJournal.Count(); ++i) {
        debit += rt::Val(lvwJournal.Item(i).SubItem(kLineDebit));
        credit += rt::Val(lvwJournal.Item(i).SubItem(kLineCredit));
    }
    if (!std::isfinite(debit) || !std::isfinite(credit))
        return refuse("Total amount is too large", forms::vbCritical);
    if (roundedTotal(debit) != roundedTotal(credit))
        return refuse("Transaction amount should be tallied", forms::vbCritical);
    return true;
}

} // namespace idj
