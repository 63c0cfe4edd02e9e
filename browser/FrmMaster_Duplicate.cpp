// Duplicating a voucher: the selected voucher's remarks, date, rates and lines start a new
// voucher in the editor, which numbers it afresh when it is saved.
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

void FrmMaster::cmdDuplicate_Click() {
    const bool ok = trapped("FrmMaster", "cmdDuplicate_Click ", [this] {
        Context& c = ctx();
        const std::string company = std::to_string(c.intCompanyID);
        rt::ObjectPtr data = automation::CreateObject("BaseServices.clsDataAccess");
        automation::set(data, "adocon", adocon);

        const int32_t id = selectedVoucherId();
        if (id == 0) return;

        MousePointer = forms::vbHourglass;
        automation::let(c.objActivityLog, "LoggedTime", rt::now());
        // A new voucher: the editor's load reads the mode and seeds fresh rates, which the
        // copy below replaces.
        c.GStrMasterNewEditFlag.assign(1, 'N');
        frmJournal& editor = loadVoucherEditor(adocon);

        auto header = ado::Recordset::create();
        header->Open("SELECT * FROM InterDivisionJournalTransHeader WHERE JournalTransID = " +
                         std::to_string(id) + " and companyid= " + company,
                     adocon, ado::adOpenStatic, ado::adLockReadOnly);
        editor.txtRemarks.setText(rt::TextOf((*header)["Remarks"]));
        editor.dtpJournalDate.setValue(rt::CDate((*header)["JournalTransDate"]));
        c.GStrExchangeRates = rt::TextOf((*header)["exchangerates"]);
        header->Close();

        loadVoucherLines(adocon, editor.lvwJournal, id, LineSerial::Running);

        // The copied voucher's own date decides; a date changed in the editor does not.
        if (IsFrozenDate(rt::CDate(rt::Variant(cell(kBrowseDate))))) editor.cmdOK.Enabled = false;

        editor.FillTotal();
        editor.Show(true, this);
        MousePointer = forms::vbDefault;
    });
    if (!ok) MousePointer = forms::vbDefault;
}

} // namespace idj
