#pragma once
// The voucher editor: one voucher's header and its list of debit and credit lines.
#include "ado/Ado.h"
#include "forms/Controls.h"

#include <cstdint>
#include <optional>
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
    // The serial number the chosen type would get now; empty when no type is chosen.
    std::string nextTypeSerial() const;
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
    // The checks before saving, in their order; false when one refused (its message was shown).
    bool checksPass(const rt::ObjectPtr& objData);
    bool storedVoucherPosted(const rt::ObjectPtr& objData) const;
    bool yearAccepted();
    bool otherYearAccepted(const std::string& financialId);
    bool packageDateAccepted(const rt::ObjectPtr& objData);
    void takeYearOfDate(const rt::ObjectPtr& objData);
    bool contentsPass();
    bool totalsTally();

    // The save, in one transaction: the stored voucher's identifier, or none when it was not stored.
    std::optional<int32_t> storeVoucher();
    // Shows the journal number just made and the type serial, and gives the new identifier.
    int32_t numberNewVoucher();
    // The next journal number under the company's prefix; raises when it cannot be made.
    std::string nextJournalNo() const;
    void insertHeader(int32_t id, double exchangeRate);
    void updateHeader(int32_t id, double exchangeRate);
    void writeLines(int32_t id, int16_t companyCurrency);
    void settleConfirmation(int32_t id);
    void logSave(int32_t id);
    void afterSave(int32_t id);
    // The identifier of the voucher being edited: the browse grid's current row.
    int32_t editedVoucherId() const;

    // What the window showed before a save, put back when the save fails.
    struct ShownNumbers {
        std::string journalNo, serial, generated;
        int confirm = 0;
    };
    ShownNumbers shownNumbers() const;
    void restoreNumbers(const ShownNumbers& shown);

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
