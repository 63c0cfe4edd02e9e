// Saving a voucher: the checks in their order, then header and lines in one transaction.
#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "voucher/frmJournal.h"

#include <cmath>
#include <map>

namespace idj {

namespace {

std::string gridVoucherId() {
    forms::FlexGrid& g = FrmMaster::instance().GrdMaster;
    return g.TextMatrix(g.Row(), 0);
}

// A failed check: its message, the focus where the user corrects it, and no save.
bool refuse(const std::string& message, int icon, forms::Control* focus = nullptr) {
    forms::MsgBox(message, icon, ctx().strMsgboxCaption);
    if (focus && focus->canFocus()) focus->SetFocus();
    return false;
}

double roundedTotal(double total) {
    return rt::Val(rt::Format(total, "########0.00"));
}

} // namespace

void frmJournal::cmdOK_Click() {
    try {
        rt::ObjectPtr objData = automation::CreateObject("BaseServices.clsDataAccess");
        automation::set(objData, "adocon", browserConnection());
        MousePointer = forms::vbHourglass;
        if (checksPass(objData)) saveVoucher();
        MousePointer = forms::vbDefault;
    } catch (const rt::Error& e) {
        // Nothing of a failed save stays half-written; the window stays open for another try.
        if (adocon && adocon->TransactionLevel() > 0) adocon->RollbackTrans();
        reportTrapped("frmJournal ", "cmdOk_Click ", e);
        MousePointer = forms::vbDefault;
    }
}

bool frmJournal::checksPass(const rt::ObjectPtr& objData) {
    Context& c = ctx();
    const std::string company = std::to_string(c.intCompanyID);
    const std::string date = rt::toYmd(dtpJournalDate.Value());
    const bool editing = c.GStrMasterNewEditFlag == "E";

    if (editing) {
        automation::let(objData, "strTableName", "InterDivisionJournalTransHeader");
        rt::Variant posted =
            automation::callv(objData, "fnreturnfield", "Posted",
                              "JournalTransID='" + gridVoucherId() + "' and companyid=" + company);
        if (rt::CBool(posted))
            return refuse("The transaction has posted to the Journal. Please cancel post to edit",
                          forms::vbCritical);
    }

    auto period = ado::Recordset::create();
    if (editing) {
        period->Open("Select vw.financialid from vwfinyearperiod vw, InterDivisionJournalTransHeader jh "
                     "where jh.financialid=vw.financialid and jh.journaltransid = " +
                         gridVoucherId() + " and jh.companyid=" + company + " and '" + date +
                         "' between vw.sdate and vw.edate ",
                     adocon, ado::adOpenKeyset, ado::adLockOptimistic);
        if (period->eof()) {
            period->Close();
            return refuse("Date entered should be in the same financial year", forms::vbInformation,
                          &dtpJournalDate);
        }
    } else {
        period->Open(
            "Select af.financialid from vwfinyearperiod vw, afinancialyear af "
            "where '" +
                date +
                "' between sdate and edate and vw.financialid = af.financialid and af.curfinancialyear<>1 ",
            adocon, ado::adOpenStatic, ado::adLockOptimistic);
        if (period->eof()) {
            period->Close();
            period->Open("Select financialid from vwfinyearperiod vw "
                         "where '" +
                             date + "' between sdate and edate and financialid>0",
                         adocon, ado::adOpenKeyset, ado::adLockOptimistic);
            if (period->eof()) {
                period->Close();
                return refuse("Date entered should be in any of the financial year", forms::vbInformation,
                              &dtpJournalDate);
            }
        } else {
            // A year other than the current one: the right to enter there, an open year, and the user's word.
            automation::let(objDataAccess_, "strTableName", "auserrights");
            rt::Variant rights =
                automation::callv(objDataAccess_, "fnreturnfield", "FunctionRights",
                                  " userid=" + std::to_string(c.intuserid) + " and " +
                                      " interfaceid= " + std::to_string(kOutsideYearInterfaceId));
            if (rt::TextOf(rights).empty()) {
                period->Close();
                return refuse("Date entered should be in current financial year", forms::vbInformation,
                              &dtpJournalDate);
            }
            automation::let(objDataAccess_, "strTableName", "aaccountfinyearopening");
            rt::Variant later = automation::callv(objDataAccess_, "fnreturnfield", "count(*)",
                                                  " financialid>" + rt::CStr((*period)["FinancialID"]));
            if (rt::CLng(later) > 0) {
                period->Close();
                return refuse("Date entered should not be in closed financial year", forms::vbInformation,
                              &dtpJournalDate);
            }
            int answer = forms::MsgBox("Date entered does not fall in the current financial year\r\n"
                                       "Do you want to continue ?",
                                       forms::vbYesNo + forms::vbInformation, c.strMsgboxCaption);
            if (answer == forms::vbNo) {
                period->Close();
                if (dtpJournalDate.canFocus()) dtpJournalDate.SetFocus();
                return false;
            }
        }
    }
    period->Close();

    // Dates before the package date are refused.
    automation::let(objData, "strTableName", "apackagesettings");
    rt::Variant packageDate = automation::callv(objData, "fnreturnfield", "packagedate");
    if (!packageDate.isNull() && !packageDate.isEmpty() &&
        rt::dateOnly(dtpJournalDate.Value()) < rt::dateOnly(rt::CDate(packageDate)))
        return refuse("Date should not be greater than package date ", forms::vbInformation, &dtpJournalDate);

    automation::let(objData, "strTableName", "vwfinyearperiod");
    rt::Variant year =
        automation::callv(objData, "fnreturnfield", "financialid", " '" + date + "' between sdate and edate");
    if (year.isEmpty()) rt::raise(rt::errNoCurrentRecord, "frmJournal", "No financial year holds " + date);
    c.intFinancialID = rt::CInt(year);

    if (txtRemarks.Text().empty()) return refuse("Remarks not entered", forms::vbInformation, &txtRemarks);
    if (lvwJournal.Count() == 0) return refuse("Journal details not entered", forms::vbInformation);

    double debit = 0, credit = 0;
    for (int i = 1; i <= lvwJournal.Count(); ++i) {
        debit += rt::Val(lvwJournal.Item(i).SubItem(4));
        credit += rt::Val(lvwJournal.Item(i).SubItem(5));
    }
    if (!std::isfinite(debit) || !std::isfinite(credit))
        return refuse("Total amount is too large", forms::vbCritical);
    if (roundedTotal(debit) != roundedTotal(credit))
        return refuse("Transaction amount should be tallied", forms::vbCritical);
    return true;
}

void frmJournal::saveVoucher() {
    Context& c = ctx();
    const std::string company = std::to_string(c.intCompanyID);
    const std::string type = voucherType();
    const bool editing = c.GStrMasterNewEditFlag == "E";

    // The write lock is taken at once, so numbering and insert are not interleaved with another user's save.
    adocon->BeginTransImmediate();

    const int16_t companyCurrency = PartyCurrency("Z", c.intCompanyID);
    const double exchangeRate = CrossRate(PartyCurrency("D", c.intdepartmentid), companyCurrency);
    const std::string rates = rt::Trim(c.GStrExchangeRates);

    int32_t id = 0;
    if (!editing) {
        if (!GenerateJournalNo()) {
            // Already reported; a voucher under a stale number must not be stored.
            adocon->RollbackTrans();
            return;
        }
        txtJournalNo.setText(journalNo());
        auto next =
            adocon->Execute("SELECT isnull(max(JournalTransID),0) + 1 FROM InterDivisionJournalTransHeader "
                            " WHERE CompanyID = " +
                            company);
        id = rt::CLng((*next)[0]);
        next->Close();

        auto header = ado::Recordset::create();
        header->Open("SELECT * FROM InterDivisionJournalTransHeader where 1=2", adocon, ado::adOpenKeyset,
                     ado::adLockOptimistic);
        header->AddNew();
        header->field("journaltransid").setValue(id);
        header->field("companyid").setValue(c.intCompanyID);
        header->field("JournalNo").setValue(rt::Trim(txtJournalNo.Text()));
        header->field("JournalTransDate").setValue(rt::dateOnly(dtpJournalDate.Value()));
        header->field("Remarks").setValue(rt::Trim(txtRemarks.Text()));
        header->field("cancelled").setValue(int16_t{0});
        header->field("CancelledRemarks").setValue(rt::Variant::null());
        header->field("Posted").setValue(int16_t{0});
        header->field("FinancialID").setValue(c.intFinancialID);
        header->field("exchangerate").setValue(exchangeRate);
        header->field("updatetime").setValue(rt::now());
        header->field("exchangerates").setValue(rates);
        header->field("Type").setValue(type);
        header->field("Confirm").setValue(static_cast<int16_t>(Chconfirm.Value()));
        header->field("TypeSeriallNO").setValue(rt::Trim(txtserialNO.Text()));
        // A user tied to a department lists that department's vouchers: theirs must be among them.
        if (c.intdepartmentid != 0) header->field("DepartmentID").setValue(c.intdepartmentid);
        header->Update();
        header->Close();
    } else {
        const std::string cell = gridVoucherId();
        id = rt::CLng(rt::Variant(cell));
        adocon->Execute("update InterDivisionJournalTransHeader set  JournalTransDate = '" +
                            rt::toYmd(dtpJournalDate.Value()) + "' , updatetime='" + rt::toYmd(rt::now()) +
                            "',  " + " Remarks =?, exchangerate = " + rt::NumberText(exchangeRate) +
                            " , exchangerates = ?,Type = '" + type + "' " +
                            " , Confirm = " + std::to_string(Chconfirm.Value()) +
                            " where JournalTransID=" + std::to_string(id) + " and companyid=" + company,
                        {rt::Variant(rt::Trim(txtRemarks.Text())), rt::Variant(rates)});
        // Identifiers run per company: without the company another company's lines would go.
        adocon->Execute("Delete from InterDivisionJournalTransDetails where journaltransid=" + cell +
                        " and companyid=" + company);
    }

    auto lines = ado::Recordset::create();
    lines->Open("SELECT * FROM InterDivisionJournalTransDetails where 1=2 ", adocon, ado::adOpenKeyset,
                ado::adLockOptimistic);
    const int count = lvwJournal.Count();
    // A department's rate is the same for every line of the save: looked up once per department.
    std::map<int32_t, double> departmentRates;
    for (int i = 1; i <= count; ++i) {
        forms::ListItem& row = lvwJournal.Item(i);
        const int32_t department = rt::CLng(rt::Variant(row.SubItem(8)));
        auto known = departmentRates.find(department);
        if (known == departmentRates.end())
            known = departmentRates
                        .emplace(department, CrossRate(PartyCurrency("D", department), companyCurrency))
                        .first;
        const double depRate = known->second;
        const int16_t account = rt::CInt(rt::Variant(row.SubItem(6)));
        const double debit = rt::CDbl(rt::Variant(row.SubItem(4)));
        const double credit = rt::CDbl(rt::Variant(row.SubItem(5)));
        if (debit != 0 && credit != 0)
            rt::raise(rt::errInvalidProcedureCall, "frmJournal",
                      "Line " + std::to_string(i) + " holds both a debit and a credit amount");
        const bool isCredit = debit == 0;

        lines->AddNew();
        lines->field("JournalTransDetailID").setValue(static_cast<int32_t>(i));
        lines->field("companyid").setValue(c.intCompanyID);
        lines->field("journaltransid").setValue(id);
        lines->field("AccountID").setValue(account);
        lines->field("JournalTransCredit").setValue(static_cast<int16_t>(isCredit ? 1 : 0));
        lines->field("departmentid").setValue(row.SubItem(8));
        lines->field("Amount").setValue(isCredit ? credit : debit);
        lines->field("Remarks").setValue(rt::Trim(row.SubItem(3)));
        lines->field("depexrates").setValue(depRate);
        lines->Update();
    }
    lines->Close();

    rt::ObjectPtr objData = automation::CreateObject("BaseServices.clsDataAccess");
    automation::set(objData, "adocon", browserConnection());
    automation::let(objData, "strTableName", "apackagesettings");
    rt::Variant autoConfirm = automation::callv(objData, "fnreturnfield", "AutoConfirmAccTrans");
    if (!autoConfirm.isNull() && rt::CBool(autoConfirm)) Chconfirm.setValue(1);
    adocon->Execute(
        std::string(Chconfirm.Value() == 1
                        ? "update InterDivisionJournalTransHeader set Confirm=1 where JournalTransID="
                        : "update InterDivisionJournalTransHeader set Confirm=0 where JournalTransID=") +
        std::to_string(id) + " and CompanyID=" + company);

    std::vector<rt::Variant> logArgs{rt::Variant(id), rt::Variant(txtJournalNo.Text()), rt::Variant(true),
                                     rt::Variant(c.GStrMasterNewEditFlag), rt::Variant(shared_from_this())};
    automation::call(c.objActivityLog, "SaveActivityLogInfo", logArgs);

    adocon->CommitTrans();

    cmdOK.Enabled = false;
    Tag.clear();
    UpdateEditedRow("JournalTransID=" + std::to_string(id), id);
    Unload();
}

} // namespace idj
