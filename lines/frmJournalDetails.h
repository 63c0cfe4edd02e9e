#pragma once
// The line editor: enters or corrects one line of the voucher open in the voucher editor.
#include "ado/Ado.h"
#include "forms/Controls.h"

#include <cstdint>
#include <string>

namespace idj {

class frmJournalDetails : public forms::Form {
  public:
    static frmJournalDetails& instance();
    static bool exists();

    ado::ConnectionPtr adocon;

    forms::Label lblSlNo{*this, "lblSlNo", "SlNo :"};
    forms::TextBox txtSlNo{*this, "txtSlNo"};
    forms::Label lblpayroll{*this, "lblpayroll", "Department:"};
    forms::ComboBox cbopayrollno{*this, "cbopayrollno"};
    forms::Frame fraJournal{*this, "fraJournal"};
    forms::Label lblDepartment{*this, "lblDepartment", "Department :", &fraJournal};
    forms::ComboBox cboDepartment{*this, "cboDepartment", &fraJournal};
    forms::Label lblAccountID{*this, "lblAccountID", "Account :", &fraJournal};
    forms::ComboBox cboAccountID{*this, "cboAccountID", &fraJournal};
    forms::Label lblDescription{*this, "lblDescription", "Description :", &fraJournal};
    forms::TextBox txtDescription{*this, "txtDescription", &fraJournal};
    forms::Label lblAmount{*this, "lblAmount", "Amount():", &fraJournal};
    forms::TextBox txtAmount{*this, "txtAmount", &fraJournal};
    forms::Frame fraJournalType{*this, "fraJournalType", {}, &fraJournal};
    forms::OptionButton optDebit{*this, "optDebit", "&Debit", &fraJournalType};
    forms::OptionButton optCredit{*this, "optCredit", "C&redit", &fraJournalType};
    forms::CommandButton cmdOK{*this, "cmdOK", "&Ok"};
    forms::CommandButton cmdCancel{*this, "cmdCancel", "&Close"};
    forms::CommandButton cmdFirst{*this, "cmdFirst", ""};
    forms::CommandButton cmdPrevious{*this, "cmdPrevious", ""};
    forms::CommandButton cmdNext{*this, "cmdNext", ""};
    forms::CommandButton cmdLast{*this, "cmdLast", ""};

    // Loads line `intIndex` (1-based) of the voucher editor's list into the controls.
    void ItemSelected(int16_t intIndex);
    // Empties the inputs for the next line.
    void ClearText();

    void cmdOK_Click();
    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();

    bool readOnly() const { return blnReadOnly_; }

  protected:
    void design() override;
    void Form_Load() override;
    void Form_Activate() override;

  private:
    frmJournalDetails();
    void wireEvents();
    void wireFieldEvents();
    rt::ObjectPtr self();

    // Load steps: the voucher's posted or cancelled state decides read-only mode.
    void readVoucherState();
    void setReadOnly(bool readOnly);
    // Locks or frees the line's inputs and OK, as read-only mode does.
    void lockLine(bool locked);
    void cmdCancel_Click();

    // Field behaviour.
    void enterAsTab(int& keyAscii);
    void txtAmount_KeyPress(int& keyAscii);
    void txtAmount_LostFocus();
    void txtAmount_MouseMove();

    // Department and account lists.
    void fillDepartments();
    void cboDepartment_Click();
    void cboAccountID_Click();
    // The symbol of the currency the department's amounts are read in.
    std::string currencySymbolOf(int32_t departmentId);

    // OK: the four checks, then the row in the voucher's list and the rates the line needs.
    bool lineAccepted();
    void writeLine();
    void recordLineRates(int32_t accountId);
    void finishLine();

    // Navigation.
    void switchToEditMode();
    void setNavigationButtons(int16_t intIndex);
    static bool holdsSelected(const forms::ComboBox& combo, const std::string& id);
    void showOutsideDepartment(const forms::ListItem& row);

    // Data-access helpers on the window's own service object.
    void setTable(const std::string& strTableName);
    rt::Variant returnField(const std::string& field, const std::string& condition);

    rt::ObjectPtr objDataAccess_;
    rt::ObjectPtr objUiToolkit_;
    bool blnFirstActivate_ = false;
    bool blnReadOnly_ = false;
    int16_t intLineCursor_ = 0;
};

} // namespace idj
