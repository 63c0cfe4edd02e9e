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
        forms::FlexGrid& g = GrdMaster;
        const std::string id = g.TextMatrix(g.Row(), 0);
        if (id.empty()) {
            CmdEdit.Enabled = false;
            CmdDelete.Enabled = false;
            cmdUpdate.Enabled = false;
            cmdpreview.Enabled = false;
            return;
        }
        auto rs = adocon->Execute("SELECT Cancelled FROM InterDivisionJournalTransHeader WHERE companyid=" +
                                  std::to_string(ctx().intCompanyID) + " and JournalTransID = " + id);
        bool cancelled = rt::CBool((*rs)[0]);
        rs->Close();
        if (cancelled) {
            CmdDelete.Enabled = false;
            cmdUpdate.Enabled = false;
            return;
        }
        CmdEdit.Enabled = HasRight("E");
        CmdDelete.Enabled = HasRight("D");
        cmdUpdate.Enabled = true;
        if (g.Cols() > 6 && g.TextMatrix(g.Row(), 6) == "Yes")
            CmdDelete.Enabled = false;
        else
            cmdUpdate.Enabled = false;
        if (!CmdDelete.Enabled) return;
        if (g.Cols() > 2) {
            if (auto date = rt::parseDate(g.TextMatrix(g.Row(), 2)); date && IsFrozenDate(*date))
                CmdDelete.Enabled = false;
        }
    });
}

bool FrmMaster::fnCheckEditDelete(uint8_t bytEditDeleteFlag) {
    const Context& c = ctx();
    auto rs = ado::Recordset::create();
    rs->Open(
        "select count(*) referred from JournaltransHeader where CompanyID=" + std::to_string(c.intCompanyID) +
            " and cancelled = 0 and parentjournalid=" + GrdMaster.TextMatrix(GrdMaster.Row(), 0),
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
