#pragma once
// Small windows for the forms tests, and a fixture that installs a scripted host.
#include "forms/Controls.h"
#include "forms/ScriptedHost.h"
#include "runtime/Error.h"
#include "support/Errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace formstest {

using testsupport::errorOf;

// A list column as designed.
inline forms::ColumnHeader column(std::string text, int width = 1440, int alignment = forms::lvwColumnLeft) {
    forms::ColumnHeader h;
    h.Text = std::move(text);
    h.Width = width;
    h.Alignment = alignment;
    return h;
}

// An entry window: a text box, a frame of options, a combo, a check box, OK (default) and
// Close (cancel). The keys and clicks it sees go into `log`.
class EntryForm : public forms::Form {
  public:
    explicit EntryForm(std::string name = "frmEntry") : Form(std::move(name)) {
        optDebit.designValue = true;
        cmdOK.Click = [this] { log.push_back("cmdOK_Click"); };
        cmdCancel.Click = [this] {
            log.push_back("cmdCancel_Click");
            Unload();
        };
    }

    forms::Label lblName{*this, "lblName", "&Name :"};
    forms::TextBox txtName{*this, "txtName"};
    forms::TextBox txtNo{*this, "txtNo"}; // display only, disabled by design
    forms::Frame fraType{*this, "fraType", "Type"};
    forms::OptionButton optDebit{*this, "optDebit", "&Debit", &fraType};
    forms::OptionButton optCredit{*this, "optCredit", "C&redit", &fraType};
    forms::TextBox txtAmount{*this, "txtAmount", &fraType};
    forms::OptionButton optAscend{*this, "optAscend", "Ascending"};
    forms::OptionButton optDescend{*this, "optDescend", "Descending"};
    forms::CheckBox chkAll{*this, "chkAll", "Search &All"};
    forms::ComboBox cboAccount{*this, "cboAccount"};
    forms::CommandButton cmdOK{*this, "cmdOK", "&Ok"};
    forms::CommandButton cmdCancel{*this, "cmdCancel", "&Close"};

    int designs = 0, loads = 0, activates = 0, queries = 0, unloads = 0;
    int lastUnloadMode = -1;
    bool refuseClose = false;
    bool unloadInQuery = false;
    std::function<void(int&, int)> onKeyDown;
    std::function<void(int&)> onKeyPress;
    std::vector<std::string> log;

  protected:
    void design() override {
        ++designs;
        Caption = "Entry";
        txtName.MaxLength = 10;
        txtNo.Enabled = false;
        cmdOK.Default = true;
        cmdCancel.Cancel = true;
        forms::Control* order[] = {&txtName,    &txtNo,  &optDebit,   &optCredit, &txtAmount, &optAscend,
                                   &optDescend, &chkAll, &cboAccount, &cmdOK,     &cmdCancel};
        for (size_t i = 0; i < std::size(order); ++i)
            order[i]->TabIndex = static_cast<int>(i);
    }
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activates; }
    void Form_QueryUnload(int& cancel, int mode) override {
        ++queries;
        lastUnloadMode = mode;
        if (refuseClose) cancel = 1;
        if (unloadInQuery) {
            unloadInQuery = false;
            Unload();
        }
    }
    void Form_Unload(int&) override { ++unloads; }
    void Form_KeyDown(int& k, int shift) override {
        log.push_back("Form_KeyDown " + std::to_string(k));
        if (onKeyDown) onKeyDown(k, shift);
    }
    void Form_KeyPress(int& k) override {
        log.push_back("Form_KeyPress " + std::to_string(k));
        if (onKeyPress) onKeyPress(k);
    }
};

// A window with a grid and a list of lines (serial, department, debit).
class ListForm : public forms::Form {
  public:
    ListForm() : Form("frmList") {
        lvw.designHeaders = {column("SlNo.", 600), column("Department"),
                             column("Debit", 1200, forms::lvwColumnRight)};
    }
    forms::FlexGrid grd{*this, "grd"};
    forms::ListView lvw{*this, "lvw"};

    void addLine(const std::string& dept, const std::string& debit) {
        forms::ListItem& it = lvw.Add(std::to_string(lvw.Count() + 1));
        it.setSubItem(1, dept);
        it.setSubItem(2, debit);
    }
    std::vector<std::string> listColumn(int c) {
        std::vector<std::string> out;
        for (int i = 1; i <= lvw.Count(); ++i)
            out.push_back(c == 0 ? lvw.Item(i).Text : lvw.Item(i).SubItem(c));
        return out;
    }
};

struct FormsTest : ::testing::Test {
    forms::ScriptedHost host;
    void SetUp() override { forms::setHost(&host); }
    void TearDown() override { forms::setHost(nullptr); }

    // A loaded and active entry window, as a non-modal show leaves it.
    std::shared_ptr<EntryForm> shownEntry() {
        auto f = std::make_shared<EntryForm>();
        f->Show(false);
        f->log.clear();
        return f;
    }
};

} // namespace formstest
