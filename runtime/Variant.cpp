#include "runtime/Variant.h"

#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <limits>

namespace rt {

Variant::Variant(int64_t v) {
    if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
        v_ = static_cast<int32_t>(v);
    else
        v_ = static_cast<double>(v);
}

bool Variant::isNumber() const {
    auto t = type();
    return t == Type::Integer || t == Type::Long || t == Type::Double;
}

const std::string& Variant::str() const {
    if (auto* s = std::get_if<std::string>(&v_)) return *s;
    raise(errTypeMismatch);
}

const ObjectPtr& Variant::object() const {
    if (auto* o = std::get_if<ObjectPtr>(&v_)) {
        if (!*o) raise(errObjectNotSet);
        return *o;
    }
    if (isEmpty()) raise(errObjectNotSet);
    raise(errTypeMismatch);
}

Date Variant::date() const {
    return CDate(*this);
}

bool operator==(const Variant& a, const Variant& b) {
    using T = Variant::Type;
    if (a.isNull() || b.isNull()) return false;
    if (a.isObject() || b.isObject()) {
        return a.isObject() && b.isObject() && a.object().get() == b.object().get();
    }
    auto numericLike = [](const Variant& v) {
        auto t = v.type();
        return t == T::Integer || t == T::Long || t == T::Double || t == T::Boolean || t == T::Date ||
               t == T::Empty;
    };
    if (a.isString() && b.isString()) return a.str() == b.str();
    if (a.isEmpty() && b.isString()) return b.str().empty();
    if (b.isEmpty() && a.isString()) return a.str().empty();
    if (numericLike(a) && numericLike(b)) return CDbl(a) == CDbl(b);
    // Text against a number compares as numbers when the text reads as one.
    const Variant& s = a.isString() ? a : b;
    const Variant& n = a.isString() ? b : a;
    if (!IsNumeric(s)) return false;
    return CDbl(s) == CDbl(n);
}

const char* typeName(Variant::Type t) {
    switch (t) {
    case Variant::Type::Empty:
        return "Empty";
    case Variant::Type::Null:
        return "Null";
    case Variant::Type::Integer:
        return "Integer";
    case Variant::Type::Long:
        return "Long";
    case Variant::Type::Double:
        return "Double";
    case Variant::Type::String:
        return "String";
    case Variant::Type::Date:
        return "Date";
    case Variant::Type::Boolean:
        return "Boolean";
    case Variant::Type::Object:
        return "Object";
    }
    return "?";
}

} // namespace rt
