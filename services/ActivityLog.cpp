#include "services/ActivityLog.h"

#include "automation/Automation.h"
#include "runtime/Convert.h"
#include "services/Args.h"
#include "services/ControlValue.h"

namespace services {

namespace {
constexpr size_t kValueShown = 40;
constexpr size_t kSnapshotLimit = 1000;

std::string shortened(const std::string& value) {
    // Cut first: a list's value runs to the whole grid, and only its start is shown.
    std::string v = value.substr(0, kValueShown);
    for (char& c : v)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    if (value.size() > kValueShown) v += "...";
    return v;
}
} // namespace

void ActivityLog::OpenObject(ado::ConnectionPtr connection, int16_t company, int16_t user, int16_t department,
                             int32_t interfaceId, rt::Date time) {
    connection_ = std::move(connection);
    company_ = company;
    user_ = user;
    department_ = department;
    interface_ = interfaceId;
    LoggedTime = time;
    record(rt::Variant::null(), rt::Variant::null(), kOpened, rt::Variant::null());
}

void ActivityLog::SaveInToTag(forms::Form& form) {
    for (forms::Control* c : form.controls())
        if (auto value = controlValue(*c)) c->Tag = *value;
}

bool ActivityLog::DataChanged(forms::Form& form) {
    for (forms::Control* c : form.controls())
        if (!valueIs(*c, c->Tag)) return true;
    return false;
}

std::string ActivityLog::changedControls(forms::Form& form) {
    std::string text;
    for (forms::Control* c : form.controls()) {
        if (valueIs(*c, c->Tag)) continue;
        auto value = controlValue(*c, kValueShown + 1);
        if (!text.empty()) text += "; ";
        text += c->name() + "=" + shortened(*value);
    }
    if (text.size() > kSnapshotLimit) text = text.substr(0, kSnapshotLimit - 3) + "...";
    return text;
}

void ActivityLog::SaveActivityLogInfo(int32_t voucherId, const std::string& voucherNo, bool,
                                      const std::string& actionCode, forms::Form* form) {
    record(voucherId, voucherNo, actionCode,
           form ? rt::Variant(changedControls(*form)) : rt::Variant::null());
}

void ActivityLog::record(const rt::Variant& voucherId, const rt::Variant& voucherNo,
                         const std::string& actionCode, const rt::Variant& snapshot) {
    if (!connection_) rt::raise(rt::errObjectNotSet, className());
    connection_->Execute("INSERT INTO aActivityLog (CompanyID, UserID, DepartmentID, InterfaceID, VoucherID, "
                         "VoucherNo, ActionCode, LoggedTime, ActionTime, WindowSnapshot) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                         {company_, user_, department_, interface_, voucherId, voucherNo, actionCode,
                          LoggedTime, rt::now(), snapshot});
}

rt::Variant ActivityLog::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    const std::string cls = className();
    if (rt::iequals(member, "OpenObject")) {
        auto connection = objectArg<ado::Connection>(args, 0, cls, member);
        OpenObject(connection, rt::CInt(arg(args, 1, cls, member)), rt::CInt(arg(args, 2, cls, member)),
                   rt::CInt(arg(args, 3, cls, member)), rt::CLng(arg(args, 4, cls, member)),
                   rt::CDate(arg(args, 5, cls, member)));
        return {};
    }
    if (rt::iequals(member, "LoggedTime")) {
        if (kind == rt::CallKind::PropertyPut) {
            LoggedTime = rt::CDate(arg(args, 0, cls, member));
            return {};
        }
        if (isRead(kind)) return LoggedTime;
        wrongArguments(cls, member);
    }
    if (rt::iequals(member, "SaveInToTag")) {
        SaveInToTag(*objectArg<forms::Form>(args, 0, cls, member));
        return {};
    }
    if (rt::iequals(member, "DataChanged")) return DataChanged(*objectArg<forms::Form>(args, 0, cls, member));
    if (rt::iequals(member, "SaveActivityLogInfo")) {
        std::shared_ptr<forms::Form> form;
        if (given(args, 4)) form = objectArg<forms::Form>(args, 4, cls, member);
        SaveActivityLogInfo(rt::CLng(arg(args, 0, cls, member)), rt::TextOf(arg(args, 1, cls, member)),
                            rt::CBool(arg(args, 2, cls, member)), rt::CStr(arg(args, 3, cls, member)),
                            form.get());
        return {};
    }
    return rt::Object::invoke(member, kind, args);
}

namespace {
[[maybe_unused]] const bool registered = [] {
    automation::registerClass(ActivityLog::kProgId, [] { return std::make_shared<ActivityLog>(); });
    return true;
}();
} // namespace

} // namespace services
