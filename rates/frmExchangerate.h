#pragma once
// The exchange-rate dialog: shows and edits the voucher's per-currency rates.
#include "ado/Ado.h"
#include "forms/Controls.h"

namespace idj {

class frmExchangerate : public forms::Form {
  public:
    static frmExchangerate& instance();
    static bool exists();

    ado::ConnectionPtr adocon;

    forms::FlexGrid mfgitem{*this, "mfgitem"};
    forms::TextBox txter{*this, "txter"};
    forms::CommandButton cmdOk{*this, "cmdOk", "&Ok"};
    forms::CommandButton cmdCancel{*this, "cmdCancel", "&Close"};

    void cmdOk_Click();
    void cmdCancel_Click();

  protected:
    void design() override;
    void Form_Load() override;

  private:
    frmExchangerate();
    void wireEvents();
    rt::ObjectPtr self();
    void Form_Unload(int& cancel) override;

    // Load steps.
    void setUpGrid();
    void fillGrid();
    void setColumns();

    // In-place editing of the rate column.
    void mfgitem_RowColChange();
    void mfgitem_GotFocus();
    void txter_KeyPress(int& keyAscii);
    void txter_KeyUp(int keyCode, int shift);
    void txter_Change();
    bool onRateCell() const;
    void placeEditor();

    // The first data row whose rate reads as 0, or 0 when every row has a rate.
    int rowWithoutRate() const;

    rt::ObjectPtr objUiToolkit_;
    rt::ObjectPtr objDataAccess_;
    int32_t intBaseCurrency_ = 0;
    // Whether this opening's load went through; only then does OK write the rates text.
    bool blnLoaded_ = false;
    bool blnSuppressRowCol_ = false;
    bool blnSkipEnterRelease_ = false;
};

} // namespace idj
