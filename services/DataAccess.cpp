#include "services/DataAccess.h"

#include "automation/Automation.h"
#include "runtime/Convert.h"
#include "services/Args.h"

namespace services {

std::string DataAccess::statement(const std::string& fields, const std::string& condition) const {
    std::string sql = "SELECT " + fields + " FROM " + strTableName;
    if (!rt::Trim(condition).empty()) sql += " WHERE " + condition;
    return sql;
}

const ado::ConnectionPtr& DataAccess::connection() const {
    if (!adocon) rt::raise(rt::errObjectNotSet, className());
    return adocon;
}

rt::Variant DataAccess::fnreturnfield(const std::string& field, const std::string& condition) {
    auto rs = ado::Recordset::create();
    rs->Open(statement(field, condition), connection(), ado::adOpenForwardOnly, ado::adLockReadOnly);
    rt::Variant value;
    if (!rs->eof()) value = (*rs)[0];
    rs->Close();
    return value;
}

void DataAccess::populatecomboorlist(forms::ComboBox& combo, const std::string& idField,
                                     const std::string& textField, const std::string& condition) {
    auto rs = ado::Recordset::create();
    rs->Open(statement(idField + ", " + textField, condition), connection(), ado::adOpenForwardOnly,
             ado::adLockReadOnly);
    combo.Clear();
    for (; !rs->eof(); rs->MoveNext()) {
        const rt::Variant& id = (*rs)[0];
        combo.AddItem(rt::TextOf((*rs)[1]));
        combo.setItemData(combo.NewIndex(), id.isNull() ? 0 : rt::CLng(id));
    }
    rs->Close();
}

rt::Variant DataAccess::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    const std::string cls = className();
    if (rt::iequals(member, "adocon")) return objectProperty(adocon, kind, args, cls, member);
    if (rt::iequals(member, "strTableName")) {
        if (kind == rt::CallKind::PropertyPut) {
            strTableName = rt::CStr(arg(args, 0, cls, member));
            return {};
        }
        if (isRead(kind)) return strTableName;
        wrongArguments(cls, member);
    }
    if (rt::iequals(member, "fnreturnfield")) {
        std::string field = rt::CStr(arg(args, 0, cls, member));
        return fnreturnfield(field, given(args, 1) ? rt::TextOf(args[1]) : std::string());
    }
    if (rt::iequals(member, "populatecomboorlist")) {
        auto combo = objectArg<forms::ComboBox>(args, 0, cls, member);
        populatecomboorlist(*combo, rt::CStr(arg(args, 1, cls, member)), rt::CStr(arg(args, 2, cls, member)),
                            rt::TextOf(arg(args, 3, cls, member)));
        return {};
    }
    return rt::Object::invoke(member, kind, args);
}

namespace {
[[maybe_unused]] const bool registered = [] {
    automation::registerClass(DataAccess::kProgId, [] { return std::make_shared<DataAccess>(); });
    return true;
}();
} // namespace

} // namespace services
