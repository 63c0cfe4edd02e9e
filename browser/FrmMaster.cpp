#include "browser/FrmMaster.h"

#include "automation/Automation.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "runtime/Convert.h"

#include <algorithm>

namespace idj {

namespace {
std::shared_ptr<FrmMaster>& slot() {
    static std::shared_ptr<FrmMaster> f;
    return f;
}

// The help file's place under the application folder, in this platform's separators.
std::string helpFilePath() {
    std::string p = forms::appPath() + "\\Help\\Journals.chm";
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}
} // namespace

FrmMaster& FrmMaster::instance() {
    if (!slot()) slot().reset(new FrmMaster());
    return *slot();
}

bool FrmMaster::exists() {
    return static_cast<bool>(slot());
}

FrmMaster::FrmMaster() : forms::Form("FrmMaster") {
    wireEvents();
}

void FrmMaster::design() {
    Caption = "Journal";
    KeyPreview = true;
    Width = 11280;
    Height = 8010;

    GrdMaster.SelectionMode = forms::flexSelectionByRow;
    GrdMaster.Left = 120, GrdMaster.Top = 120, GrdMaster.Width = 10920, GrdMaster.Height = 5295;
    GrdMaster.TabIndex = 0;

    fraBrowse.Left = 120, fraBrowse.Top = 5520, fraBrowse.Width = 10920, fraBrowse.Height = 975;
    lblsearch.Left = 120, lblsearch.Top = 420, lblsearch.Width = 1000, lblsearch.Height = 255;
    cboSearch.Left = 1140, cboSearch.Top = 360, cboSearch.Width = 1935, cboSearch.TabIndex = 1;
    txtsearch.Left = 3180, txtsearch.Top = 360, txtsearch.Width = 2295, txtsearch.TabIndex = 2;
    chkSearchAll.Left = 5580, chkSearchAll.Top = 390, chkSearchAll.Width = 1455, chkSearchAll.TabIndex = 3;
    chkSearchAll.ToolTipText = "Shortcut: Alt+A";
    cboColNames.Left = 7140, cboColNames.Top = 360, cboColNames.Width = 1935, cboColNames.TabIndex = 4;
    optAscend.Left = 9240, optAscend.Top = 240, optAscend.Width = 1500, optAscend.TabIndex = 5;
    optDescend.Left = 9240, optDescend.Top = 570, optDescend.Width = 1500, optDescend.TabIndex = 6;

    Picture1.Left = 120, Picture1.Top = 6600, Picture1.Width = 10920, Picture1.Height = 615;
    forms::CommandButton* buttons[] = {&cmdNew,    &CmdEdit,    &cmdDuplicate, &CmdDelete,
                                       &cmdUpdate, &cmdpreview, &CmdClose};
    int tab = 7;
    for (size_t i = 0; i < std::size(buttons); ++i) {
        forms::CommandButton* b = buttons[i];
        b->Left = 120 + static_cast<int>(i) * 1545;
        b->Top = 120;
        b->Width = 1425;
        b->Height = 375;
        b->TabIndex = tab++;
    }
}

void FrmMaster::wireEvents() {
    CmdClose.Click = [this] { trapped("FrmMaster", "CmdClose_Click", [this] { CmdClose_Click(); }); };
    cmdNew.Click = [this] { cmdNew_Click(); };
    CmdEdit.Click = [this] { CmdEdit_Click(); };
    cmdDuplicate.Click = [this] { cmdDuplicate_Click(); };
    CmdDelete.Click = [this] { CmdDelete_Click(); };
    cmdUpdate.Click = [this] { cmdUpdate_Click(); };
    cmdpreview.Click = [this] { cmdPreview_click(); };
    wireSearchEvents();

    GrdMaster.Click = [this] {
        trapped("FrmMaster", "GrdMaster_Click", [this] {
            if (!blnLoading_) EnableOrDisableButtons();
        });
    };
    GrdMaster.RowColChange = [this] {
        trapped("FrmMaster", "GrdMaster_RowColChange", [this] {
            if (!blnLoading_) EnableOrDisableButtons();
        });
    };
    GrdMaster.DblClick = [this] {
        trapped("FrmMaster", "GrdMaster_DblClick", [this] {
            if (!CmdEdit.Enabled) return;
            MousePointer = forms::vbHourglass;
            CmdEdit_Click();
            MousePointer = forms::vbDefault;
        });
    };
    GrdMaster.KeyPress = [this](int& keyAscii) {
        trapped("FrmMaster", "GrdMaster_KeyPress", [&] {
            if (keyAscii == forms::vbKeyReturn && CmdEdit.Enabled) CmdEdit_Click();
        });
    };
    GrdMaster.MouseMove = [this](int, int, float, float) {
        trapped("FrmMaster", "GrdMaster_MouseMove", [this] {
            GrdMaster.ToolTipText = GrdMaster.TextMatrix(GrdMaster.MouseRow, GrdMaster.MouseCol);
        });
    };
    GrdMaster.SelChange = [this] { grdMaster_SelChange(); };
}

std::string FrmMaster::browseStatement() const {
    const Context& c = ctx();
    std::string sql =
        "SELECT h.JournalTransID, h.JournalNo, h.JournalTransDate,"
        "  case h.type when 'PA' then 'Payment' else  case h.type when 'RE' then 'Receipt' else "
        " case h.type when 'CA' then 'Cash Transfer' else 'Journal' end  end end type ,TypeSeriallNO "
        ", "
        "case h.cancelled when 1 then 'Yes' else 'No' end cancelled , "
        " case h.posted when 1 then 'Yes' else 'No' end posted ,case h.Confirm when 1 then 'Yes' else 'No' "
        "end "
        "Confirm  From InterDivisionJournalTransHeader h (nolock) "
        " where  h.Companyid= " +
        std::to_string(c.intCompanyID) + " and h.FinancialID = " + std::to_string(c.intFinancialID);
    // A user tied to a department sees that department's vouchers.
    if (c.intdepartmentid != 0) sql += " and h.DepartmentID=" + std::to_string(c.intdepartmentid);
    sql += " and h.JournalTransDate >= '" + rt::toYmd(rt::addDays(c.dtProcessDate, -c.NoOfPreviousDays)) +
           "'ORDER BY h.JournalTransID";
    return sql;
}

void FrmMaster::Form_Load() {
    trapped("FrmMaster", "Form_Load", [this] {
        Context& c = ctx();
        objUiToolkit_ = automation::CreateObject("BaseServices.clsUiToolkit");
        objDataAccess_ = automation::CreateObject("BaseServices.clsDataAccess");
        automation::set(objDataAccess_, "adocon", adocon);

        c.objPainter = automation::CreateObject("Paintkit.clsPainter");
        automation::callv(c.objPainter, "ApplyPaintkit", shared_from_this());
        c.objActivityLog = automation::CreateObject("ActivityLog.clsActivityLog");
        forms::appHelpFile() = helpFilePath();
        automation::callv(c.objActivityLog, "OpenObject", rt::ObjectPtr(adocon), c.intCompanyID, c.intuserid,
                          c.intdepartmentid, kInterfaceId, rt::now());

        LoadFunctionRights();

        auto rs = ado::Recordset::create();
        rs->Open("SELECT NoOfPreviousDays FROM ASETTINGS WHERE CompanyID = " + std::to_string(c.intCompanyID),
                 adocon, ado::adOpenStatic, ado::adLockReadOnly);
        if (rs->eof()) {
            rs->Close();
            forms::MsgBox("Data missing in ASETTINGS", forms::vbCritical, c.strMsgboxCaption);
            return;
        }
        c.NoOfPreviousDays = rt::CInt((*rs)[0]);
        rs->Close();

        automation::let(objDataAccess_, "strTableName", "InterDivisionJournalTransHeader");
        rt::Variant open =
            automation::callv(objDataAccess_, "fnreturnfield", "JournalTransID",
                              "Posted = 0 AND Cancelled = 0 and companyid=" + std::to_string(c.intCompanyID));
        // Open vouchers alone do not grant un-posting; the right does.
        cmdUpdate.Enabled = !open.isEmpty() && HasRight("U");

        GridPopulate(browseStatement(), "InterDivisionJournalTransHeader",
                     "InterDivisionJournalTransDetails, AACCOUNTMASTER");
        Caption = "Journal";
        EnableOrDisableButtons();
        grdMaster_SelChange();
        ColourStatusRows();
    });
}

void FrmMaster::Form_Activate() {
    trapped("FrmMaster", "Form_Activate", [this] {
        EnableOrDisableButtons();
        Caption = "Inter Division Journal";
        if (cmdNew.Enabled && cmdNew.canFocus()) cmdNew.SetFocus();
    });
}

void FrmMaster::Form_KeyPress(int& keyAscii) {
    trapped("FrmMaster", "Form_KeyPress", [&] {
        if (keyAscii == 4 && CmdEdit.Enabled) { // Ctrl+D
            GrdMaster.SetFocus();
        } else if (keyAscii == 10 && cmdNew.Enabled) { // Ctrl+Enter
            cmdNew_Click();
        }
    });
}

void FrmMaster::Form_KeyDown(int&, int) {}

void FrmMaster::CmdClose_Click() {
    Unload();
}

} // namespace idj
