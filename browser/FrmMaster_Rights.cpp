// Which actions the user may start: the function rights read at load, and the state of the
// voucher in the grid's current row.
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "voucher/frmJournal.h"

namespace idj {

void FrmMaster::LoadFunctionRights() {
    Context& c = ctx();
    auto rs = ado::Recordset::create();
    rs->Open("SELECT FunctionRights FROM auserrights (nolock) WHERE CompanyID = " +
                 std::to_string(c.intCompanyID) + " AND UserID = " + std::to_string(c.intuserid) +
                 " AND InterfaceID = " + std::to_string(kInterfaceId),
             adocon, ado::adOpenStatic, ado::adLockReadOnly);
    if (rs->eof()) {
        rs->Close();
        return;
    }
    c.strFunctionRights = rt::TextOf((*rs)[0]);
    rs->Close();

    cmdNew.Enabled = HasRight("N");
    cmdDuplicate.Enabled = HasRight("N");
    CmdEdit.Enabled = HasRight("E");
    CmdDelete.Enabled = HasRight("D");
    cmdUpdate.Enabled = HasRight("U");
    cmdpreview.Enabled = HasRight("P");
    // The editor applies the confirm right itself whenever it is activated; it is set here only
    // when the editor is already up, so the browse load does not leave a stale editor loaded.
    if (frmJournal::exists() && frmJournal::instance().loaded())
        frmJournal::instance().Chconfirm.Enabled = HasRight("I");
}

bool FrmMaster::HasRight(const std::string& letter) {
    return rt::InStr(ctx().strFunctionRights, letter) > 0;
}

void FrmMaster::EnableOrDisableButtons() {
    trapped("FrmMaster", "EnableOrDisableButtons", [this] {
        const int32_t id = selectedVoucherId();
        if (id == 0) {
            CmdEdit.Enabled = false;
            CmdDelete.Enabled = false;
            cmdUpdate.Enabled = false;
            cmdpreview.Enabled = false;
            return;
        }
        auto rs = adocon->Execute("SELECT Cancelled FROM InterDivisionJournalTransHeader WHERE companyid=" +
                                  std::to_string(ctx().intCompanyID) +
                                  " and JournalTransID = " + std::to_string(id));
        bool cancelled = rt::CBool((*rs)[0]);
        rs->Close();
        if (cancelled) {
            CmdDelete.Enabled = false;
            cmdUpdate.Enabled = false;
            return;
        }
        CmdEdit.Enabled = HasRight("E");
        CmdDelete.Enabled = HasRight("D");
        // Un-posting is a right of its own, not a consequence of the row being posted.
        if (cell(kBrowsePosted) == "Yes") {
            cmdUpdate.Enabled = HasRight("U");
            CmdDelete.Enabled = false;
        } else {
            cmdUpdate.Enabled = false;
        }
        if (!CmdDelete.Enabled) return;
        if (auto date = rt::parseDate(cell(kBrowseDate)); date && IsFrozenDate(*date))
            CmdDelete.Enabled = false;
    });
}

bool FrmMaster::fnCheckEditDelete(uint8_t bytEditDeleteFlag) {
    const Context& c = ctx();
    auto rs = ado::Recordset::create();
    rs->Open(
        "select count(*) referred from JournaltransHeader where CompanyID=" + std::to_string(c.intCompanyID) +
            " and cancelled = 0 and parentjournalid=" + std::to_string(selectedVoucherId()),
        adocon, ado::adOpenForwardOnly, ado::adLockReadOnly);
    bool referred = rt::CLng((*rs)["referred"]) > 0;
    rs->Close();
    if (!referred) return false;
    if (bytEditDeleteFlag == 1)
        forms::MsgBox("Journal entry refered in Journal. Cannot Edit.", forms::vbInformation,
                      c.strMsgboxCaption);
    else if (bytEditDeleteFlag == 2)
        forms::MsgBox("Journal entry refered in Journal. Cannot Delete.", forms::vbInformation,
                      c.strMsgboxCaption);
    return true;
}

} // namespace idj
