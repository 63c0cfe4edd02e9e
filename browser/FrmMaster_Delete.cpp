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
// Columns of the full browse layout that the actions read.
constexpr int kColId = 0, kColNo = 1, kColDate = 2, kColCancelled = 5, kColPosted = 6;
// The search's result grid: identifier, number, date, cancelled, posted.
constexpr int kSearchCols = 5, kSearchColPosted = 4;

bool truthOf(const rt::Variant& v) {
    return !v.isNull() && !v.isEmpty() && rt::CBool(v);
}

// The grid's identifier as a number, so it goes into SQL only as digits.
int32_t idOf(const std::string& cell) {
    return rt::CLng(rt::Variant(cell));
}

void logAction(int32_t id, const std::string& voucherNo, const char* code) {
    automation::callv(ctx().objActivityLog, "SaveActivityLogInfo", id, voucherNo, true, code);
}

void colourRow(forms::FlexGrid& g, int lastCol, forms::Colour colour) {
    for (int col = 0; col <= std::min(lastCol, g.Cols() - 1); ++col) {
        g.setCol(col);
        g.setCellForeColor(colour);
    }
}

// Shows the reason dialog; it returns only with a reason.
const std::string& askReason(FrmMaster& master) {
    master.strCancelReason.clear();
    frmcancelreason::instance().Show(true, &master);
    return master.strCancelReason;
}

} // namespace

void FrmMaster::CmdDelete_Click() {
    trappedWithRollback(kWindow, "CmdDelete_Click ", adocon, [this] {
        Context& c = ctx();
        forms::FlexGrid& g = GrdMaster;
        const int savedRow = g.Row();
        automation::let(c.objActivityLog, "LoggedTime", rt::now());

        if (g.TextMatrix(savedRow, kColPosted) == "Yes") {
            forms::MsgBox("This entry cannot be deleted because transaction is posted. ",
                          forms::vbInformation, c.strMsgboxCaption);
            return;
        }
        const int32_t id = idOf(g.TextMatrix(savedRow, kColId));
        const std::string idText = std::to_string(id);
        const std::string company = std::to_string(c.intCompanyID);
        const std::string voucherNo = g.TextMatrix(savedRow, kColNo);

        automation::let(objDataAccess_, "strTableName", "apackagesettings");
        const rt::Variant autoConfirm =
            automation::callv(objDataAccess_, "fnreturnfield", "AutoConfirmAccTrans");
        if (!autoConfirm.isNull() && rt::CLng(autoConfirm) == 0) {
            automation::let(objDataAccess_, "strTableName", "InterDivisionJournalTransHeader");
            // Identifiers run per company: without the company another company's flag could answer.
            if (truthOf(automation::callv(objDataAccess_, "fnreturnfield", "Confirm",
                                          "JournalTransID=" + idText +
                                              " and companyid=" + std::to_string(ctx().intCompanyID)))) {
                forms::MsgBox("Confirm Finished, Cannot Delete", forms::vbInformation);
                MousePointer = forms::vbDefault;
                return;
            }
        }

        const rt::Date date = rt::CDate(rt::Variant(g.TextMatrix(savedRow, kColDate)));
        if (IsFrozenDate(date)) {
            forms::MsgBox("This entry cannot be deleted because the date "
                          "is before account freeze date.",
                          forms::vbInformation, c.strMsgboxCaption);
            return;
        }
        if (fnCheckEditDelete(2)) return;

        adocon->BeginTrans();
        bool changed = false;
        if (g.TextMatrix(savedRow, kColCancelled) == "Yes") {
            // An already-cancelled voucher: its general journal entries are cancelled with it.
            if (forms::MsgBox("Journal has been posted.\r\nDo you want to Delete?",
                              forms::vbYesNo | forms::vbCritical | forms::vbDefaultButton1,
                              c.strMsgboxCaption) == forms::vbYes) {
                const std::string& reason = askReason(*this);
                adocon->Execute(
                    "UPDATE genjournalheader SET Cancel = 1 WHERE referenceno = ? and companyid= " + company +
                        " and Type = 'J' and JournalDate='" + rt::toYmd(date) + "' And Cancel = 0",
                    {rt::Variant(voucherNo)});
                adocon->Execute("UPDATE InterDivisionJournalTransHeader SET Cancelled = 1, "
                                "posted=0,CancelledRemarks = ? WHERE JournalTransID = " +
                                    idText + " and companyid= " + company,
                                {rt::Variant(reason)});
                logAction(id, voucherNo, "V");
                c.GStrMasterNewEditFlag = "E";
                UpdateEditedRow("JournalTransID=" + idText, 0);
                colourRow(g, 6, forms::vbRed);
                changed = true;
            }
        } else if (forms::MsgBox("Do you want to delete the journal entry '" + voucherNo + "' ?",
                                 forms::vbYesNo | forms::vbCritical | forms::vbDefaultButton2,
                                 c.strMsgboxCaption) == forms::vbYes) {
            const std::string& reason = askReason(*this);
            adocon->Execute("UPDATE InterDivisionJournalTransHeader SET Cancelled = 1, CancelledRemarks = ? "
                            "WHERE JournalTransID = " +
                                idText + " and companyid= " + company,
                            {rt::Variant(reason)});
            logAction(id, voucherNo, "D");
            // "E" makes the refresh rewrite the existing row.
            c.GStrMasterNewEditFlag = "E";
            UpdateEditedRow("JournalTransID=" + idText, 0);
            colourRow(g, 7, forms::vbRed);
            changed = true;
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
        Context& c = ctx();
        forms::FlexGrid& g = GrdMaster;
        const int row = g.Row();
        const std::string voucherNo = g.TextMatrix(row, kColNo);
        if (forms::MsgBox("Do you want to cancel the posting of '" + voucherNo + "'?",
                          forms::vbYesNo | forms::vbQuestion) != forms::vbYes)
            return;

        const int32_t id = idOf(g.TextMatrix(row, kColId));
        const std::string company = std::to_string(c.intCompanyID);
        const std::string date = rt::toYmd(rt::CDate(rt::Variant(g.TextMatrix(row, kColDate))));

        automation::let(c.objActivityLog, "LoggedTime", rt::now());
        adocon->BeginTrans();
        adocon->Execute(
            "Update genjournalheader set cancel=1 where referenceno=? and Type='J' and JournalDate='" + date +
                "' And Cancel = 0 AND companyid=" + company,
            {rt::Variant(voucherNo)});
        adocon->Execute("Update InterDivisionJournalTransHeader set posted=0 where JournalTransID=" +
                        std::to_string(id) + " And companyid =" + company);
        logAction(id, voucherNo, "C");
        adocon->CommitTrans();

        forms::MsgBox("Posting Cancelled", forms::vbInformation, c.strMsgboxCaption);

        // The row is updated in place instead of reloading the list.
        const int postedCol = g.Cols() == kSearchCols ? kSearchColPosted : kColPosted;
        g.setTextMatrix(row, postedCol, "No");
        g.setCol(0);
        g.setColSel(g.Cols() - 1);
        for (int col = 0; col < g.Cols(); ++col)
            g.setCellForeColorAt(row, col, forms::vbWindowText);
        grdMaster_SelChange();
        cmdUpdate.Enabled = false;
        CmdDelete.Enabled = true;
    });
}

} // namespace idj
