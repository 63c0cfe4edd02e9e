#pragma once
// A window model with controls of every kind, placed as the designer places them, and a grid of
// 100,000 rows, recording what the shell hands it.
#include "desktop/FormDialog.h"
#include "forms/Controls.h"
#include "forms/ScriptedHost.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class SampleForm : public forms::Form {
  public:
    static constexpr int kGridRows = 100000;
    SampleForm();

    forms::Label lblName{*this, "lblName", "&Name:"};
    forms::TextBox txtName{*this, "txtName"};
    forms::Frame fraType{*this, "fraType", "Type"};
    forms::OptionButton optFirst{*this, "optFirst", "&First", &fraType};
    forms::OptionButton optSecond{*this, "optSecond", "&Second", &fraType};
    forms::CheckBox chkFlag{*this, "chkFlag", "F&lag"};
    forms::Label lblKind{*this, "lblKind", "&Kind:"};
    forms::ComboBox cboKind{*this, "cboKind"};
    forms::Label lblDate{*this, "lblDate", "Date :"};
    forms::DatePicker dtpDate{*this, "dtpDate"};
    forms::FlexGrid GrdData{*this, "GrdData"};
    forms::ListView lvwLines{*this, "lvwLines"};
    forms::ImageList imgSort{*this, "imgSort", {"up", "down"}};
    forms::PictureBox picButtons{*this, "picButtons"};
    forms::CommandButton cmdOk{*this, "cmdOk", "&Ok", &picButtons};
    forms::CommandButton cmdClose{*this, "cmdClose", "&Close", &picButtons};
    forms::Menu mnuPopup{*this, "mnuPopup", "Popup"};
    forms::Menu mnuAdd{*this, "mnuAdd", "&Add", &mnuPopup};

    // What the shell handed the model.
    int okClicks = 0, closeClicks = 0, rowChanges = 0, gridClicks = 0, itemClicks = 0, nameChanges = 0;
    std::vector<std::pair<int, int>> previewKeys; // (key code, shift) seen by Form_KeyDown
    std::vector<int> unloadModes;                 // of each QueryUnload
    bool refuseClose = false;
    std::string failWith; // cmdOk raises an error with this text when set

  protected:
    void design() override;
    void Form_Load() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
};

// A scripted host that also ends the dialog of a window that unloads, as the Qt host does.
class RecordingHost : public forms::ScriptedHost {
  public:
    void formUnloaded(forms::Form& form) override {
        if (desktop::FormDialog* d = desktop::FormDialog::of(form)) d->finish();
    }
};

// A loaded window's dialog, shown, activated and passing user input to the model.
std::unique_ptr<desktop::FormDialog> showLive(forms::Form& form);

// A sample window loaded, rendered and activated, with the recording host in place.
class DialogFixture {
  public:
    DialogFixture();
    ~DialogFixture();
    DialogFixture(const DialogFixture&) = delete;
    DialogFixture& operator=(const DialogFixture&) = delete;

    template <class W> W* widget(const char* name) const { return dynamic_cast<W*>(dialog->widgetOf(name)); }
    // A keystroke at the widget with the focus.
    void key(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) const;
    void type(const QString& text) const;

    RecordingHost host;
    std::shared_ptr<SampleForm> form;
    std::unique_ptr<desktop::FormDialog> dialog;
};
