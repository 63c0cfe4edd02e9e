#include "forms/TextBox.h"

#include "runtime/Convert.h"
#include "runtime/Utf8.h"

#include <algorithm>

namespace forms {

TextBox::TextBox(Form& f, std::string name, Control* container)
    : Control(f, std::move(name), Kind::TextBox, container) {}

void TextBox::reset() {
    Control::reset();
    text_.clear();
    Locked = false;
    SelStart = SelLength = 0;
}

void TextBox::setText(std::string t) {
    // MaxLength counts characters: a stored text is never cut inside one.
    if (MaxLength > 0) t.resize(rt::byteOffset(t, static_cast<size_t>(MaxLength)));
    bool changed = t != text_;
    text_ = std::move(t);
    SelStart = static_cast<int>(text_.size());
    SelLength = 0;
    touch();
    if (changed) fire(Change);
}

void TextBox::selectAll() {
    SelStart = 0;
    SelLength = static_cast<int>(text_.size());
    touch();
}

bool TextBox::applyKey(int k) {
    if (k == 0 || Locked) return false;
    std::string t = text_;
    size_t start = std::min(static_cast<size_t>(std::max(SelStart, 0)), t.size());
    size_t len = std::min(static_cast<size_t>(std::max(SelLength, 0)), t.size() - start);
    if (k == vbKeyBack) {
        if (len)
            t.erase(start, len);
        else if (start)
            t.erase(--start, 1);
        else
            return false;
    } else if (k >= 32) {
        // The bytes after a character's first belong to it and never make the text longer.
        if (MaxLength > 0 && !rt::isUtf8Continuation(static_cast<unsigned char>(k)) &&
            rt::charCount(t) - rt::charCount(std::string_view(t).substr(start, len)) >=
                static_cast<size_t>(MaxLength))
            return false;
        t.replace(start, len, 1, static_cast<char>(k));
        ++start;
    } else {
        return false;
    }
    bool changed = t != text_;
    text_ = std::move(t);
    SelStart = static_cast<int>(start);
    SelLength = 0;
    touch();
    if (changed) fire(Change);
    return true;
}

rt::Variant TextBox::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    auto intProp = [&](int& p) {
        return property(
            kind, args, [&] { return rt::Variant(p); }, [&](const rt::Variant& v) { p = rt::CLng(v); });
    };
    if (rt::iequals(member, "Text"))
        return property(
            kind, args, [&] { return rt::Variant(text_); },
            [&](const rt::Variant& v) { setText(rt::CStr(v)); });
    if (rt::iequals(member, "SelStart")) return intProp(SelStart);
    if (rt::iequals(member, "SelLength")) return intProp(SelLength);
    if (rt::iequals(member, "Locked"))
        return property(
            kind, args, [&] { return rt::Variant(Locked); },
            [&](const rt::Variant& v) { Locked = rt::CBool(v); });
    return Control::invoke(member, kind, args);
}

} // namespace forms
