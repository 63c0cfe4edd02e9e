// The voucher editor: its design, what it does when it loads and activates, and the totals.
#include "voucher/frmJournal.h"

#include "automation/Automation.h"
#include "component/Context.h"
#include "component/GridColumns.h"
#include "component/ReportError.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"

#include <cmath>

namespace idj {

namespace {
std::shared_ptr<frmJournal>& slot() {
    static std::shared_ptr<frmJournal> f;
    return f;
}

constexpr const char* kWindow = "frmJournal";

bool truthOf(const rt::Variant& v) {
    return !v.isNull() && rt::CBool(v);
}
} // namespace

frmJournal& frmJournal::instance() {
    if (!slot()) slot().reset(new frmJournal());
    return *slot();
}

bool frmJournal::exists() {
    return static_cast<bool>(slot());
}

frmJournal::frmJournal() : forms::Form("frmJournal") {
    designDefaults();
    wireEvents();
    wireKeys();
    wireListEvents();
}

void frmJournal::designDefaults() {
    optJournal.designValue = true;
    auto column = [](const char* text, int width, int alignment = forms::lvwColumnLeft) {
        forms::ColumnHeader h;
        h.Text = text;
        h.Width = width;
        h.Alignment = alignment;
        return h;
    };
    lvwJournal.designHeaders = {column("SlNo.", 700),
                                column("Department", 1800),
                                column("Account Head", 2200),
                                column("Description", 2200),
                                column("Debit", 1000, forms::lvwColumnRight),
                                column("Credit", 1000, forms::lvwColumnRight),
                                column("AccountID", 0),
                                column("Payrollno", 0),
                                column("DepartmentID", 0)};
}

void frmJournal::design() {
    Caption = "Journal";
    KeyPreview = true;
    Width = 9660;
    Height = 7260;

    lblJournalNo.Left = 120, lblJournalNo.Top = 270, lblJournalNo.Width = 1035, lblJournalNo.Height = 255;
    txtJournalNo.Left = 1200, txtJournalNo.Top = 240, txtJournalNo.Width = 1935;
    txtJournalNo.Enabled = false, txtJournalNo.TabIndex = 0;
    lblDate.Left = 3360, lblDate.Top = 270, lblDate.Width = 615, lblDate.Height = 255;
    dtpJournalDate.Left = 4020, dtpJournalDate.Top = 240, dtpJournalDate.Width = 1575;
    dtpJournalDate.TabIndex = 1;
    Label4.Left = 5820, Label4.Top = 270, Label4.Width = 1335, Label4.Height = 255;
    txtserialNO.Left = 7200, txtserialNO.Top = 240, txtserialNO.Width = 2175;
    txtserialNO.Enabled = false, txtserialNO.TabIndex = 6;

    lblType.Left = 120, lblType.Top = 810, lblType.Width = 1035, lblType.Height = 255;
    frtype.Left = 1200, frtype.Top = 660, frtype.Width = 6015, frtype.Height = 495;
    optPayment.Left = 120, optPayment.Top = 165, optPayment.Width = 1215, optPayment.TabIndex = 2;
    optReceipts.Left = 1455, optReceipts.Top = 165, optReceipts.Width = 1215, optReceipts.TabIndex = 3;
    optCash.Left = 2790, optCash.Top = 165, optCash.Width = 1575, optCash.TabIndex = 4;
    optJournal.Left = 4485, optJournal.Top = 165, optJournal.Width = 1215, optJournal.TabIndex = 5;

    lblRemarks.Left = 120, lblRemarks.Top = 1380, lblRemarks.Width = 1035, lblRemarks.Height = 255;
    txtRemarks.Left = 1200, txtRemarks.Top = 1350, txtRemarks.Width = 6015;
    txtRemarks.MaxLength = 100, txtRemarks.TabIndex = 7;
    Chconfirm.Left = 7440, Chconfirm.Top = 1380, Chconfirm.Width = 1455, Chconfirm.TabIndex = 8;

    fraJournalDtls.Left = 120, fraJournalDtls.Top = 1800, fraJournalDtls.Width = 9255;
    fraJournalDtls.Height = 3975;
    lvwJournal.Left = 120, lvwJournal.Top = 240, lvwJournal.Width = 9015, lvwJournal.Height = 3615;
    lvwJournal.TabIndex = 9;

    // Each total sits under the column it adds up (the list starts at 240 twips).
    Label3.Left = 5880, Label3.Top = 5880, Label3.Width = 1095, Label3.Height = 255;
    lblCr.Left = 7140, lblCr.Top = 5880, lblCr.Width = 1000, lblCr.Height = 255;
    lblDr.Left = 8140, lblDr.Top = 5880, lblDr.Width = 1000, lblDr.Height = 255;

    cmdOK.Left = 6840, cmdOK.Top = 6300, cmdOK.Width = 1215, cmdOK.Height = 375, cmdOK.TabIndex = 10;
    cmdCancel.Left = 8160, cmdCancel.Top = 6300, cmdCancel.Width = 1215, cmdCancel.Height = 375;
    cmdCancel.TabIndex = 11;

    mnuPopup.Visible = false;
}

void frmJournal::wireEvents() {
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };

    auto typeClick = [this](const char* routine) {
        return [this, routine] { trapped(kWindow, routine, [this] { fillSttausSerialNO(); }); };
    };
    optPayment.Click = typeClick("optPayment_Click");
    optReceipts.Click = typeClick("optReceipts_Click");
    optCash.Click = typeClick("optCash_Click");
    optJournal.Click = typeClick("optJournal_Click");

    // DataChanged compares each control with its tag; the remarks' tag marks them changed.
    txtRemarks.Change = [this] {
        trapped(kWindow, "txtRemarks_Change", [this] { txtRemarks.Tag = "Changed"; });
    };
}

void frmJournal::Form_Load() {
    trapped(kWindow, "Form_Load ", [this] {
        Context& c = ctx();
        blnDataChanged = false;
        dtpJournalDate.setValue(c.dtProcessDate);

        objDataAccess_ = automation::CreateObject("BaseServices.clsDataAccess");
        objUiToolkit_ = automation::CreateObject("BaseServices.clsUiToolkit");
        automation::set(objDataAccess_, "adocon", browserConnection());

        automation::callv(c.objPainter, "ApplyPaintkit", shared_from_this());
        blnFirstActivate_ = true;

        if (c.GStrMasterNewEditFlag == "N") {
            // A new voucher starts from its own rates: the company's currency, then the department's.
            c.GStrExchangeRates.clear();
            c.GStrExchangeRates = AddPartyRate(c.GStrExchangeRates, "Z", c.intCompanyID);
            c.GStrExchangeRates = AddPartyRate(c.GStrExchangeRates, "D", c.intdepartmentid);
            fillSttausSerialNO();
        }
        LoadUserDepartments();
        // The type of a stored voucher stays as it was saved.
        if (c.GStrMasterNewEditFlag == "E") frtype.Enabled = false;
    });
}

void frmJournal::Form_Activate() {
    trapped(kWindow, "Form_Activate", [this] {
        Context& c = ctx();
        Caption = "Inter Division Journal";
        // The serial number shown stays fresh when the window comes back from a dialog.
        if (c.GStrMasterNewEditFlag != "E") fillSttausSerialNO();

        automation::let(objDataAccess_, "strTableName", "apackagesettings");
        if (truthOf(automation::callv(objDataAccess_, "fnreturnfield", "AutoConfirmAccTrans"))) {
            // Vouchers are confirmed on save anyway; the box is hidden rather than greyed out.
            Chconfirm.setValue(0);
            Chconfirm.Visible = false;
        } else {
            // A voucher opened for viewing only (a confirmed one among them) keeps its box as it
            // is shown: the confirmation could not be saved anyway.
            Chconfirm.Enabled = rt::InStr(c.strFunctionRights, "I") > 0 && cmdOK.Enabled;
        }

        if (blnFirstActivate_) {
            Tag = "Loaded";
            automation::callv(c.objActivityLog, "SaveInToTag", shared_from_this());
            blnFirstActivate_ = false;
            if (c.GStrMasterNewEditFlag == "N") dtpJournalDate.setValue(c.dtProcessDate);
        }
    });
}

void frmJournal::Form_Unload(int&) {
    objDataAccess_.reset();
    objUiToolkit_.reset();
}

void frmJournal::FillTotal() {
    trapped(kWindow, "FillTotal", [this] {
        double debit = 0, credit = 0;
        for (int i = 1; i <= lvwJournal.Count(); ++i) {
            const forms::ListItem& item = lvwJournal.Item(i);
            debit += rt::Val(item.SubItem(kLineDebit));
            credit += rt::Val(item.SubItem(kLineCredit));
        }
        // Lines each within bounds can still add up past what a double holds.
        const bool finite = std::isfinite(debit) && std::isfinite(credit);
        // The labels' names are swapped: lblCr stands under "Debit", lblDr under "Credit".
        lblCr.Caption = finite ? rt::Format(rt::Variant(debit), "###,###,##0.00") : std::string();
        lblDr.Caption = finite ? rt::Format(rt::Variant(credit), "###,###,##0.00") : std::string();
        lblCr.touch();
        lblDr.touch();
        if (!finite) forms::MsgBox("Total amount is too large", forms::vbCritical, ctx().strMsgboxCaption);
    });
}

} // namespace idj
