// The line editor's OK: the checks, the row in the voucher's line list, the rates the line
// needs, change tracking and the totals, then on to the next line.
#include "lines/frmJournalDetails.h"

#include "automation/Automation.h"
#include "component/Context.h"
#include "component/GridColumns.h"
#include "component/ReportError.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "voucher/frmJournal.h"

#include <string>

namespace idj {

namespace {

constexpr const char* kWindow = "frmJournalDetails";

void refuse(const std::string& message) {
    forms::MsgBox(message, forms::vbInformation | forms::vbOKOnly, ctx().strMsgboxCaption);
}

std::string amountText(const forms::TextBox& amount) {
    return rt::Format(rt::Variant(amount.Text()), "0.00");
}

} // namespace

void frmJournalDetails::cmdOK_Click() {
    trapped(kWindow, "cmdOK_Click", [this] {
        if (!lineAccepted()) return;
        writeLine();

        frmJournal& voucher = frmJournal::instance();
        forms::ListView& lvw = voucher.lvwJournal;
        // Past eight lines the account names need the room.
        if (lvw.Count() >= 9) {
            lvw.header(3).Width = 3000;
            lvw.touch();
        }
        if (ctx().blnAddLine) txtSlNo.setText(std::to_string(lvw.selectedIndex() + 1));

        recordLineRates(cboAccountID.ItemData(cboAccountID.ListIndex()));

        if (!Tag.empty() && cmdOK.Enabled &&
            rt::CBool(automation::callv(ctx().objActivityLog, "DataChanged", self())))
            voucher.blnDataChanged = true;
        voucher.FillTotal();

        if (cboAccountID.canFocus()) cboAccountID.SetFocus();
        for (forms::CommandButton* b : {&cmdFirst, &cmdPrevious, &cmdNext, &cmdLast})
            b->Enabled = true;
        finishLine();
    });
}

bool frmJournalDetails::lineAccepted() {
    if (cboAccountID.ListIndex() == -1 || cboAccountID.Text().empty()) {
        refuse("Invalid account head or not selected");
        if (cboAccountID.canFocus()) cboAccountID.SetFocus();
        return false;
    }
    // The department box is emptied after each line, while the account list stays.
    if (cboDepartment.ListIndex() == -1 || cboDepartment.Text().empty()) {
        refuse("Invalid department or not selected");
        if (cboDepartment.canFocus()) cboDepartment.SetFocus();
        return false;
    }
    if (rt::Trim(txtDescription.Text()).empty()) {
        refuse("Description not entered");
        txtDescription.SetFocus();
        return false;
    }
    if (rt::Val(txtAmount.Text()) == 0 || txtAmount.Text().empty()) {
        refuse("Amount not entered");
        txtAmount.SetFocus();
        return false;
    }
    forms::ListView& lvw = frmJournal::instance().lvwJournal;
    for (int i = 1; i <= lvw.Count(); ++i) {
        // The row being edited may keep its own department and account.
        if (ctx().blnEditLine && i == lvw.selectedIndex()) continue;
        const forms::ListItem& row = lvw.Item(i);
        if (row.SubItem(kLineDepartment) == cboDepartment.Text() &&
            row.SubItem(kLineAccountHead) == cboAccountID.Text()) {
            refuse("Account already selected for the department");
            return false;
        }
    }
    return true;
}

void frmJournalDetails::writeLine() {
    forms::ListView& lvw = frmJournal::instance().lvwJournal;
    std::string debit = "0.00", credit = "0.00";
    (optDebit.Value() ? debit : credit) = amountText(txtAmount);
    std::string accountId = std::to_string(cboAccountID.ItemData(cboAccountID.ListIndex()));
    std::string payrollId = cbopayrollno.ListIndex() != -1
                                ? std::to_string(cbopayrollno.ItemData(cbopayrollno.ListIndex()))
                                : "0";

    if (ctx().blnAddLine) {
        intLineCursor_ = static_cast<int16_t>(lvw.Count());
        forms::ListItem& row = lvw.Add(std::to_string(lvw.Count() + 1));
        row.setSubItem(kLineDepartment, cboDepartment.Text());
        row.setSubItem(kLineAccountHead, cboAccountID.Text());
        row.setSubItem(kLineDescription, txtDescription.Text());
        row.setSubItem(kLineDebit, debit);
        row.setSubItem(kLineCredit, credit);
        row.setSubItem(kLineAccountId, accountId);
        row.setSubItem(kLinePayrollNo, payrollId);
        lvw.select(lvw.Count());
        row.setSubItem(kLineDepartmentId, std::to_string(cboDepartment.ItemData(cboDepartment.ListIndex())));
    } else if (ctx().blnEditLine) {
        intLineCursor_ = static_cast<int16_t>(lvw.selectedIndex());
        forms::ListItem* row = lvw.SelectedItem();
        if (!row) rt::raise(rt::errObjectNotSet, kWindow);
        row->Text = txtSlNo.Text();
        row->setSubItem(kLineDepartment, cboDepartment.Text());
        row->setSubItem(kLineAccountHead, cboAccountID.Text());
        row->setSubItem(kLineAccountId, accountId);
        row->setSubItem(kLineDescription, txtDescription.Text());
        row->setSubItem(kLineDebit, debit);
        row->setSubItem(kLineCredit, credit);
        row->setSubItem(kLinePayrollNo, payrollId);
        row->setSubItem(kLineDepartmentId, std::to_string(cboDepartment.ItemData(cboDepartment.ListIndex())));
    }
    lvw.touch();
}

void frmJournalDetails::recordLineRates(int32_t accountId) {
    ctx().GStrExchangeRates = AddPartyRate(ctx().GStrExchangeRates, "A", accountId);

    // The control account between the user's department and another one brings that one's rate.
    setTable("adepcontrolaccounts");
    int32_t otherDepartment =
        rt::CLng(returnField("otherdepid", "companyid=" + std::to_string(ctx().intCompanyID) +
                                               "  and maindepid=" + std::to_string(ctx().intdepartmentid) +
                                               " and " + "controlaccid =" + std::to_string(accountId)));
    if (otherDepartment != 0)
        ctx().GStrExchangeRates = AddPartyRate(ctx().GStrExchangeRates, "D", otherDepartment);
}

void frmJournalDetails::finishLine() {
    forms::ListView& lvw = frmJournal::instance().lvwJournal;
    if (ctx().blnAddLine) {
        ClearText();
        cboDepartment.SetFocus();
    } else if (lvw.selectedIndex() == lvw.Count()) {
        Unload();
    } else if (cmdNext.Enabled) {
        cmdNext_Click();
    }
}

} // namespace idj
