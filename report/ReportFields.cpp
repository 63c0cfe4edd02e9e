#include "report/ReportFields.h"

#include "runtime/Convert.h"
#include "services/Args.h"

namespace report {

using services::arg;
using services::isRead;
using services::wrongArguments;

rt::Variant ParameterField::invoke(std::string_view member, rt::CallKind kind,
                                   std::vector<rt::Variant>& args) {
    const std::string cls = className();
    if (rt::iequals(member, "Name") && isRead(kind)) return name_;
    if (rt::iequals(member, "SetCurrentValue")) {
        state_->values[name_] = arg(args, 0, cls, member);
        return {};
    }
    if (rt::iequals(member, "CurrentValue")) {
        if (kind == rt::CallKind::PropertyPut) {
            state_->values[name_] = arg(args, 0, cls, member);
            return {};
        }
        if (isRead(kind)) {
            auto it = state_->values.find(name_);
            return it == state_->values.end() ? rt::Variant() : it->second;
        }
        wrongArguments(cls, member);
    }
    return rt::Object::invoke(member, kind, args);
}

rt::Variant ParameterFields::invoke(std::string_view member, rt::CallKind kind,
                                    std::vector<rt::Variant>& args) {
    const std::string cls = className();
    const QStringList& names = state_->layout.parameters;
    if (rt::iequals(member, "Count") && isRead(kind)) return static_cast<int32_t>(names.size());
    if (rt::iequals(member, "Item")) {
        const int32_t i = rt::CLng(arg(args, 0, cls, member));
        if (i < 1 || i > names.size()) rt::raise(rt::errSubscriptOutOfRange, "ReportEngine");
        return rt::ObjectPtr(std::make_shared<ParameterField>(state_, names[i - 1].toLower().toStdString()));
    }
    return rt::Object::invoke(member, kind, args);
}

rt::Variant PrintWindowOptionsObject::invoke(std::string_view member, rt::CallKind kind,
                                             std::vector<rt::Variant>& args) {
    const std::string cls = className();
    PrintWindowOptions& o = state_->options;
    bool* option = rt::iequals(member, "HasZoomControl")          ? &o.hasZoomControl
                   : rt::iequals(member, "HasNavigationControls") ? &o.hasNavigationControls
                   : rt::iequals(member, "HasPrintButton")        ? &o.hasPrintButton
                   : rt::iequals(member, "HasExportButton")       ? &o.hasExportButton
                                                                  : nullptr;
    if (!option) return rt::Object::invoke(member, kind, args);
    if (kind == rt::CallKind::PropertyPut) {
        *option = rt::CBool(arg(args, 0, cls, member));
        return {};
    }
    if (isRead(kind)) return *option;
    wrongArguments(cls, member);
}

} // namespace report
