// Opening the voucher editor from the browse window: New starts an empty voucher, Edit loads
// the voucher of the current row and decides whether it may be saved.
#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "browser/VoucherLineRow.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "voucher/EditorLoad.h"
#include "voucher/frmJournal.h"

namespace idj {

namespace {

bool truthOf(const rt::Variant& v) {
    return !v.isNull() && !v.isEmpty() && rt::CBool(v);
}

void chooseType(frmJournal& editor, const std::string& type) {
    if (type == "PA")
        editor.optPayment.setValue(true);
    else if (type == "RE")
        editor.optReceipts.setValue(true);
    else if (type == "CA")
        editor.optCash.setValue(true);
    else if (type == "JO")
        editor.optJournal.setValue(true);
}

} // namespace

void FrmMaster::cmdNew_Click() {
    trapped("FrmMaster", "cmdNew_Click ", [this] {
        Context& c = ctx();
        MousePointer = forms::vbHourglass;
        automation::let(c.objActivityLog, "LoggedTime", rt::now());
        c.GStrMasterNewEditFlag = "N";
        frmJournal& editor = loadVoucherEditor(adocon);
        editor.Show(true, this);
        grdMaster_SelChange();
        MousePointer = forms::vbDefault;
    });
}

void FrmMaster::CmdEdit_Click() {
    const bool ok = trapped("FrmMaster", "CmdEdit_Click ", [this] {
        Context& c = ctx();
        const std::string company = std::to_string(c.intCompanyID);
        rt::ObjectPtr data = automation::CreateObject("BaseServices.clsDataAccess");
        automation::set(data, "adocon", adocon);

        MousePointer = forms::vbHourglass;
        automation::let(c.objActivityLog, "LoggedTime", rt::now());
        // The mode is set before the editor loads: its load reads it.
        c.GStrMasterNewEditFlag = "E";
        frmJournal& editor = loadVoucherEditor(adocon);

        const int32_t id = selectedVoucherId();
        auto header = ado::Recordset::create();
        header->Open("SELECT * FROM InterDivisionJournalTransHeader WHERE JournalTransID = " +
                         std::to_string(id) + " and companyid= " + company,
                     adocon, ado::adOpenStatic, ado::adLockReadOnly);

        // Each refusal only switches OK off; the cancelled state sets where it starts.
        editor.cmdOK.Enabled = !truthOf((*header)["cancelled"]);
        if (truthOf((*header)["Posted"])) {
            forms::MsgBox("Entry Posted,Cannot Modify", forms::vbInformation);
            editor.cmdOK.Enabled = false;
        }
        if (fnCheckEditDelete(1)) editor.cmdOK.Enabled = false;

        editor.txtJournalNo.setText(rt::TextOf((*header)["JournalNo"]));
        editor.txtRemarks.setText(rt::TextOf((*header)["Remarks"]));
        editor.dtpJournalDate.setValue(rt::CDate((*header)["JournalTransDate"]));
        c.GStrExchangeRates = rt::TextOf((*header)["exchangerates"]);
        chooseType(editor, rt::Trim(rt::TextOf((*header)["Type"])));

        automation::let(data, "strTableName", "apackagesettings");
        if (truthOf(automation::callv(data, "fnreturnfield", "AutoConfirmAccTrans"))) {
            // As the editor does on activation: vouchers are confirmed on save anyway.
            editor.Chconfirm.setValue(0);
            editor.Chconfirm.Visible = false;
        } else if (truthOf((*header)["Confirm"])) {
            editor.Chconfirm.setValue(1);
            editor.cmdOK.Enabled = false;
            editor.Chconfirm.Enabled = false;
        } else {
            editor.Chconfirm.setValue(0);
        }
        editor.txtserialNO.setText(rt::TextOf((*header)["TypeSeriallNO"]));
        header->Close();

        loadVoucherLines(adocon, editor.lvwJournal, id, LineSerial::StoredId);

        if (IsFrozenDate(rt::CDate(rt::Variant(cell(kBrowseDate))))) editor.cmdOK.Enabled = false;

        editor.FillTotal();
        editor.Show(true, this);
        MousePointer = forms::vbDefault;
    });
    if (!ok) MousePointer = forms::vbDefault;
}

} // namespace idj
