// Saving a voucher: after the checks, header, lines, confirmation and log in one transaction.
#include "automation/Automation.h"
#include "component/Context.h"
#include "component/GridColumns.h"
#include "component/ReportError.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "voucher/frmJournal.h"

#include <map>

namespace idj {

void frmJournal::cmdOK_Click() {
    const ShownNumbers before = shownNumbers();
    bool stored = false;
    MousePointer = forms::vbHourglass;
    trappedWithRollback("frmJournal ", "cmdOk_Click ", adocon, [&] {
        rt::ObjectPtr objData = automation::CreateObject("BaseServices.clsDataAccess");
        automation::set(objData, "adocon", browserConnection());
        if (!checksPass(objData)) return;
        const std::optional<int32_t> id = storeVoucher();
        if (!id) return;
        stored = true;
        afterSave(*id);
    });
    // The window stays open for another try, showing no number that was never stored.
    if (!stored) restoreNumbers(before);
    MousePointer = forms::vbDefault;
}

frmJournal::ShownNumbers frmJournal::shownNumbers() const {
    return {txtJournalNo.Text(), txtserialNO.Text(), strJournalNo_, Chconfirm.Value()};
}

void frmJournal::restoreNumbers(const ShownNumbers& shown) {
    txtJournalNo.setText(shown.journalNo);
    txtserialNO.setText(shown.serial);
    strJournalNo_ = shown.generated;
    Chconfirm.setValue(shown.confirm);
}

std::optional<int32_t> frmJournal::storeVoucher() {
    Context& c = ctx();
    const bool editing = c.GStrMasterNewEditFlag == "E";
    // The write lock is taken at once, so numbering and insert are not interleaved with another
    // user's save. A number that cannot be made stops the save; its fault is reported after the
    // rollback, so that its record is kept.
    if (editing)
        adocon->BeginTransImmediate(c.intCompanyID);
    else if (!trappedWithRollback("frmJournal", "GenerateJournalNo", adocon, [this, &c] {
                 adocon->BeginTransImmediate(c.intCompanyID);
                 strJournalNo_ = nextJournalNo();
             }))
        return std::nullopt;

    const int16_t companyCurrency = PartyCurrency("Z", c.intCompanyID);
    const double exchangeRate = CrossRate(PartyCurrency("D", c.intdepartmentid), companyCurrency);
    int32_t id = 0;
    if (editing) {
        id = editedVoucherId();
        updateHeader(id, exchangeRate);
    } else {
        id = numberNewVoucher();
        insertHeader(id, exchangeRate);
    }
    writeLines(id, companyCurrency);
    settleConfirmation(id);
    logSave(id);
    adocon->CommitTrans();
    return id;
}

int32_t frmJournal::numberNewVoucher() {
    txtJournalNo.setText(journalNo());
    // Counted under the write lock, so two vouchers saved at once never share a serial.
    txtserialNO.setText(nextTypeSerial());
    auto next =
        adocon->Execute("SELECT isnull(max(JournalTransID),0) + 1 FROM InterDivisionJournalTransHeader "
                        " WHERE CompanyID = " +
                        std::to_string(ctx().intCompanyID));
    const int32_t id = rt::CLng((*next)[0]);
    next->Close();
    return id;
}

void frmJournal::insertHeader(int32_t id, double exchangeRate) {
    const Context& c = ctx();
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
    header->field("exchangerates").setValue(rt::Trim(c.GStrExchangeRates));
    header->field("Type").setValue(voucherType());
    header->field("Confirm").setValue(static_cast<int16_t>(Chconfirm.Value()));
    header->field("TypeSeriallNO").setValue(rt::Trim(txtserialNO.Text()));
    // A user tied to a department lists that department's vouchers: theirs must be among them.
    if (c.intdepartmentid != 0) header->field("DepartmentID").setValue(c.intdepartmentid);
    header->Update();
    header->Close();
}

void frmJournal::updateHeader(int32_t id, double exchangeRate) {
    const std::string company = std::to_string(ctx().intCompanyID);
    // Number, year, serial, cancellation and posting stay as stored.
    adocon->Execute(
        "update InterDivisionJournalTransHeader set  JournalTransDate = '" +
            rt::toYmd(dtpJournalDate.Value()) + "' , updatetime='" + rt::toYmd(rt::now()) + "',  " +
            " Remarks =?, exchangerate = " + rt::NumberText(exchangeRate) + " , exchangerates = ?,Type = '" +
            voucherType() + "' " + " , Confirm = " + std::to_string(Chconfirm.Value()) +
            " where JournalTransID=" + std::to_string(id) + " and companyid=" + company,
        {rt::Variant(rt::Trim(txtRemarks.Text())), rt::Variant(rt::Trim(ctx().GStrExchangeRates))});
    // Identifiers run per company: without the company another company's lines would go.
    adocon->Execute("Delete from InterDivisionJournalTransDetails where journaltransid=" +
                    std::to_string(id) + " and companyid=" + company);
}

void frmJournal::writeLines(int32_t id, int16_t companyCurrency) {
    // Prepared once per save: each line only binds and runs.
    static constexpr std::string_view kInsertLine =
        "INSERT INTO InterDivisionJournalTransDetails (JournalTransDetailID, companyid, journaltransid, "
        "AccountID, JournalTransCredit, departmentid, Amount, Remarks, depexrates) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)";
    const int count = lvwJournal.Count();
    // A department's rate is the same for every line of the save: looked up once per department.
    std::map<int32_t, double> departmentRates;
    const ado::CommandPtr insertLine = adocon->Prepare(kInsertLine);
    // The company and the voucher are the same on every line: set once, the rest per line.
    ado::Params values(9);
    values[1] = rt::Variant(ctx().intCompanyID);
    values[2] = rt::Variant(id);
    for (int i = 1; i <= count; ++i) {
        forms::ListItem& row = lvwJournal.Item(i);
        const int32_t department = rt::CLng(rt::Variant(row.SubItem(kLineDepartmentId)));
        auto known = departmentRates.find(department);
        if (known == departmentRates.end())
            known = departmentRates
                        .emplace(department, CrossRate(PartyCurrency("D", department), companyCurrency))
                        .first;
        const int16_t account = rt::CInt(rt::Variant(row.SubItem(kLineAccountId)));
        const double debit = rt::CDbl(rt::Variant(row.SubItem(kLineDebit)));
        const double credit = rt::CDbl(rt::Variant(row.SubItem(kLineCredit)));
        if (debit != 0 && credit != 0)
            rt::raise(rt::errInvalidProcedureCall, "frmJournal",
                      "Line " + std::to_string(i) + " holds both a debit and a credit amount");
        const bool isCredit = debit == 0;

        values[0] = rt::Variant(static_cast<int32_t>(i));
        values[3] = rt::Variant(account);
        values[4] = rt::Variant(static_cast<int16_t>(isCredit ? 1 : 0));
        values[5] = rt::Variant(department);
        values[6] = rt::Variant(isCredit ? credit : debit);
        values[7] = rt::Variant(rt::Trim(row.SubItem(kLineDescription)));
        values[8] = rt::Variant(known->second);
        insertLine->Execute(values);
    }
}

void frmJournal::settleConfirmation(int32_t id) {
    rt::ObjectPtr objData = automation::CreateObject("BaseServices.clsDataAccess");
    automation::set(objData, "adocon", browserConnection());
    automation::let(objData, "strTableName", "apackagesettings");
    const rt::Variant autoConfirm = automation::callv(objData, "fnreturnfield", "AutoConfirmAccTrans");
    if (!autoConfirm.isNull() && rt::CBool(autoConfirm)) Chconfirm.setValue(1);
    adocon->Execute(
        std::string(Chconfirm.Value() == 1
                        ? "update InterDivisionJournalTransHeader set Confirm=1 where JournalTransID="
                        : "update InterDivisionJournalTransHeader set Confirm=0 where JournalTransID=") +
        std::to_string(id) + " and CompanyID=" + std::to_string(ctx().intCompanyID));
}

void frmJournal::logSave(int32_t id) {
    Context& c = ctx();
    std::vector<rt::Variant> logArgs{rt::Variant(id), rt::Variant(txtJournalNo.Text()), rt::Variant(true),
                                     rt::Variant(c.GStrMasterNewEditFlag), rt::Variant(shared_from_this())};
    automation::call(c.objActivityLog, "SaveActivityLogInfo", logArgs);
}

void frmJournal::afterSave(int32_t id) {
    // Disabled OK and an empty tag let the close that follows pass without a question.
    cmdOK.Enabled = false;
    Tag.clear();
    UpdateEditedRow("JournalTransID=" + std::to_string(id), id);
    Unload();
}

} // namespace idj
