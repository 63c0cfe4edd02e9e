#include "desktop/Accessibility.h"

#include "desktop/QtConvert.h"
#include "forms/Form.h"

#include <QApplication>
#include <QStyle>
#include <cctype>
#include <utility>

namespace desktop {

namespace {

QString withoutColon(QString text) {
    text = text.trimmed();
    while (text.endsWith(':'))
        text.chop(1);
    return text.trimmed();
}

// "cboColNames" -> "Col Names", "GrdMaster" -> "Master grid": the legacy prefixes say the kind.
QString wordsOfName(const std::string& name) {
    static const std::pair<const char*, const char*> kinds[] = {
        {"grd", "grid"}, {"mfg", "grid"}, {"lvw", "list"}, {"cbo", ""}, {"txt", ""}, {"dtp", "date"},
        {"chk", ""},     {"opt", ""},     {"cmd", ""},     {"lbl", ""}, {"fra", ""}, {"pic", ""}};
    std::string rest = name;
    QString kind;
    for (const auto& [prefix, word] : kinds) {
        if (rest.size() > 3 &&
            QString::fromStdString(rest.substr(0, 3)).compare(prefix, Qt::CaseInsensitive) == 0) {
            rest = rest.substr(3);
            kind = word;
            break;
        }
    }
    QString words;
    for (size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        if (i > 0 && std::isupper(static_cast<unsigned char>(c)) &&
            !std::isupper(static_cast<unsigned char>(rest[i - 1])))
            words += ' ';
        words += QChar(i == 0 ? std::toupper(static_cast<unsigned char>(c)) : c);
    }
    return kind.isEmpty() ? words : words + ' ' + kind;
}

// Controls designed with neither caption nor label, named by what they do.
QString purposeOf(const forms::Control& control) {
    static const struct {
        const char* form;
        const char* control;
        const char* purpose;
    } purposes[] = {{"FrmMaster", "Picture1", "Actions"},
                    {"FrmMaster", "cboColNames", "Sort On"},
                    // The editor laid over a rate cell has no label: it is named by what the cell holds.
                    {"frmExchangerate", "txter", "Exchange rate"}};
    for (const auto& p : purposes)
        if (control.form().name() == p.form && control.name() == p.control) return p.purpose;
    return {};
}

} // namespace

QString accessibleNameOf(const forms::Control& control, const forms::Control* labelBefore) {
    if (QString caption = withoutColon(qs(forms::stripAccessKey(control.Caption))); !caption.isEmpty())
        return caption;
    if (QString look = captionlessButtonLook(control).text; !look.isEmpty()) return look;
    if (labelBefore)
        if (QString label = withoutColon(qs(forms::stripAccessKey(labelBefore->Caption))); !label.isEmpty())
            return label;
    if (!control.ToolTipText.empty()) return qs(control.ToolTipText);
    if (QString purpose = purposeOf(control); !purpose.isEmpty()) return purpose;
    return wordsOfName(control.name());
}

QString accessibleDescriptionOf(const forms::Control& control) {
    // The total labels carry each other's names: lblCr shows the debit total.
    static const std::pair<const char*, const char*> descriptions[] = {
        {"lblCr", "Debit total"}, {"lblDr", "Credit total"}, {"cbopayrollno", "Payroll link"}};
    for (const auto& [name, text] : descriptions)
        if (control.name() == name) return text;
    return {};
}

ButtonLook captionlessButtonLook(const forms::Control& button) {
    if (button.kind() != forms::Kind::CommandButton || !button.Caption.empty()) return {};
    static const struct {
        const char* name;
        QStyle::StandardPixmap icon;
        const char* text;
    } looks[] = {{"cmdFirst", QStyle::SP_MediaSkipBackward, "First line"},
                 {"cmdPrevious", QStyle::SP_MediaSeekBackward, "Previous line"},
                 {"cmdNext", QStyle::SP_MediaSeekForward, "Next line"},
                 {"cmdLast", QStyle::SP_MediaSkipForward, "Last line"}};
    for (const auto& l : looks)
        if (button.name() == l.name) return {QApplication::style()->standardIcon(l.icon), l.text};
    return {};
}

} // namespace desktop
