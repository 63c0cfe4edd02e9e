#pragma once
// One widget bound to one control model. A binding only renders the model (pull) and hands the
// user's input to the model's own entry points; it keeps no state of the window.
#include "forms/Control.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QMouseEvent;

namespace desktop {

// Where the bindings send the user's input.
class Dispatcher {
  public:
    virtual ~Dispatcher() = default;
    // Runs a model entry point: an error it raises is shown, then every open window is redrawn.
    virtual void dispatch(const std::function<void()>& fn) = 0;
};

// True while widgets are being brought up to date: their signals are then not the user's.
bool syncing();

class Binding {
  public:
    Binding(forms::Control& control, QWidget* widget, Dispatcher& dispatcher);
    virtual ~Binding() = default;
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    forms::Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }

    // Brings the widget up to date with the model. Placed by position, it also follows the
    // model's Left/Top/Width/Height.
    virtual void pull();
    void setPositioned(bool on) { positioned_ = on; }
    // Names the widget for screen readers after its caption or `label`, and keeps the name
    // current as those captions change (a label showing a total or a currency); a tool tip that
    // follows the mouse over a grid's cells does not rename it.
    void nameAfter(const forms::Control* label);

    // Whether the model applies this typed character itself, so the widget must not see it.
    virtual bool modelTypes(int ascii) const;
    // Hands the caret and selection the user left in the widget to the model, before a key.
    virtual void pushCaret() {}
    // Mouse input on the widget (or its viewport): true when the event is used up.
    virtual bool mouse(QObject* target, QMouseEvent* event);
    // Where contained controls go (frames and picture boxes), or null.
    virtual QWidget* containerWidget() const { return nullptr; }
    // Widgets besides widget() that receive the mouse (item views' viewports).
    virtual QWidget* mouseTarget() const { return widget_; }

  protected:
    // User input for the model; dropped while syncing.
    void input(const std::function<void()>& fn) const;
    void fireMouse(const std::function<void(int, int, float, float)>& ev, QMouseEvent* e) const;
    Dispatcher& dispatcher() const { return dispatcher_; }

  private:
    forms::Control& control_;
    QPointer<QWidget> widget_;
    Dispatcher& dispatcher_;
    bool positioned_ = false;
    QRect geometry_;
    forms::Colour back_ = 0, fore_ = 0;
    bool coloured_ = false;
    bool named_ = false;
    const forms::Control* nameLabel_ = nullptr;
    std::string namedFrom_; // the captions the name was made of
};

// The binding of a control, its widget created under `parent`; null for controls that have no
// widget of their own (menus, image lists).
std::unique_ptr<Binding> makeBinding(forms::Control& control, QWidget* parent, Dispatcher& dispatcher);

// Scoped marker for "widgets are being brought up to date".
class SyncScope {
  public:
    SyncScope();
    ~SyncScope();
    SyncScope(const SyncScope&) = delete;
    SyncScope& operator=(const SyncScope&) = delete;
};

} // namespace desktop
