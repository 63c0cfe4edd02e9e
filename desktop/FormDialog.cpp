#include "desktop/FormDialog.h"

#include "desktop/Accessibility.h"
#include "desktop/BusyCursor.h"
#include "desktop/FormLayout.h"
#include "desktop/Help.h"
#include "desktop/KeyMap.h"
#include "desktop/QtConvert.h"
#include "forms/Controls.h"
#include "runtime/Error.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

namespace desktop {

namespace {
std::vector<FormDialog*>& openDialogs() {
    static std::vector<FormDialog*> v;
    return v;
}

bool waitCursorShown = false;

void pullScreenCursor() {
    bool wait = forms::screen().MousePointer == forms::vbHourglass;
    if (wait == waitCursorShown) return;
    waitCursorShown = wait;
    if (wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
} // namespace

std::string errorText(const std::exception& e) {
    if (const auto* r = dynamic_cast<const rt::Error*>(&e))
        return r->description() + "\n\nError " + std::to_string(r->number()) + " in " + r->source();
    return e.what();
}

FormDialog::FormDialog(forms::Form& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(qs(form.name()));
    openDialogs().push_back(this);
    build();
}

FormDialog::~FormDialog() {
    auto& v = openDialogs();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    // The widgets go first, quietly: their last signals must not reach the models.
    SyncScope quiet;
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

const std::vector<FormDialog*>& FormDialog::all() {
    return openDialogs();
}

FormDialog* FormDialog::of(const forms::Form& form) {
    auto& v = openDialogs();
    for (auto it = v.rbegin(); it != v.rend(); ++it)
        if (&(*it)->form() == &form) return *it;
    return nullptr;
}

void FormDialog::build() {
    positioned_ = designGivesPositions(form_);
    if (positioned_) {
        // The designed positions assume the toolkit's small dialog font.
        QFont f = font();
        f.setPointSize(8);
        setFont(f);
    }
    std::function<QWidget*(const forms::Control*)> containerOf = [&](const forms::Control* c) -> QWidget* {
        const forms::Control* box = c->container();
        if (!box) return this;
        auto it = byControl_.find(box);
        if (it != byControl_.end() && it->second->containerWidget()) return it->second->containerWidget();
        return this;
    };
    // Containers are declared before what they hold, so one pass in control order suffices.
    for (forms::Control* c : form_.controls()) {
        auto b = makeBinding(*c, containerOf(c), *this);
        if (!b) continue;
        byControl_[c] = b.get();
        bindings_.push_back(std::move(b));
    }
    if (positioned_) {
        stretch_ = std::make_unique<Stretch>(form_);
        for (auto& b : bindings_)
            b->setPositioned(true);
        // A label's access key moves the focus to the next control that can take it.
        for (size_t i = 0; i < bindings_.size(); ++i) {
            if (bindings_[i]->control().kind() != forms::Kind::Label) continue;
            for (size_t j = i + 1; j < bindings_.size(); ++j) {
                forms::Kind k = bindings_[j]->control().kind();
                if (k == forms::Kind::Label || k == forms::Kind::Frame || k == forms::Kind::PictureBox)
                    continue;
                static_cast<QLabel*>(bindings_[i]->widget())->setBuddy(bindings_[j]->widget());
                break;
            }
        }
    } else {
        std::map<QWidget*, std::vector<Binding*>> children;
        std::vector<QWidget*> order{this};
        for (auto& b : bindings_) {
            QWidget* parent = b->widget()->parentWidget();
            if (!children.count(parent) && parent != this) order.push_back(parent);
            children[parent].push_back(b.get());
        }
        for (QWidget* w : order)
            layOutAutomatically(w, children[w]);
    }
    const forms::Control* labelBefore = nullptr;
    for (auto& b : bindings_) {
        const forms::Control& c = b->control();
        if (b->widget()->accessibleName().isEmpty()) b->nameAfter(labelBefore);
        // On Linux a combo box is announced by its current entry; what it is for goes along,
        // also on the text box inside that has the keys.
        if (auto* combo = qobject_cast<QComboBox*>(b->widget())) {
            if (combo->accessibleDescription().isEmpty())
                combo->setAccessibleDescription(combo->accessibleName());
            if (QLineEdit* edit = combo->lineEdit(); edit && edit->accessibleName().isEmpty())
                edit->setAccessibleName(combo->accessibleName());
            if (combo->view()->accessibleName().isEmpty())
                combo->view()->setAccessibleName(combo->accessibleName());
        }
        labelBefore = c.kind() == forms::Kind::Label ? &c : nullptr;
    }
    installEventFilter(this);
    for (auto& b : bindings_) {
        byWidget_[b->widget()] = b.get();
        watch(b->widget());
        if (b->mouseTarget() != b->widget()) byWidget_[b->mouseTarget()] = b.get();
    }
}

void FormDialog::watch(QWidget* w) {
    w->installEventFilter(this);
    for (QWidget* child : w->findChildren<QWidget*>())
        child->installEventFilter(this);
}

QWidget* FormDialog::widgetOf(const forms::Control& c) const {
    auto it = byControl_.find(&c);
    return it == byControl_.end() ? nullptr : it->second->widget();
}

QWidget* FormDialog::widgetOf(std::string_view name) const {
    forms::Control* c = form_.find(name);
    return c ? widgetOf(*c) : nullptr;
}

Binding* FormDialog::bindingAt(QObject* target) const {
    for (QObject* o = target; o && o != this; o = o->parent()) {
        auto it = byWidget_.find(o);
        if (it != byWidget_.end()) return it->second;
    }
    return nullptr;
}

void FormDialog::sync() {
    SyncScope scope;
    QString title = qs(form_.Caption);
    if (windowTitle() != title) setWindowTitle(title);
    QSize size = clientSize(form_.Width, form_.Height);
    if (size != size_) {
        size_ = size;
        resize(size);
        // A window with a grid or list grows from its designed size; others keep it.
        if (stretch_ && stretch_->active())
            setMinimumSize(size);
        else if (positioned_)
            setFixedSize(size);
    }
    if (!coloured_ || back_ != form_.BackColor) {
        coloured_ = true;
        back_ = form_.BackColor;
        QPalette pal;
        if (QColor c = toQColor(form_.BackColor); c.isValid()) pal.setColor(QPalette::Window, c);
        setPalette(pal);
    }
    for (auto& b : bindings_)
        b->pull();
    if (form_.MousePointer == forms::vbHourglass)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
    pullFocus();
}

void FormDialog::pullFocus() {
    if (!live_ || finished_ || openDialogs().empty() || openDialogs().back() != this) return;
    forms::Control* a = form_.activeControl();
    QWidget* w = a ? widgetOf(*a) : nullptr;
    if (!w || !w->isVisible() || !w->isEnabled()) return;
    QWidget* f = QApplication::focusWidget();
    if (f == w || (f && w->isAncestorOf(f))) return;
    w->setFocus(Qt::OtherFocusReason);
}

void FormDialog::syncAll() {
    for (FormDialog* d : openDialogs())
        d->sync();
    pullScreenCursor();
}

void FormDialog::dispatch(const std::function<void()>& fn) {
    try {
        BusyCursor busy;
        fn();
    } catch (const std::exception& e) {
        // Errors the models leave untrapped are the user's to see; the window goes on.
        forms::MsgBox(errorText(e), forms::vbCritical);
    }
    syncAll();
}

void FormDialog::finish() {
    finished_ = true;
    done(QDialog::Rejected);
}

void FormDialog::reject() {
    // Esc is the model's key (its cancel button); closing by the frame goes through closeEvent.
}

void FormDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!stretch_ || !stretch_->active() || size_.isEmpty()) return;
    stretch_->grow(static_cast<int>(toTwips(width() - size_.width())),
                   static_cast<int>(toTwips(height() - size_.height())));
    if (!syncing()) syncAll();
}

void FormDialog::closeEvent(QCloseEvent* event) {
    if (finished_) {
        event->accept();
        return;
    }
    event->ignore();
    dispatch([this] { form_.requestClose(); });
}

bool FormDialog::eventFilter(QObject* target, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return key(target, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn: {
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Coming back to the window keeps the model's focus as it is.
        if (!live_ || finished_ || syncing() || reason == Qt::ActiveWindowFocusReason ||
            reason == Qt::PopupFocusReason)
            return false;
        if (Binding* b = bindingAt(target); b && &b->control() != form_.activeControl()) {
            forms::Control* c = &b->control();
            dispatch([this, c] { form_.setFocusTo(c); });
        }
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        if (finished_ || syncing()) return false;
        auto it = byWidget_.find(target);
        if (it == byWidget_.end() || it->second->mouseTarget() != target) return false;
        return it->second->mouse(target, static_cast<QMouseEvent*>(event));
    }
    default:
        return false;
    }
}

bool FormDialog::key(QObject* target, QKeyEvent* e) {
    // Each keystroke once: at the focus widget (or the dialog when nothing has the focus).
    QWidget* focus = QApplication::focusWidget();
    if (focus ? target != focus : target != this) return false;
    if (finished_ || !form_.loaded()) return false;
    // An unused key travels on to the parents, and a window the key opened and closed can
    // leave no focus widget behind: the dialog would then see the same keystroke again.
    auto* widget = qobject_cast<QWidget*>(target);
    if (e == lastKey_ && e->type() == lastKeyType_ && e->timestamp() == lastKeyTime_ && widget &&
        lastKeyTarget_ && widget != lastKeyTarget_ && widget->isAncestorOf(lastKeyTarget_))
        return false;
    lastKey_ = e;
    lastKeyType_ = e->type();
    lastKeyTime_ = e->timestamp();
    lastKeyTarget_ = widget;
    // Forgotten once this delivery is over (not inside a window the key opens).
    struct Forget {
        FormDialog* d;
        unsigned serial;
        ~Forget() {
            QTimer::singleShot(0, d, [d = d, serial = serial] {
                if (d->keySerial_ == serial) d->lastKey_ = nullptr;
            });
        }
    } forget{this, ++keySerial_};
    const ModelKey k = modelKey(e->key(), e->modifiers(), e->text());
    // The model moves the focus for Tab and Enter; the style draws where the focus is only
    // once the window knows the keyboard is in use.
    if (e->type() == QEvent::KeyPress && !testAttribute(Qt::WA_KeyboardFocusChange)) {
        setAttribute(Qt::WA_KeyboardFocusChange);
        update();
    }
    if (e->type() == QEvent::KeyRelease) {
        if (e->isAutoRepeat() || !k.keyCode || k.keyCode == forms::vbKeyTab) return false;
        dispatch([&] { form_.keyUp(k.keyCode, k.shift); });
        return false;
    }
    if (!k.keyCode && !k.ascii) return false;
    Binding* b = nullptr;
    if (forms::Control* a = form_.activeControl()) {
        auto it = byControl_.find(a);
        if (it != byControl_.end()) b = it->second;
    }
    if (b) b->pushCaret();
    if (k.keyCode == forms::vbKeyTab) {
        dispatch([&] {
            form_.keyDown(forms::vbKeyTab, k.shift);
            if (form_.loaded()) form_.tabToNext(k.shift & forms::vbShiftMask);
        });
        return true;
    }
    if (k.keyCode == forms::vbKeyF1) {
        dispatch([&] { form_.keyDown(k.keyCode, k.shift); });
        showHelp(this, form_.name());
        return true;
    }
    const bool modelTypes = k.ascii && b && b->modelTypes(k.ascii);
    dispatch([&] { form_.keyDownAndPress(k.keyCode, k.ascii, k.shift); });
    // Enter and Esc are the model's (default and cancel buttons, moving on to the next field).
    return modelTypes || k.keyCode == forms::vbKeyReturn || k.keyCode == forms::vbKeyEscape;
}

} // namespace desktop
