#include "desktop/Accessibility.h"
#include "desktop/BindingKinds.h"
#include "desktop/QtConvert.h"
#include "forms/TextEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

namespace desktop {

namespace {
// Typed characters and Backspace: the models edit their text themselves.
bool typesText(int ascii) {
    return ascii == forms::vbKeyBack || ascii >= 32;
}

void applyCaret(QLineEdit* e, const std::string& text, int selStart, int selLength) {
    int start = qtPosition(text, selStart);
    int end = qtPosition(text, selStart + std::max(selLength, 0));
    if (end > start)
        e->setSelection(start, end - start);
    else
        e->setCursorPosition(start);
}

// A click that gives a box the focus keeps the whole text selected when the window's GotFocus
// selected it (the amount and description of a line): what is typed then replaces "0.00" or the
// proposed description, instead of being refused after the two decimals or appended to it.
class KeepsSelectionOnClick : public QObject {
  public:
    KeepsSelectionOnClick(QLineEdit* edit, const forms::TextBox& box)
        : QObject(edit), edit_(edit), box_(box) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            // After the press has put the caret where the click was.
            QTimer::singleShot(0, edit_, [this] {
                const std::string& t = box_.Text();
                if (!t.empty() && box_.SelStart == 0 && static_cast<size_t>(box_.SelLength) >= t.size() &&
                    edit_->hasFocus() && !edit_->hasSelectedText())
                    edit_->selectAll();
            });
        return false;
    }

  private:
    QLineEdit* edit_;
    const forms::TextBox& box_;
};

void readCaret(const QLineEdit* e, int& selStart, int& selLength) {
    QString t = e->text();
    if (e->hasSelectedText()) {
        int s = e->selectionStart();
        selStart = bytePosition(t, s);
        selLength = bytePosition(t, s + static_cast<int>(e->selectedText().size())) - selStart;
    } else {
        selStart = bytePosition(t, e->cursorPosition());
        selLength = 0;
    }
}
} // namespace

// Label ------------------------------------------------------------------------------------

LabelBinding::LabelBinding(forms::Label& c, QWidget* parent, Dispatcher& d)
    : Binding(c, new QLabel(parent), d), label_(static_cast<QLabel*>(widget())) {
    label_->setTextFormat(Qt::PlainText);
}

void LabelBinding::pull() {
    Binding::pull();
    // The access key only means something with a buddy to give the focus to.
    QString t = qs(label_->buddy() ? control().Caption : forms::stripAccessKey(control().Caption));
    if (label_->text() != t) label_->setText(t);
}

bool LabelBinding::mouse(QObject* target, QMouseEvent* e) {
    Binding::mouse(target, e);
    if (e->type() == QEvent::MouseButtonRelease && control().Click) input(control().Click);
    return false;
}

// TextBox ----------------------------------------------------------------------------------

TextBinding::TextBinding(forms::TextBox& c, QWidget* parent, Dispatcher& d)
    : Binding(c, new QLineEdit(parent), d), box_(c), edit_(static_cast<QLineEdit*>(widget())) {
    edit_->installEventFilter(new KeepsSelectionOnClick(edit_, c));
    // Keys the models do not type (Delete, paste, drag and drop, input methods) edit the widget;
    // the result goes to the model as an edit its key filter and MaxLength judge, whole. The
    // widget keeps no length of its own: it would cut a pasted number short before the model
    // saw it. A refused edit is undone when the widget is brought back to the model's text.
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this](const QString& t) {
        input([this, t] {
            // The caret stays where the widget's edit left it.
            if (forms::editText(box_, ss(t)) && box_.Text() == ss(edit_->text())) pushCaret();
        });
    });
}

void TextBinding::pull() {
    Binding::pull();
    if (edit_->isReadOnly() != box_.Locked) edit_->setReadOnly(box_.Locked);
    QString t = qs(box_.Text());
    bool textChanged = edit_->text() != t;
    if (textChanged) edit_->setText(t);
    if (textChanged || selStart_ != box_.SelStart || selLength_ != box_.SelLength) {
        applyCaret(edit_, box_.Text(), box_.SelStart, box_.SelLength);
        selStart_ = box_.SelStart;
        selLength_ = box_.SelLength;
    }
}

bool TextBinding::modelTypes(int ascii) const {
    return typesText(ascii);
}

void TextBinding::pushCaret() {
    readCaret(edit_, box_.SelStart, box_.SelLength);
    selStart_ = box_.SelStart;
    selLength_ = box_.SelLength;
}

// CommandButton ----------------------------------------------------------------------------

ButtonBinding::ButtonBinding(forms::CommandButton& c, QWidget* parent, Dispatcher& d)
    : Binding(c, new QPushButton(parent), d), button_(c), push_(static_cast<QPushButton*>(widget())) {
    // Enter is the model's to route (default button, or the focused button itself).
    push_->setAutoDefault(false);
    look_ = captionlessButtonLook(c);
    if (!look_.icon.isNull()) push_->setIcon(look_.icon);
    QObject::connect(push_, &QPushButton::clicked, push_, [this] { input([this] { button_.press(); }); });
}

void ButtonBinding::pull() {
    Binding::pull();
    QString t = qs(button_.Caption);
    if (push_->text() != t) push_->setText(t);
    if (push_->isDefault() != button_.Default) push_->setDefault(button_.Default);
    if (push_->toolTip().isEmpty() && !look_.text.isEmpty()) push_->setToolTip(look_.text);
}

bool ButtonBinding::modelTypes(int ascii) const {
    return ascii == forms::vbKeySpace || ascii == forms::vbKeyReturn;
}

// CheckBox ---------------------------------------------------------------------------------

CheckBinding::CheckBinding(forms::CheckBox& c, QWidget* parent, Dispatcher& d)
    : Binding(c, new QCheckBox(parent), d), box_(c), check_(static_cast<QCheckBox*>(widget())) {
    // A click checks a grayed box, as the toolkit does; the model's value decides.
    QObject::connect(check_, &QCheckBox::clicked, check_,
                     [this] { input([this] { box_.setValue(box_.Value() == 1 ? 0 : 1); }); });
}

void CheckBinding::pull() {
    Binding::pull();
    QString t = qs(box_.Caption);
    if (check_->text() != t) check_->setText(t);
    Qt::CheckState s = box_.Value() == 1   ? Qt::Checked
                       : box_.Value() == 2 ? Qt::PartiallyChecked
                                           : Qt::Unchecked;
    if (s == Qt::PartiallyChecked) check_->setTristate(true);
    if (check_->checkState() != s) check_->setCheckState(s);
}

bool CheckBinding::modelTypes(int ascii) const {
    return ascii == forms::vbKeySpace;
}

// OptionButton -----------------------------------------------------------------------------

OptionBinding::OptionBinding(forms::OptionButton& c, QWidget* parent, Dispatcher& d)
    : Binding(c, new QRadioButton(parent), d), option_(c), radio_(static_cast<QRadioButton*>(widget())) {
    // Auto-exclusive, so that screen readers announce a radio button (not a check box); the
    // model groups the options by container as the widget's parent does.
    radio_->setAutoExclusive(true);
    QObject::connect(radio_, &QRadioButton::clicked, radio_,
                     [this] { input([this] { option_.setValue(true); }); });
}

void OptionBinding::pull() {
    Binding::pull();
    QString t = qs(option_.Caption);
    if (radio_->text() != t) radio_->setText(t);
    if (radio_->isChecked() != option_.Value()) {
        // An exclusive button refuses to be cleared directly; the model may clear them all.
        radio_->setAutoExclusive(false);
        radio_->setChecked(option_.Value());
        radio_->setAutoExclusive(true);
    }
}

bool OptionBinding::modelTypes(int ascii) const {
    return ascii == forms::vbKeySpace;
}

// ComboBox ---------------------------------------------------------------------------------

ComboBinding::ComboBinding(forms::ComboBox& c, QWidget* parent, Dispatcher& d)
    : Binding(c, new QComboBox(parent), d), combo_(c), box_(static_cast<QComboBox*>(widget())) {
    box_->setEditable(!c.dropDownList);
    box_->setInsertPolicy(QComboBox::NoInsert);
    box_->setMaxVisibleItems(12);
    if (QLineEdit* e = box_->lineEdit()) {
        box_->setCompleter(nullptr);
        connectEdits(e);
    }
    QObject::connect(box_, &QComboBox::activated, box_,
                     [this](int i) { input([this, i] { combo_.setListIndex(i); }); });
}

void ComboBinding::pull() {
    Binding::pull();
    if (box_->isEditable() == combo_.dropDownList) {
        box_->setEditable(!combo_.dropDownList);
        if (QLineEdit* e = box_->lineEdit()) {
            box_->setCompleter(nullptr);
            connectEdits(e);
        }
    }
    const auto& items = combo_.items();
    bool same = items.size() == items_.size();
    for (size_t i = 0; same && i < items.size(); ++i)
        same = items[i].text == items_[i];
    if (!same) {
        items_.clear();
        QStringList list;
        for (const auto& it : items) {
            items_.push_back(it.text);
            list << qs(it.text);
        }
        box_->clear();
        box_->addItems(list);
    }
    if (box_->currentIndex() != combo_.ListIndex()) box_->setCurrentIndex(combo_.ListIndex());
    if (QLineEdit* e = box_->lineEdit()) {
        if (e->isReadOnly() != combo_.Locked) e->setReadOnly(combo_.Locked);
        QString t = qs(combo_.Text());
        bool textChanged = e->text() != t;
        if (textChanged) e->setText(t);
        if (textChanged || selStart_ != combo_.SelStart || selLength_ != combo_.SelLength) {
            applyCaret(e, combo_.Text(), combo_.SelStart, combo_.SelLength);
            selStart_ = combo_.SelStart;
            selLength_ = combo_.SelLength;
        }
    }
}

void ComboBinding::connectEdits(QLineEdit* e) {
    QObject::connect(e, &QLineEdit::textEdited, box_, [this, e](const QString& t) {
        input([this, e, t] {
            combo_.setText(ss(t));
            if (combo_.Text() == ss(e->text())) pushCaret();
        });
    });
}

bool ComboBinding::modelTypes(int ascii) const {
    return box_->isEditable() && typesText(ascii);
}

void ComboBinding::pushCaret() {
    if (QLineEdit* e = box_->lineEdit()) {
        readCaret(e, combo_.SelStart, combo_.SelLength);
        selStart_ = combo_.SelStart;
        selLength_ = combo_.SelLength;
    }
}

// DatePicker -------------------------------------------------------------------------------

namespace {
// A date typed in full with its separators ("05/12/2030") lands part by part: once a day or
// month is typed in full the edit has already moved on, and the separator typed next would skip
// the following part, leaving the month as it was and the year cut short.
class DateEdit : public QDateEdit {
  public:
    using QDateEdit::QDateEdit;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        const QString t = e->text();
        if (t.size() == 1 && !t[0].isLetterOrNumber() && !t[0].isSpace()) {
            const QLineEdit* edit = lineEdit();
            const int at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
            if (at > 0 && edit->text().at(at - 1) == t[0]) {
                e->accept();
                return;
            }
        }
        QDateEdit::keyPressEvent(e);
    }
};
} // namespace

DateBinding::DateBinding(forms::DatePicker& c, QWidget* parent, Dispatcher& d)
    : Binding(c, new DateEdit(parent), d), picker_(c), edit_(static_cast<QDateEdit*>(widget())) {
    edit_->setCalendarPopup(true);
    edit_->setDisplayFormat("dd/MM/yyyy");
    edit_->setDateRange(QDate(1753, 1, 1), QDate(9999, 12, 31));
    QObject::connect(edit_, &QDateEdit::dateChanged, edit_, [this](const QDate& q) {
        if (q.isValid()) input([this, q] { picker_.setValue(fromQDate(q)); });
    });
}

void DateBinding::pull() {
    Binding::pull();
    QDate q = toQDate(picker_.Value());
    if (edit_->date() != q) edit_->setDate(q);
}

// Frame and PictureBox ---------------------------------------------------------------------

namespace {
QWidget* frameWidget(forms::Frame& c, QWidget* parent) {
    if (c.kind() == forms::Kind::PictureBox) {
        auto* f = new QFrame(parent);
        f->setFrameShape(QFrame::StyledPanel);
        return f;
    }
    return new QGroupBox(parent);
}
} // namespace

FrameBinding::FrameBinding(forms::Frame& c, QWidget* parent, Dispatcher& d)
    : Binding(c, frameWidget(c, parent), d) {
    if (c.kind() == forms::Kind::Frame) group_ = static_cast<QGroupBox*>(widget());
}

void FrameBinding::pull() {
    Binding::pull();
    if (group_) {
        QString t = qs(control().Caption);
        if (group_->title() != t) group_->setTitle(t);
    }
}

bool FrameBinding::mouse(QObject* target, QMouseEvent* e) {
    Binding::mouse(target, e);
    if (e->type() == QEvent::MouseButtonRelease && control().Click) input(control().Click);
    return false;
}

} // namespace desktop
