// The line editor: the window itself, its load and activation, and the field behaviour.
#include "lines/frmJournalDetails.h"

#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "runtime/Convert.h"
#include "voucher/frmJournal.h"

#include <memory>

namespace idj {

namespace {

constexpr const char* kWindow = "frmJournalDetails";

std::shared_ptr<frmJournalDetails>& slot() {
    static std::shared_ptr<frmJournalDetails> window;
    return window;
}

// The input boxes stand out in the pale yellow of the suite's entry windows.
constexpr forms::Colour kEntryColour = forms::rgb(255, 255, 192);

} // namespace

frmJournalDetails& frmJournalDetails::instance() {
    auto& window = slot();
    // The controls hand themselves out through the window's shared_from_this, so the one
    // window of the process lives in a shared pointer.
    if (!window) window.reset(new frmJournalDetails());
    return *window;
}

bool frmJournalDetails::exists() {
    return slot() != nullptr;
}

frmJournalDetails::frmJournalDetails() : forms::Form(kWindow) {
    wireEvents();
}

rt::ObjectPtr frmJournalDetails::self() {
    return shared_from_this();
}

void frmJournalDetails::wireEvents() {
    cboDepartment.Click = [this] {
        trapped(kWindow, "cboDepartment_Click", [this] { cboDepartment_Click(); });
    };
    cboAccountID.Click = [this] { trapped(kWindow, "cboAccountID_Click", [this] { cboAccountID_Click(); }); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { trapped(kWindow, "cmdCancel_Click", [this] { cmdCancel_Click(); }); };
    cmdFirst.Click = [this] { cmdFirst_Click(); };
    cmdPrevious.Click = [this] { cmdPrevious_Click(); };
    cmdNext.Click = [this] { cmdNext_Click(); };
    cmdLast.Click = [this] { cmdLast_Click(); };
    wireFieldEvents();
}

void frmJournalDetails::wireFieldEvents() {
    auto enterMovesOn = [this](forms::Control& c, const char* routine) {
        c.KeyPress = [this, routine](int& keyAscii) {
            trapped(kWindow, routine, [&] { enterAsTab(keyAscii); });
        };
    };
    enterMovesOn(cboDepartment, "cboDepartment_KeyPress");
    enterMovesOn(cboAccountID, "cboAccountID_KeyPress");
    enterMovesOn(optDebit, "optDebit_KeyPress");
    enterMovesOn(optCredit, "optCredit_KeyPress");
    enterMovesOn(txtDescription, "txtDescription_KeyPress");

    txtAmount.KeyPress = [this](int& keyAscii) {
        trapped(kWindow, "txtAmount_KeyPress", [&] { txtAmount_KeyPress(keyAscii); });
    };
    txtAmount.GotFocus = [this] {
        trapped(kWindow, "txtAmount_GotFocus", [this] { txtAmount.selectAll(); });
    };
    txtAmount.LostFocus = [this] {
        trapped(kWindow, "txtAmount_LostFocus", [this] { txtAmount_LostFocus(); });
    };
    txtAmount.MouseMove = [this](int, int, float, float) {
        trapped(kWindow, "txtAmount_MouseMove", [this] { txtAmount_MouseMove(); });
    };
    txtDescription.GotFocus = [this] {
        trapped(kWindow, "txtDescription_GotFocus", [this] { txtDescription.selectAll(); });
    };
}

void frmJournalDetails::design() {
    Caption = "Journal Entry";
    Width = 6720;
    Height = 4380;

    int tab = 0;
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &txtSlNo, &cbopayrollno, &cboDepartment, &cboAccountID, &txtDescription, &txtAmount, &optDebit,
             &optCredit, &cmdOK, &cmdCancel, &cmdFirst, &cmdPrevious, &cmdNext, &cmdLast})
        c->TabIndex = tab++;

    txtDescription.MaxLength = 100;
    txtAmount.MaxLength = 12;
    for (forms::Control* c :
         std::initializer_list<forms::Control*>{&cboDepartment, &cboAccountID, &txtDescription, &txtAmount})
        c->BackColor = kEntryColour;

    optDebit.setValue(true);
    for (forms::CommandButton* b : {&cmdFirst, &cmdPrevious, &cmdNext, &cmdLast})
        b->Enabled = false;
    cmdCancel.Cancel = true;
    blnReadOnly_ = false;

    // Positions in twips, inside each control's container.
    place(lblSlNo, 120, 180, 1100, 255);
    place(txtSlNo, 1320, 120, 900, 315);
    place(lblpayroll, 2520, 180, 1100, 255);
    place(cbopayrollno, 3720, 120, 2760, 315);
    place(fraJournal, 120, 540, 6360, 2460);
    place(lblDepartment, 120, 300, 1200, 255);
    place(cboDepartment, 1440, 240, 4740, 315);
    place(lblAccountID, 120, 720, 1200, 255);
    place(cboAccountID, 1440, 660, 4740, 315);
    place(lblDescription, 120, 1140, 1200, 255);
    place(txtDescription, 1440, 1080, 4740, 315);
    place(lblAmount, 120, 1680, 1300, 255);
    place(txtAmount, 1440, 1620, 1800, 315);
    place(fraJournalType, 3480, 1440, 2700, 780);
    place(optDebit, 180, 300, 1100, 315);
    place(optCredit, 1440, 300, 1100, 315);
    place(cmdFirst, 120, 3180, 480, 480);
    place(cmdPrevious, 660, 3180, 480, 480);
    place(cmdNext, 1200, 3180, 480, 480);
    place(cmdLast, 1740, 3180, 480, 480);
    place(cmdOK, 4080, 3240, 1140, 400);
    place(cmdCancel, 5340, 3240, 1140, 400);
}

void frmJournalDetails::Form_Load() {
    trapped(kWindow, "Form_Load", [this] {
        objDataAccess_ = automation::CreateObject("BaseServices.clsDataAccess");
        objUiToolkit_ = automation::CreateObject("BaseServices.clsUiToolkit");

        frmJournal& voucher = frmJournal::instance();
        adocon = voucher.adocon;
        automation::set(objDataAccess_, "adocon", adocon);

        automation::callv(ctx().objPainter, "ApplyPaintkit", self());
        fillDepartments();
        blnFirstActivate_ = true;

        if (ctx().GStrMasterNewEditFlag == "E") readVoucherState();

        forms::ListView& lvw = voucher.lvwJournal;
        txtSlNo.setText(lvw.Count() > 0 ? std::to_string(lvw.Count() + 1) : "1");

        if (!ctx().blnAddLine && !ctx().blnEditLine) ctx().blnAddLine = true;

        if (!ctx().blnAddLine) {
            if (lvw.Count() > 0) {
                for (forms::CommandButton* b : {&cmdFirst, &cmdPrevious, &cmdNext, &cmdLast})
                    b->Enabled = true;
                ItemSelected(static_cast<int16_t>(lvw.selectedIndex()));
            }
            // Opened on a line, every way out of it is offered, whatever the line's position.
            if (lvw.Count() >= 1)
                for (forms::CommandButton* b : {&cmdFirst, &cmdPrevious, &cmdNext, &cmdLast})
                    b->Enabled = true;
        }
    });
}

void frmJournalDetails::readVoucherState() {
    FrmMaster& browser = FrmMaster::instance();
    const std::string& id = browser.GrdMaster.TextMatrix(browser.GrdMaster.Row(), 0);
    if (id.empty()) return;
    // The id comes from the grid, yet it goes into the statement only as a number.
    std::string sql = "SELECT * FROM InterDivisionJournalTransHeader WHERE JournalTransID = " +
                      std::to_string(rt::CLng(rt::Variant(id))) +
                      " and Companyid=" + std::to_string(ctx().intCompanyID);
    ado::RecordsetPtr rs = ado::Recordset::create();
    rs->Open(sql, adocon, ado::adOpenStatic, ado::adLockReadOnly);
    bool locked = rs->field("cancelled").Value() == rt::Variant(true) ||
                  rs->field("Posted").Value() == rt::Variant(true);
    rs->Close();
    setReadOnly(locked);
}

void frmJournalDetails::setReadOnly(bool readOnly) {
    blnReadOnly_ = readOnly;
    lockLine(readOnly);
}

void frmJournalDetails::lockLine(bool locked) {
    cboAccountID.Locked = locked;
    txtDescription.Locked = locked;
    txtAmount.Locked = locked;
    fraJournalType.Enabled = !locked;
    cmdOK.Enabled = !locked;
    fraJournal.Enabled = !locked;
}

void frmJournalDetails::Form_Activate() {
    trapped(kWindow, "Form_Activate", [this] {
        if (blnFirstActivate_) {
            Tag = "Loaded";
            automation::callv(ctx().objActivityLog, "SaveInToTag", self());
            blnFirstActivate_ = false;
        }
        // A read-only voucher disables the line frame, and with it the department box.
        if (cboDepartment.canFocus()) cboDepartment.SetFocus();
    });
}

void frmJournalDetails::cmdCancel_Click() {
    Unload();
}

void frmJournalDetails::ClearText() {
    cboAccountID.setText("");
    cboDepartment.setText("");
    txtDescription.setText("");
    txtAmount.setText("0.00");
}

void frmJournalDetails::enterAsTab(int& keyAscii) {
    if (keyAscii != forms::vbKeyReturn) return;
    keyAscii = 0;
    tabToNext();
}

void frmJournalDetails::txtAmount_KeyPress(int& keyAscii) {
    if (keyAscii == forms::vbKeyReturn) {
        enterAsTab(keyAscii);
        return;
    }
    std::vector<rt::Variant> args{txtAmount.ref(), static_cast<int32_t>(keyAscii), static_cast<int32_t>(18),
                                  static_cast<int32_t>(2)};
    automation::call(objUiToolkit_, "TextValidateNum", args);
    keyAscii = rt::CLng(args[1]);
}

void frmJournalDetails::txtAmount_LostFocus() {
    txtAmount.setText(rt::Format(rt::Variant(txtAmount.Text()), "0.00"));
}

void frmJournalDetails::txtAmount_MouseMove() {
    txtAmount.ToolTipText = rt::Format(rt::Variant(txtAmount.Text()), "###,###,##0.00######");
}

void frmJournalDetails::setTable(const std::string& strTableName) {
    automation::let(objDataAccess_, "strTableName", strTableName);
}

rt::Variant frmJournalDetails::returnField(const std::string& field, const std::string& condition) {
    return automation::callv(objDataAccess_, "fnreturnfield", field, condition);
}

} // namespace idj
