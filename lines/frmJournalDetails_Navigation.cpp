// The line editor's navigation: loading a line of the voucher into the controls and the four
// buttons that move between lines.
#include "lines/frmJournalDetails.h"

#include "automation/Automation.h"
#include "component/Context.h"
#include "component/GridColumns.h"
#include "component/ReportError.h"
#include "runtime/Convert.h"
#include "voucher/frmJournal.h"

namespace idj {

namespace {

constexpr const char* kWindow = "frmJournalDetails";

forms::ListView& lines() {
    return frmJournal::instance().lvwJournal;
}

// The selected line; moving relative to no selection is an error, as for an unset object.
int selectedLine() {
    int index = lines().selectedIndex();
    if (index == 0) rt::raise(rt::errObjectNotSet, kWindow);
    return index;
}

} // namespace

void frmJournalDetails::ItemSelected(int16_t intIndex) {
    trapped(kWindow, "ItemSelected", [&] {
        forms::ListView& lvw = lines();
        if (intIndex == 0 || intIndex > lvw.Count()) return;
        const forms::ListItem& row = lvw.Item(intIndex);

        txtSlNo.setText(row.Text);
        // Selecting the department rebuilds the account list and records its rate and symbol.
        automation::callv(objUiToolkit_, "SelectComboItemByValue", cboDepartment.ref(),
                          row.SubItem(kLineDepartmentId));
        const bool ownDepartment = holdsSelected(cboDepartment, row.SubItem(kLineDepartmentId));
        if (!ownDepartment) showOutsideDepartment(row);
        // The account by the line's own id: two accounts may share a name.
        automation::callv(objUiToolkit_, "SelectComboItemByValue", cboAccountID.ref(),
                          row.SubItem(kLineAccountId));
        // An account the list no longer offers is shown by name; OK then asks for one.
        if (!holdsSelected(cboAccountID, row.SubItem(kLineAccountId)))
            cboAccountID.setText(row.SubItem(kLineAccountHead));
        txtDescription.setText(row.SubItem(kLineDescription));

        if (rt::CDbl(rt::Variant(row.SubItem(kLineCredit))) == 0) {
            txtAmount.setText(row.SubItem(kLineDebit));
            optDebit.setValue(true);
        } else {
            txtAmount.setText(row.SubItem(kLineCredit));
            optCredit.setValue(true);
        }
        lvw.select(intIndex);

        // A line of a department the user may not post to can be looked at, never rewritten.
        lockLine(blnReadOnly_ || !ownDepartment);
        if (!blnReadOnly_ && ownDepartment) cboAccountID.Enabled = true;
        setNavigationButtons(intIndex);
    });
}

bool frmJournalDetails::holdsSelected(const forms::ComboBox& combo, const std::string& id) {
    return combo.ListIndex() != -1 && rt::IsNumeric(rt::Variant(id)) &&
           combo.ItemData(combo.ListIndex()) == rt::CDbl(rt::Variant(id));
}

void frmJournalDetails::showOutsideDepartment(const forms::ListItem& row) {
    lockLine(true);
    // Neither the previous line's department nor its accounts may stay behind.
    cboDepartment.setListIndex(-1);
    cboDepartment.setText(row.SubItem(kLineDepartment));
    cboAccountID.Clear();
    // The amount shown is in the line's own department's currency.
    lblAmount.Caption =
        "Amount(" + currencySymbolOf(rt::CLng(rt::Variant(row.SubItem(kLineDepartmentId)))) + "):";
    lblAmount.touch();
}

void frmJournalDetails::setNavigationButtons(int16_t intIndex) {
    bool backwards = true, forwards = true;
    if (intIndex == 1)
        backwards = false;
    else if (intIndex == lines().Count())
        forwards = false;
    cmdFirst.Enabled = cmdPrevious.Enabled = backwards;
    cmdNext.Enabled = cmdLast.Enabled = forwards;
}

void frmJournalDetails::switchToEditMode() {
    ctx().blnAddLine = false;
    ctx().blnEditLine = true;
}

void frmJournalDetails::cmdFirst_Click() {
    trapped(kWindow, "cmdFirst_Click", [this] {
        switchToEditMode();
        ItemSelected(1);
        // The loaded line is the new reference for change tracking.
        automation::callv(ctx().objActivityLog, "SaveInToTag", self());
    });
}

void frmJournalDetails::cmdPrevious_Click() {
    trapped(kWindow, "cmdPrevious_Click", [this] {
        if (lines().Count() == 0) return;
        switchToEditMode();
        ItemSelected(static_cast<int16_t>(selectedLine() - 1));
        automation::callv(ctx().objActivityLog, "SaveInToTag", self());
    });
}

void frmJournalDetails::cmdNext_Click() {
    trapped(kWindow, "cmdNext_Click", [this] {
        if (lines().Count() == 0) return;
        switchToEditMode();
        ItemSelected(static_cast<int16_t>(selectedLine() + 1));
        automation::callv(ctx().objActivityLog, "SaveInToTag", self());
    });
}

void frmJournalDetails::cmdLast_Click() {
    trapped(kWindow, "cmdLast_Click", [this] {
        if (lines().Count() == 0) return;
        switchToEditMode();
        ItemSelected(static_cast<int16_t>(lines().Count()));
        automation::callv(ctx().objActivityLog, "SaveInToTag", self());
    });
}

} // namespace idj
