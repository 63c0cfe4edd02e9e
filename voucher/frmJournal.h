#pragma once
// The voucher editor: one voucher's header and its list of debit and credit lines.
#include "ado/Ado.h"
#include "forms/Controls.h"

#include <string>

namespace idj {

class frmJournal : public forms::Form {
  public:
    static frmJournal& instance();
    static bool exists();

    // Set by the opener before the window is shown; the line editor and the rate dialog take it from here.
    ado::ConnectionPtr adocon;
    // Set by the line editor when it has changed the lines; read and cleared by the close check.
    bool blnDataChanged = false;
    // The currency symbol of the line editor's department (the line editor reads and writes it).
    std::string strCurrencySymbol;

    forms::Label lblJournalNo{*this, "lblJournalNo", "Journal No:"};
    forms::TextBox txtJournalNo{*this, "txtJournalNo"};
    forms::Label lblDate{*this, "lblDate", "Date :"};
    forms::DatePicker dtpJournalDate{*this, "dtpJournalDate"};
    forms::Label lblType{*this, "lblType", "Type:"};
    forms::Frame frtype{*this, "frtype"};
    forms::OptionButton optPayment{*this, "optPayment", "Payment", &frtype};
    forms::OptionButton optReceipts{*this, "optReceipts", "Receipt", &frtype};
    forms::OptionButton optCash{*this, "optCash", "Cash Transfer", &frtype};
    forms::OptionButton optJournal{*this, "optJournal", "Journal", &frtype};
    forms::Label Label4{*this, "Label4", "Type Serial No :"};
    forms::TextBox txtserialNO{*this, "txtserialNO"};
    forms::Label lblRemarks{*this, "lblRemarks", "Remark&s :"};
    forms::TextBox txtRemarks{*this, "txtRemarks"};
    forms::CheckBox Chconfirm{*this, "Chconfirm", "Confirmed"};
    forms::Frame fraJournalDtls{*this, "fraJournalDtls"};
    forms::ListView lvwJournal{*this, "lvwJournal", &fraJournalDtls};
    forms::ImageList ImgSorted{*this, "ImgSorted", {"up", "down"}};
    forms::Label Label3{*this, "Label3", "Total :"};
    forms::Label lblCr{*this, "lblCr", "0"};
    forms::Label lblDr{*this, "lblDr", "0"};
    forms::CommandButton cmdOK{*this, "cmdOK", "&Ok"};
    forms::CommandButton cmdCancel{*this, "cmdCancel", "&Close"};
    forms::Menu mnuPopup{*this, "mnuPopup", "PopupMenu"};
    forms::Menu mnuAdd{*this, "mnuAdd", "&Add", &mnuPopup};
    forms::Menu mnuEdit{*this, "mnuEdit", "&Edit", &mnuPopup};
    forms::Menu mnuSep1{*this, "mnuSep1", "-", &mnuPopup};
    forms::Menu mnuDelete{*this, "mnuDelete", "&Delete", &mnuPopup};
    forms::Menu mnuSep2{*this, "mnuSep2", "-", &mnuPopup};
    forms::Menu mnuCancel{*this, "mnuCancel", "&Cancel", &mnuPopup};

    // Totals under the list.
    void FillTotal();
    // Numbering: the journal number made at save (false when it could not be made) and the
    // type serial number shown while a voucher is entered.
    bool GenerateJournalNo();
    void fillSttausSerialNO();
    const std::string& journalNo() const { return strJournalNo_; }

    // The save with its checks.
    void cmdOK_Click();
    void cmdCancel_Click();

    // Line list.
    void mnuAdd_Click();
    void mnuEdit_Click();
    void mnuDelete_Click();
    void mnuCancel_Click();
    void lvwJournal_ColumnClick(int column);
    void lvwJournal_ItemClick(forms::ListItem& item);

    // The type code of the first set option: "PA", "RE", "CA" or "JO".
    std::string voucherType() const;

  protected:
    void design() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyPress(int& keyAscii) override;

  private:
    frmJournal();
    // Design values that the controls restore at every load (list columns, the chosen type).
    void designDefaults();
    void wireEvents();
    void wireKeys();
    void wireListEvents();
    // The checks before saving; false when one refused (its message was shown).
    bool checksPass(const rt::ObjectPtr& objData);
    // The save itself, inside one transaction.
    void saveVoucher();

    // Line list.
    void lvwJournal_DblClick();
    void lvwJournal_MouseUp(int button);
    void openLineEditor();

    rt::ObjectPtr objDataAccess_;
    rt::ObjectPtr objUiToolkit_;
    std::string strJournalNo_;
    bool blnFirstActivate_ = false;
};

} // namespace idj
