#pragma once
// The bindings of each kind of control.
#include "desktop/Accessibility.h"
#include "desktop/Binding.h"
#include "forms/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <string>
#include <vector>

namespace desktop {

class LabelBinding : public Binding {
  public:
    LabelBinding(forms::Label& c, QWidget* parent, Dispatcher& d);
    void pull() override;
    bool mouse(QObject* target, QMouseEvent* e) override;

  private:
    QLabel* label_;
};

class TextBinding : public Binding {
  public:
    TextBinding(forms::TextBox& c, QWidget* parent, Dispatcher& d);
    void pull() override;
    bool modelTypes(int ascii) const override;
    void pushCaret() override;

  private:
    forms::TextBox& box_;
    QLineEdit* edit_;
    int selStart_ = -1, selLength_ = -1;
};

class ButtonBinding : public Binding {
  public:
    ButtonBinding(forms::CommandButton& c, QWidget* parent, Dispatcher& d);
    void pull() override;
    bool modelTypes(int ascii) const override;

  private:
    forms::CommandButton& button_;
    QPushButton* push_;
    ButtonLook look_;
};

class CheckBinding : public Binding {
  public:
    CheckBinding(forms::CheckBox& c, QWidget* parent, Dispatcher& d);
    void pull() override;
    bool modelTypes(int ascii) const override;

  private:
    forms::CheckBox& box_;
    QCheckBox* check_;
};

class OptionBinding : public Binding {
  public:
    OptionBinding(forms::OptionButton& c, QWidget* parent, Dispatcher& d);
    void pull() override;
    bool modelTypes(int ascii) const override;

  private:
    forms::OptionButton& option_;
    QRadioButton* radio_;
};

class ComboBinding : public Binding {
  public:
    ComboBinding(forms::ComboBox& c, QWidget* parent, Dispatcher& d);
    void pull() override;
    bool modelTypes(int ascii) const override;
    void pushCaret() override;

  private:
    void connectEdits(QLineEdit* e);
    forms::ComboBox& combo_;
    QComboBox* box_;
    std::vector<std::string> items_;
    int selStart_ = -1, selLength_ = -1;
};

class DateBinding : public Binding {
  public:
    DateBinding(forms::DatePicker& c, QWidget* parent, Dispatcher& d);
    void pull() override;

  private:
    forms::DatePicker& picker_;
    QDateEdit* edit_;
};

// Frames (a group box) and picture boxes (a plain panel): containers of other controls.
class FrameBinding : public Binding {
  public:
    FrameBinding(forms::Frame& c, QWidget* parent, Dispatcher& d);
    void pull() override;
    bool mouse(QObject* target, QMouseEvent* e) override;
    QWidget* containerWidget() const override { return widget(); }

  private:
    QGroupBox* group_ = nullptr;
};

std::unique_ptr<Binding> makeGridBinding(forms::FlexGrid& grid, QWidget* parent, Dispatcher& d);
std::unique_ptr<Binding> makeListBinding(forms::ListView& list, QWidget* parent, Dispatcher& d);

} // namespace desktop
