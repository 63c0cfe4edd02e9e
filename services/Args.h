#pragma once
// Argument handling shared by the services' late-bound members: every argument arrives by
// reference as a variant; optional ones may be left off the end.
#include "runtime/Error.h"
#include "runtime/Object.h"
#include "runtime/Variant.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace services {

using Args = std::vector<rt::Variant>;

// Raises 450 naming the class and member.
[[noreturn]] void wrongArguments(std::string_view className, std::string_view member);

// Argument i; raises 450 when the caller gave fewer.
rt::Variant& arg(Args& args, size_t i, std::string_view className, std::string_view member);

// An optional argument is present when given and not Empty.
inline bool given(const Args& args, size_t i) {
    return i < args.size() && !args[i].isEmpty();
}

// A reading of a property: a property get, or a call without arguments.
inline bool isRead(rt::CallKind kind) {
    return kind == rt::CallKind::PropertyGet || kind == rt::CallKind::Method;
}

// Argument i as an object of class T: 91 for Nothing, 13 for anything else.
template <class T>
std::shared_ptr<T> objectArg(Args& args, size_t i, std::string_view className, std::string_view member) {
    const rt::ObjectPtr& obj = arg(args, i, className, member).object();
    auto typed = std::dynamic_pointer_cast<T>(obj);
    if (!typed)
        rt::raise(rt::errTypeMismatch, std::string(className),
                  "Type mismatch: " + std::string(member) + " does not take a " + obj->className());
    return typed;
}

// A property set by reference: the object, or null for Nothing; 13 for another class.
template <class T> std::shared_ptr<T> objectOrNothing(const rt::Variant& v, std::string_view className) {
    if (v.isEmpty() || (v.isObject() && !rt::VariantAccess::get<rt::ObjectPtr>(v)->get())) return nullptr;
    auto typed = std::dynamic_pointer_cast<T>(v.object());
    if (!typed) rt::raise(rt::errTypeMismatch, std::string(className));
    return typed;
}

// An object property that is set by reference and read back (the services' "adocon"); 450 for
// any other use.
template <class T>
rt::Variant objectProperty(std::shared_ptr<T>& slot, rt::CallKind kind, Args& args,
                           std::string_view className, std::string_view member) {
    if (kind == rt::CallKind::PropertyPutRef) {
        slot = objectOrNothing<T>(arg(args, 0, className, member), className);
        return {};
    }
    if (!isRead(kind)) wrongArguments(className, member);
    return rt::ObjectPtr(slot);
}

} // namespace services
