// Deleting a voucher (marking it cancelled with a reason) and cancelling a posting. Both run
// in one transaction on the browse window's connection, rolled back on any error.
#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "browser/frmcancelreason.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"

#include <algorithm>

namespace idj {

namespace {

constexpr const char* kWindow = "FrmMaster";

bool truthOf(const rt::Variant& v) {
    return !v.isNull() && !v.isEmpty() && rt::CBool(v);
}

void logAction(int32_t id, const std::string& voucherNo, const char* code) {
    automation::callv(ctx().objActivityLog, "SaveActivityLogInfo", id, voucherNo, true, code);
}

// Colours the current row up to a column of the full list, or across a narrower list.
void colourRow(forms::FlexGrid& g, int lastCol, forms::Colour colour) {
    for (int col = 0; col <= std::min(lastCol, g.Cols() - 1); ++col) {
        g.setCol(col);
        g.setCellForeColor(colour);
    }
}

// Shows the reason dialog; it returns only with a reason, in strCancelReason.
void askReason(FrmMaster& master) {
    master.strCancelReason.clear();
    frmcancelreason::instance().Show(true, &master);
}

constexpr const char* kPostedRefusal = "This entry cannot be deleted because transaction is posted. ";

} // namespace

void FrmMaster::markRowCancelled(int32_t id, const std::string& voucherNo, const char* actionCode,
                                 BrowseColumn lastRedColumn) {
    logAction(id, voucherNo, actionCode);
    // "E" makes the refresh rewrite the existing row.
    ctx().GStrMasterNewEditFlag = "E";
    UpdateEditedRow("JournalTransID=" + std::to_string(id), 0);
    colourRow(GrdMaster, lastRedColumn, forms::vbRed);
}

void FrmMaster::refreshCurrentRow(int32_t id) {
    forms::FlexGrid& g = GrdMaster;
    ctx().GStrMasterNewEditFlag = "E";
    UpdateEditedRow("JournalTransID=" + std::to_string(id), 0);
    forms::Colour colour = forms::vbWindowText;
    if (cell(kBrowseCancelled) == "Yes")
        colour = forms::vbRed;
    else if (cell(kBrowsePosted) == "Yes")
        colour = forms::rgb(0, 128, 0);
    for (int col = 0; col < g.Cols(); ++col)
        g.setCellForeColorAt(g.Row(), col, colour);
    EnableOrDisableButtons();
}

void FrmMaster::CmdDelete_Click() {
    trappedWithRollback(kWindow, "CmdDelete_Click ", adocon, [this] {
        Context& c = ctx();
        forms::FlexGrid& g = GrdMaster;
        const int savedRow = g.Row();
        automation::let(c.objActivityLog, "LoggedTime", rt::now());

        if (cell(kBrowsePosted) == "Yes") {
            forms::MsgBox(kPostedRefusal, forms::vbInformation, c.strMsgboxCaption);
            return;
        }
        const int32_t id = selectedVoucherId();
        if (id == 0) return;
        const std::string idText = std::to_string(id);
        const std::string company = std::to_string(c.intCompanyID);
        const std::string voucherNo = cell(kBrowseJournalNo);

        automation::let(objDataAccess_, "strTableName", "apackagesettings");
        const rt::Variant autoConfirm =
            automation::callv(objDataAccess_, "fnreturnfield", "AutoConfirmAccTrans");
        if (!autoConfirm.isNull() && rt::CLng(autoConfirm) == 0) {
            automation::let(objDataAccess_, "strTableName", "InterDivisionJournalTransHeader");
            // Identifiers run per company: without the company another company's flag could answer.
            if (truthOf(automation::callv(objDataAccess_, "fnreturnfield", "Confirm",
                                          "JournalTransID=" + idText + " and companyid=" + company))) {
                forms::MsgBox("Confirm Finished, Cannot Delete", forms::vbInformation);
                MousePointer = forms::vbDefault;
                return;
            }
        }

        const rt::Date date = rt::CDate(rt::Variant(cell(kBrowseDate)));
        if (IsFrozenDate(date)) {
            forms::MsgBox("This entry cannot be deleted because the date "
                          "is before account freeze date.",
                          forms::vbInformation, c.strMsgboxCaption);
            return;
        }
        if (fnCheckEditDelete(2)) return;

        adocon->BeginTrans();
        // The grid may be stale: the header is cancelled only while it is still unposted, inside
        // this transaction, so a voucher posted meanwhile by another user is refused.
        auto cancelHeader = [&](const std::string& set) {
            long affected = 0;
            adocon->Execute("UPDATE InterDivisionJournalTransHeader SET " + set +
                                "CancelledRemarks = ? WHERE JournalTransID = " + idText +
                                " and companyid= " + company + " and posted=0",
                            {rt::Variant(strCancelReason)}, &affected);
            return affected > 0;
        };
        bool changed = false, refused = false;
        if (cell(kBrowseCancelled) == "Yes") {
            // An already-cancelled voucher: its general journal entries are cancelled with it.
            if (forms::MsgBox("Journal has been posted.\r\nDo you want to Delete?",
                              forms::vbYesNo | forms::vbCritical | forms::vbDefaultButton1,
                              c.strMsgboxCaption) == forms::vbYes) {
                askReason(*this);
                adocon->Execute(
                    "UPDATE genjournalheader SET Cancel = 1 WHERE referenceno = ? and companyid= " + company +
                        " and Type = 'J' and JournalDate='" + rt::toYmd(date) + "' And Cancel = 0",
                    {rt::Variant(voucherNo)});
                changed = cancelHeader("Cancelled = 1, posted=0,");
                refused = !changed;
                if (changed) markRowCancelled(id, voucherNo, "V", kBrowsePosted);
            }
        } else if (forms::MsgBox("Do you want to delete the journal entry '" + voucherNo + "' ?",
                                 forms::vbYesNo | forms::vbCritical | forms::vbDefaultButton2,
                                 c.strMsgboxCaption) == forms::vbYes) {
            askReason(*this);
            changed = cancelHeader("Cancelled = 1, ");
            refused = !changed;
            if (changed) markRowCancelled(id, voucherNo, "D", kBrowseConfirmed);
        }
        if (refused) {
            adocon->RollbackTrans();
            forms::MsgBox(kPostedRefusal, forms::vbInformation, c.strMsgboxCaption);
            refreshCurrentRow(id);
            grdMaster_SelChange();
            return;
        }
        if (changed) {
            g.setRow(savedRow);
            g.setTopRow(savedRow);
            g.setCol(0);
            g.setColSel(g.Cols() - 1);
        }
        adocon->CommitTrans();
        grdMaster_SelChange();
    });
}

void FrmMaster::cmdUpdate_Click() {
    trappedWithRollback(kWindow, "cmdUpdate_Click ", adocon, [this] {
        // The button follows the right; the action checks it as well.
        if (!HasRight("U")) return;
        Context& c = ctx();
        forms::FlexGrid& g = GrdMaster;
        const int row = g.Row();
        const std::string voucherNo = cell(kBrowseJournalNo);
        if (forms::MsgBox("Do you want to cancel the posting of '" + voucherNo + "'?",
                          forms::vbYesNo | forms::vbQuestion) != forms::vbYes)
            return;

        const int32_t id = selectedVoucherId();
        if (id == 0) return;
        const std::string company = std::to_string(c.intCompanyID);
        const std::string date = rt::toYmd(rt::CDate(rt::Variant(cell(kBrowseDate))));

        automation::let(c.objActivityLog, "LoggedTime", rt::now());
        adocon->BeginTrans();
        adocon->Execute(
            "Update genjournalheader set cancel=1 where referenceno=? and Type='J' and JournalDate='" + date +
                "' And Cancel = 0 AND companyid=" + company,
            {rt::Variant(voucherNo)});
        // Re-checked inside the transaction: another user may have un-posted or deleted it.
        long affected = 0;
        adocon->Execute(
            "Update InterDivisionJournalTransHeader set posted=0 where JournalTransID=" + std::to_string(id) +
                " And companyid =" + company + " and posted=1 and cancelled=0",
            {}, &affected);
        if (affected == 0) {
            adocon->RollbackTrans();
            forms::MsgBox("The posting cannot be cancelled: the entry is no longer posted, or it has been "
                          "deleted.",
                          forms::vbInformation, c.strMsgboxCaption);
            refreshCurrentRow(id);
            grdMaster_SelChange();
            return;
        }
        logAction(id, voucherNo, "C");
        adocon->CommitTrans();

        forms::MsgBox("Posting Cancelled", forms::vbInformation, c.strMsgboxCaption);

        // The row is updated in place instead of reloading the list.
        g.setTextMatrix(row, browseGridIndex(kBrowsePosted, g.Cols()), "No");
        g.setCol(0);
        g.setColSel(g.Cols() - 1);
        for (int col = 0; col < g.Cols(); ++col)
            g.setCellForeColorAt(row, col, forms::vbWindowText);
        grdMaster_SelChange();
        // Unposted now: Delete follows the right and the freeze date like any unposted row.
        EnableOrDisableButtons();
    });
}

} // namespace idj
