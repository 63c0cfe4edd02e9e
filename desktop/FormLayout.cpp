#include "desktop/FormLayout.h"

#include "desktop/QtConvert.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>

namespace desktop {

namespace {
using forms::Kind;

// The window frame and title bar that the design's outer size includes.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 30;

bool isField(Kind k) {
    return k == Kind::TextBox || k == Kind::ComboBox || k == Kind::DatePicker;
}
bool isChoice(Kind k) {
    return k == Kind::OptionButton || k == Kind::CheckBox;
}
bool isWide(Kind k) {
    return k == Kind::Frame || k == Kind::PictureBox || k == Kind::FlexGrid || k == Kind::ListView;
}
bool stretches(Kind k) {
    return k == Kind::FlexGrid || k == Kind::ListView;
}

// Builds the sections of a container's layout one after the other.
class Sections {
  public:
    explicit Sections(QWidget* container) : container_(container), v_(new QVBoxLayout(container)) {}

    void label(QLabel* l) {
        flushLabel();
        pending_ = l;
    }
    void field(QWidget* w) { formRow(w); }
    void choices(const std::vector<QWidget*>& ws) {
        auto* row = new QHBoxLayout;
        for (QWidget* w : ws)
            row->addWidget(w);
        row->addStretch(1);
        if (pending_) {
            // A label names the whole run ("Type:" before the options).
            auto* holder = new QWidget(container_);
            holder->setLayout(row);
            row->setContentsMargins(0, 0, 0, 0);
            formRow(holder);
        } else {
            closeForm();
            v_->addLayout(row);
        }
    }
    void buttons(const std::vector<QWidget*>& ws) {
        flushLabel();
        closeForm();
        auto* row = new QHBoxLayout;
        row->addStretch(1);
        for (QWidget* w : ws)
            row->addWidget(w);
        v_->addLayout(row);
    }
    void wide(QWidget* w, Kind k) {
        if (pending_ && !stretches(k)) {
            formRow(w);
            return;
        }
        flushLabel();
        closeForm();
        v_->addWidget(w, stretches(k) ? 1 : 0);
        stretched_ = stretched_ || stretches(k);
    }
    void finish() {
        flushLabel();
        if (!stretched_) v_->addStretch(1);
    }

  private:
    QFormLayout* form() {
        if (!form_) {
            form_ = new QFormLayout;
            form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
            v_->addLayout(form_);
        }
        return form_;
    }
    void formRow(QWidget* w) {
        if (pending_) {
            pending_->setBuddy(w);
            form()->addRow(pending_, w);
            pending_ = nullptr;
        } else {
            form()->addRow(QString(), w);
        }
    }
    void flushLabel() {
        if (!pending_) return;
        closeForm();
        v_->addWidget(pending_);
        pending_ = nullptr;
    }
    void closeForm() { form_ = nullptr; }

    QWidget* container_;
    QVBoxLayout* v_;
    QFormLayout* form_ = nullptr;
    QLabel* pending_ = nullptr;
    bool stretched_ = false;
};
} // namespace

bool designGivesPositions(const forms::Form& form) {
    for (const forms::Control* c : form.controls()) {
        if (c->kind() == Kind::Menu || c->kind() == Kind::ImageList) continue;
        if (c->Left != 0 || c->Top != 0) return true;
    }
    return false;
}

void layOutAutomatically(QWidget* container, const std::vector<Binding*>& children) {
    Sections s(container);
    for (size_t i = 0; i < children.size();) {
        Kind k = children[i]->control().kind();
        QWidget* w = children[i]->widget();
        if (k == Kind::Label) {
            s.label(static_cast<QLabel*>(w));
            ++i;
        } else if (isField(k)) {
            s.field(w);
            ++i;
        } else if (isWide(k)) {
            s.wide(w, k);
            ++i;
        } else {
            // A run of buttons, or of options and check boxes.
            bool button = k == Kind::CommandButton;
            std::vector<QWidget*> run;
            while (i < children.size()) {
                Kind n = children[i]->control().kind();
                if (button ? n != Kind::CommandButton : !isChoice(n)) break;
                run.push_back(children[i]->widget());
                ++i;
            }
            if (run.empty())
                ++i; // no widget kind of its own
            else if (button)
                s.buttons(run);
            else
                s.choices(run);
        }
    }
    s.finish();
}

QSize clientSize(int widthTwips, int heightTwips) {
    return {std::max(px(widthTwips) - kFrameWidth, 100), std::max(px(heightTwips) - kFrameHeight, 60)};
}

} // namespace desktop
