#pragma once
// The reason-for-deletion dialog: it returns only with a reason.
#include "forms/Controls.h"

namespace idj {

class frmcancelreason : public forms::Form {
  public:
    static frmcancelreason& instance();

    forms::Label lblReason{*this, "lblReason", "&Reason :"};
    forms::TextBox txtcanreason{*this, "txtcanreason"};
    forms::CommandButton cmdOK{*this, "cmdOK", "&OK"};

    void cmdOK_Click();

  protected:
    void design() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

  private:
    frmcancelreason();
    void wireEvents();
    // Stores the reason and closes; false (with the message) while the reason is empty.
    bool acceptReason();
};

} // namespace idj
