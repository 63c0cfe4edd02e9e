#include "desktop/Binding.h"

#include "desktop/Accessibility.h"
#include "desktop/BindingKinds.h"
#include "desktop/KeyMap.h"
#include "desktop/QtConvert.h"

#include <QMouseEvent>

namespace desktop {

namespace {
int syncDepth = 0;
}

bool syncing() {
    return syncDepth > 0;
}
SyncScope::SyncScope() {
    ++syncDepth;
}
SyncScope::~SyncScope() {
    --syncDepth;
}

Binding::Binding(forms::Control& control, QWidget* widget, Dispatcher& dispatcher)
    : control_(control), widget_(widget), dispatcher_(dispatcher) {
    widget->setObjectName(qs(control.name()));
}

void Binding::input(const std::function<void()>& fn) const {
    if (!syncing()) dispatcher_.dispatch(fn);
}

void Binding::nameAfter(const forms::Control* label) {
    named_ = true;
    nameLabel_ = label;
    namedFrom_ = control_.Caption + '\n' + (label ? label->Caption : std::string());
    if (!widget_) return;
    widget_->setAccessibleName(accessibleNameOf(control_, label));
    if (QString d = accessibleDescriptionOf(control_); !d.isEmpty()) widget_->setAccessibleDescription(d);
}

void Binding::pull() {
    if (!widget_) return;
    forms::Control& c = control_;
    if (named_) {
        std::string from = c.Caption + '\n' + (nameLabel_ ? nameLabel_->Caption : std::string());
        if (from != namedFrom_) {
            namedFrom_ = std::move(from);
            widget_->setAccessibleName(accessibleNameOf(c, nameLabel_));
        }
    }
    // Only the control's own state: a disabled container disables its children by itself.
    if (widget_->testAttribute(Qt::WA_ForceDisabled) == c.Enabled) widget_->setEnabled(c.Enabled);
    if (widget_->isHidden() == c.Visible) widget_->setHidden(!c.Visible);
    QString tip = qs(c.ToolTipText);
    if (widget_->toolTip() != tip) widget_->setToolTip(tip);
    if (positioned_) {
        QRect g(px(c.Left), px(c.Top), std::max(px(c.Width), 1), std::max(px(c.Height), 1));
        if (g != geometry_) {
            widget_->setGeometry(g);
            geometry_ = g;
        }
    }
    if (!coloured_ || back_ != c.BackColor || fore_ != c.ForeColor) {
        coloured_ = true;
        back_ = c.BackColor;
        fore_ = c.ForeColor;
        QPalette pal; // only the roles set below; the rest follow the parent
        bool field = c.kind() == forms::Kind::TextBox || c.kind() == forms::Kind::ComboBox ||
                     c.kind() == forms::Kind::DatePicker || c.kind() == forms::Kind::ListView ||
                     c.kind() == forms::Kind::FlexGrid;
        QColor back = toQColor(c.BackColor), fore = toQColor(c.ForeColor);
        if (back.isValid()) pal.setColor(field ? QPalette::Base : QPalette::Window, back);
        if (fore.isValid()) {
            pal.setColor(field ? QPalette::Text : QPalette::WindowText, fore);
            if (c.kind() == forms::Kind::CommandButton) pal.setColor(QPalette::ButtonText, fore);
        }
        widget_->setPalette(pal);
        widget_->setAutoFillBackground(!field && back.isValid() && c.kind() != forms::Kind::CommandButton);
    }
}

bool Binding::modelTypes(int) const {
    return false;
}

void Binding::fireMouse(const std::function<void(int, int, float, float)>& ev, QMouseEvent* e) const {
    if (!ev) return;
    int button = e->type() == QEvent::MouseMove ? modelButton(Qt::MouseButton(int(e->buttons() & 7)))
                                                : modelButton(e->button());
    int shift = modelShift(e->modifiers());
    float x = toTwips(e->position().x()), y = toTwips(e->position().y());
    input([ev, button, shift, x, y] { ev(button, shift, x, y); });
}

bool Binding::mouse(QObject*, QMouseEvent* e) {
    forms::Control& c = control_;
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        fireMouse(c.MouseDown, e);
        break;
    case QEvent::MouseButtonRelease:
        fireMouse(c.MouseUp, e);
        break;
    case QEvent::MouseMove:
        fireMouse(c.MouseMove, e);
        break;
    case QEvent::MouseButtonDblClick:
        if (c.DblClick) input(c.DblClick);
        break;
    default:
        break;
    }
    return false;
}

std::unique_ptr<Binding> makeBinding(forms::Control& c, QWidget* parent, Dispatcher& d) {
    using forms::Kind;
    switch (c.kind()) {
    case Kind::Label:
        return std::make_unique<LabelBinding>(static_cast<forms::Label&>(c), parent, d);
    case Kind::TextBox:
        return std::make_unique<TextBinding>(static_cast<forms::TextBox&>(c), parent, d);
    case Kind::CommandButton:
        return std::make_unique<ButtonBinding>(static_cast<forms::CommandButton&>(c), parent, d);
    case Kind::CheckBox:
        return std::make_unique<CheckBinding>(static_cast<forms::CheckBox&>(c), parent, d);
    case Kind::OptionButton:
        return std::make_unique<OptionBinding>(static_cast<forms::OptionButton&>(c), parent, d);
    case Kind::ComboBox:
        return std::make_unique<ComboBinding>(static_cast<forms::ComboBox&>(c), parent, d);
    case Kind::DatePicker:
        return std::make_unique<DateBinding>(static_cast<forms::DatePicker&>(c), parent, d);
    case Kind::Frame:
    case Kind::PictureBox:
        return std::make_unique<FrameBinding>(static_cast<forms::Frame&>(c), parent, d);
    case Kind::FlexGrid:
        return makeGridBinding(static_cast<forms::FlexGrid&>(c), parent, d);
    case Kind::ListView:
        return makeListBinding(static_cast<forms::ListView&>(c), parent, d);
    case Kind::Menu:
    case Kind::ImageList:
        return nullptr;
    }
    return nullptr;
}

} // namespace desktop
