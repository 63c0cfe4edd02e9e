#pragma once
// A window with one control of each kind the services look at.
#include "forms/Controls.h"

#include <memory>

namespace servicetest {

class SampleForm : public forms::Form {
  public:
    static std::shared_ptr<SampleForm> create() { return std::shared_ptr<SampleForm>(new SampleForm()); }

    forms::TextBox txtRemarks{*this, "txtRemarks"};
    forms::TextBox txtAmount{*this, "txtAmount"};
    forms::ComboBox cboDepartment{*this, "cboDepartment"};
    forms::CheckBox Chconfirm{*this, "Chconfirm", "Confirmed"};
    forms::Frame fraSide{*this, "fraSide"};
    forms::OptionButton optDebit{*this, "optDebit", "Debit", &fraSide};
    forms::OptionButton optCredit{*this, "optCredit", "Credit", &fraSide};
    forms::DatePicker dtpDate{*this, "dtpDate"};
    forms::ListView lvwLines{*this, "lvwLines"};
    forms::FlexGrid grdList{*this, "grdList"};

  private:
    SampleForm() : forms::Form("frmSample") {}
};

} // namespace servicetest
