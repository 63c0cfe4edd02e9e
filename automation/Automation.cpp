#include "automation/Automation.h"

#include "automation/ServerLoader.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <map>

namespace automation {

namespace {

// ProgIDs are matched without regard to case, as the system registry matches them.
std::map<std::string, Factory>& classes() {
    static std::map<std::string, Factory> c;
    return c;
}

std::string key(std::string_view progId) {
    return rt::LCase(progId);
}

const rt::ObjectPtr& target(const rt::ObjectPtr& obj, std::string_view member) {
    if (!obj)
        rt::raise(rt::errObjectNotSet, "automation",
                  "Object variable or With block variable not set (" + std::string(member) + ")");
    return obj;
}

} // namespace

void registerClass(const std::string& progId, Factory factory) {
    classes()[key(progId)] = std::move(factory);
}

bool isRegistered(std::string_view progId) {
    return classes().count(key(progId)) > 0 || findServer(progId).has_value();
}

rt::ObjectPtr CreateObject(std::string_view progId) {
    if (auto it = classes().find(key(progId)); it != classes().end()) {
        rt::ObjectPtr obj = it->second();
        if (!obj)
            rt::raise(rt::errCannotCreateObject, "automation",
                      "ActiveX component can't create object: " + std::string(progId));
        return obj;
    }
    if (auto entry = findServer(progId)) return createFromServer(*entry);
    rt::raise(rt::errCannotCreateObject, "automation",
              "ActiveX component can't create object: " + std::string(progId));
}

rt::Variant call(const rt::ObjectPtr& obj, std::string_view method, std::vector<rt::Variant>& args) {
    return target(obj, method)->invoke(method, rt::CallKind::Method, args);
}

rt::Variant get(const rt::ObjectPtr& obj, std::string_view property) {
    std::vector<rt::Variant> none;
    return target(obj, property)->invoke(property, rt::CallKind::PropertyGet, none);
}

void let(const rt::ObjectPtr& obj, std::string_view property, rt::Variant value) {
    std::vector<rt::Variant> args{std::move(value)};
    target(obj, property)->invoke(property, rt::CallKind::PropertyPut, args);
}

void set(const rt::ObjectPtr& obj, std::string_view property, rt::ObjectPtr value) {
    std::vector<rt::Variant> args{rt::Variant(std::move(value))};
    target(obj, property)->invoke(property, rt::CallKind::PropertyPutRef, args);
}

} // namespace automation
