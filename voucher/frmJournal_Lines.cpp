// The voucher editor's line list: a display and a launcher. Lines are added and changed in the
// line editor and removed here; nothing reaches the database before the voucher is saved.
#include "automation/Automation.h"
#include "component/Context.h"
#include "component/GridColumns.h"
#include "component/ReportError.h"
#include "lines/frmJournalDetails.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "voucher/frmJournal.h"

namespace idj {

namespace {
constexpr const char* kWindow = "frmJournal";

// List columns (1-based headers) that hold numbers: "SlNo.", "Debit", "Credit", "AccountID".
bool numericColumn(int column) {
    return column == 1 || column == 5 || column == 6 || column == 7;
}
} // namespace

void frmJournal::wireListEvents() {
    mnuAdd.Click = [this] { mnuAdd_Click(); };
    mnuEdit.Click = [this] { mnuEdit_Click(); };
    mnuDelete.Click = [this] { mnuDelete_Click(); };
    mnuCancel.Click = [this] { mnuCancel_Click(); };

    lvwJournal.DblClick = [this] {
        trapped(kWindow, "lvwJournal_DblClick", [this] { lvwJournal_DblClick(); });
    };
    lvwJournal.KeyPress = [this](int& keyAscii) {
        trapped(kWindow, "lvwJournal_KeyPress", [&] {
            if (keyAscii == forms::vbKeyReturn) lvwJournal_DblClick();
        });
    };
    lvwJournal.KeyUp = [this](int& keyCode, int) {
        trapped(kWindow, "lvwJournal_KeyUp", [&] {
            if (keyCode == forms::vbKeyDelete)
                mnuDelete_Click();
            else if (keyCode == forms::vbKeyApps)
                PopupMenu(mnuPopup);
        });
    };
    lvwJournal.MouseUp = [this](int button, int, float, float) {
        trapped(kWindow, "lvwJournal_MouseUp", [&] { lvwJournal_MouseUp(button); });
    };
    lvwJournal.ColumnClick = [this](int column) { lvwJournal_ColumnClick(column); };
    lvwJournal.ItemClick = [this](forms::ListItem& item) { lvwJournal_ItemClick(item); };
}

void frmJournal::lvwJournal_DblClick() {
    if (lvwJournal.Count() > 0)
        mnuEdit_Click();
    else
        mnuAdd_Click();
}

void frmJournal::lvwJournal_MouseUp(int button) {
    const bool rows = lvwJournal.Count() > 0;
    mnuEdit.Enabled = rows;
    mnuDelete.Enabled = rows;
    // The menu by mouse only while the voucher may be saved; its key works regardless.
    if (button == forms::vbRightButton && cmdOK.Enabled) PopupMenu(mnuPopup);
}

void frmJournal::openLineEditor() {
    MousePointer = forms::vbHourglass;
    frmJournalDetails& details = frmJournalDetails::instance();
    details.adocon = adocon;
    // Rows the line editor adds stay where it puts them.
    lvwJournal.Sorted = false;
    details.Show(true, this);
    MousePointer = forms::vbDefault;
}

void frmJournal::mnuAdd_Click() {
    trapped(kWindow, "mnuAdd_Click ", [this] {
        ctx().blnAddLine = true;
        ctx().blnEditLine = false;
        openLineEditor();
    });
}

void frmJournal::mnuEdit_Click() {
    trapped(kWindow, "mnuEdit_Click ", [this] {
        if (lvwJournal.Count() == 0) return;
        ctx().blnAddLine = false;
        ctx().blnEditLine = true;
        openLineEditor();
    });
}

void frmJournal::mnuCancel_Click() {
    trapped(kWindow, "mnuCancel_Click", [] {
        ctx().blnAddLine = false;
        ctx().blnEditLine = false;
    });
}

void frmJournal::mnuDelete_Click() {
    trapped(kWindow, "mnuDelete_Click ", [this] {
        if (lvwJournal.Count() == 0) return;
        const Context& c = ctx();
        objDataAccess_ = automation::CreateObject("BaseServices.clsDataAccess");
        objUiToolkit_ = automation::CreateObject("BaseServices.clsUiToolkit");
        automation::set(objDataAccess_, "adocon", adocon);

        forms::ListItem* selected = lvwJournal.SelectedItem();
        if (!selected) rt::raise(rt::errObjectNotSet, kWindow);
        // The account is written as the number it is, whatever the cell holds.
        const int32_t account = rt::CLng(rt::Variant(selected->SubItem(kLineAccountId)));
        automation::let(objDataAccess_, "strTableName", "adepcontrolaccounts");
        const rt::Variant controls = automation::callv(objDataAccess_, "fnreturnfield", "count(*)",
                                                       "maindepid = " + std::to_string(c.intdepartmentid) +
                                                           " and controlaccid= " + std::to_string(account));
        if (rt::CDbl(controls) > 0) {
            // A control account of the voucher department stays in the voucher.
            forms::MsgBox("Detail can't Delete", forms::vbInformation, c.strMsgboxCaption);
            return;
        }

        const int answer = forms::MsgBox(
            "Do you want to remove transaction " + selected->SubItem(kLineDepartment) + " from the invoice",
            forms::vbYesNo + forms::vbDefaultButton2 + forms::vbCritical, c.strMsgboxCaption);
        if (answer == forms::vbYes) {
            const int16_t serial = rt::CInt(rt::Variant(rt::Val(selected->Text)));
            lvwJournal.Remove(lvwJournal.selectedIndex());
            // Serial numbers stay 1 to n without a gap, whatever order the rows are in.
            for (int i = 1; i <= lvwJournal.Count(); ++i) {
                forms::ListItem& item = lvwJournal.Item(i);
                const double number = rt::Val(item.Text);
                if (number > serial) item.Text = rt::NumberText(number - 1);
            }
            lvwJournal.touch();
        }
        FillTotal();
    });
}

void frmJournal::lvwJournal_ItemClick(forms::ListItem& item) {
    trapped(kWindow, "lvwJournal_ItemClick", [&] {
        for (int i = kLineDepartment; i <= kLineCredit && i <= item.subItemCount(); ++i) {
            const std::string& text = item.SubItem(i);
            if (text.empty()) continue;
            // Department, account and description show themselves; amounts with all their decimals.
            item.ListSubItems(i).ToolTipText =
                i <= kLineDescription ? text : rt::Format(rt::Variant(text), "###,###,##0.00######");
        }
        lvwJournal.touch();
    });
}

void frmJournal::lvwJournal_ColumnClick(int column) {
    trapped(kWindow, "lvwJournal_ColumnClick", [&] {
        for (int i = 1; i <= lvwJournal.headerCount(); ++i)
            if (i != column) lvwJournal.header(i).Icon.clear();
        // The hidden payroll and department columns are not sorted on.
        if (column >= 1 && column <= 7) {
            forms::ColumnHeader& header = lvwJournal.header(column);
            header.Icon = header.Icon == "up" ? "down" : "up";
            // The save numbers the lines by their place in the list, so a sort also orders them.
            lvwJournal.sortBy(column - 1, header.Icon == "down", numericColumn(column));
            lvwJournal.Sorted = true;
        }
        lvwJournal.touch();
    });
}

} // namespace idj
