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

namespace {} // namespace

void FrmMaster::cmdDuplicate_Click() {
    const bool ok = trapped("FrmMaster", "cmdDuplicate_Click ", [this] {
        Context& c = ctx();
        const std::string company = std::to_string(c.intCompanyID);
        rt::ObjectPtr data = automation::CreateObject("BaseServices.clsDataAccess");
        automation::set(data, "adocon", adocon);

        const double selected = rt::Val(GrdMaster.TextMatrix(GrdMaster.Row(), 0));
        if (selected == 0) return;
        const std::string id = std::to_string(static_cast<long long>(selected));

        MousePointer = forms::vbHourglass;
        automation::let(c.objActivityLog, "LoggedTime", rt::now());
        // A new voucher: the editor's load reads the mode and seeds fresh rates, which the
        // copy below replaces.
        c.GStrMasterNewEditFlag.assign(1, 'N');
        frmJournal& editor = loadVoucherEditor(adocon);

        auto header = ado::Recordset::create();
        header->Open("SELECT * FROM InterDivisionJournalTransHeader WHERE JournalTransID = " + id +
                         " and companyid= " + company,
                     adocon, ado::adOpenStatic, ado::adLockReadOnly);
        editor.txtRemarks.setText(rt::TextOf((*header)["Remarks"]));
        editor.dtpJournalDate.setValue(rt::CDate((*header)["JournalTransDate"]));
        c.GStrExchangeRates = rt::TextOf((*header)["exchangerates"]);
        header->Close();

        auto lines = ado::Recordset::create();
        lines->Open(
            "SELECT (SELECT AccountDesc FROM AACCOUNTMASTER "
            " WHERE AccountID = InterDivisionJournalTransDetails.AccountID AND "
            "companyid= " +
                company +
                ") AS AccDesc, (select DepartmentName  from adepartmentmaster where "
                "adepartmentmaster.DepartmentID=InterDivisionJournalTransDetails.departmentid ) Depname , "
                "Remarks,JournalTransCredit,"
                "Amount,AccountID ,departmentid FROM InterDivisionJournalTransDetails WHERE CompanyID = " +
                company + " AND " + "JournalTransID = " + id,
            adocon, ado::adOpenStatic, ado::adLockReadOnly);
        int serial = 0;
        for (; !lines->eof(); lines->MoveNext())
            addVoucherLineRow(editor.lvwJournal, *lines, std::to_string(++serial));
        if (editor.lvwJournal.Count() >= 9) editor.lvwJournal.header(3).Width = 3000;
        lines->Close();

        // The copied voucher's own date decides; a date changed in the editor does not.
        if (IsFrozenDate(rt::CDate(rt::Variant(GrdMaster.TextMatrix(GrdMaster.Row(), 2)))))
            editor.cmdOK.Enabled = false;

        editor.FillTotal();
        editor.Show(true, this);
        MousePointer = forms::vbDefault;
    });
    if (!ok) MousePointer = forms::vbDefault;
}

} // namespace idj
