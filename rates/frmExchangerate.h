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
    void placeEditor();

    rt::ObjectPtr objUiToolkit_;
    rt::ObjectPtr objDataAccess_;
    int32_t intBaseCurrency_ = 0;
    bool blnSuppressRowCol_ = false;
    bool blnSkipEnterRelease_ = false;
};

} // namespace idj
