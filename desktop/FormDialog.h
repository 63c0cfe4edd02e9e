#pragma once
// The dialog of one window model: one widget per control, the user's input handed to the model
// through its own entry points, and every widget brought up to date after each of them.
#include "desktop/Binding.h"
#include "desktop/Stretch.h"
#include "forms/Form.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace desktop {

class FormDialog : public QDialog, public Dispatcher {
  public:
    explicit FormDialog(forms::Form& form, QWidget* parent = nullptr);
    ~FormDialog() override;

    forms::Form& form() const { return form_; }
    // The widget of a control; null for controls without one (menus, image lists).
    QWidget* widgetOf(const forms::Control& c) const;
    QWidget* widgetOf(std::string_view controlName) const;
    bool positioned() const { return positioned_; }

    // Brings every widget up to date with the model.
    void sync();
    // Runs a model entry point for the user's input. An error it raises is shown in a message
    // box (the window stays usable); then every open window is brought up to date.
    void dispatch(const std::function<void()>& fn) override;
    // From now on focus changes reach the model: set once the window has been activated, so
    // that the toolkit's first choice of focus does not override the model's.
    void setLive(bool on) { live_ = on; }
    // The model has unloaded: the modal loop ends (or does not start).
    void finish();
    bool finished() const { return finished_; }

    // The open dialogs, innermost last.
    static const std::vector<FormDialog*>& all();
    // The innermost open dialog of a window model, or null.
    static FormDialog* of(const forms::Form& form);
    static void syncAll();

  protected:
    bool eventFilter(QObject* target, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

  private:
    void build();
    void watch(QWidget* w);
    Binding* bindingAt(QObject* target) const;
    bool key(QObject* target, QKeyEvent* e);
    void pullFocus();

    forms::Form& form_;
    std::vector<std::unique_ptr<Binding>> bindings_;
    std::map<const forms::Control*, Binding*> byControl_;
    std::map<const QObject*, Binding*> byWidget_;
    bool positioned_ = false;
    bool live_ = false;
    bool finished_ = false;
    QSize size_;
    std::unique_ptr<Stretch> stretch_;
    forms::Colour back_ = 0;
    bool coloured_ = false;
    const QKeyEvent* lastKey_ = nullptr; // the keystroke last handed to the model
    QEvent::Type lastKeyType_ = QEvent::None;
    quint64 lastKeyTime_ = 0;
    QPointer<QWidget> lastKeyTarget_;
    unsigned keySerial_ = 0;
};

// How an error escaping a model event is worded for the user.
std::string errorText(const std::exception& e);

} // namespace desktop
