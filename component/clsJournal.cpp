#include "component/clsJournal.h"

#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "services/SuiteConnection.h"

#include <atomic>

namespace idj {

namespace {

std::atomic<long> live{0};

constexpr int32_t errInvalidPropertyAssignment = 450;

[[noreturn]] void invalidUse(std::string_view member) {
    rt::raise(errInvalidPropertyAssignment, "clsJournal",
              "Wrong number of arguments or invalid property assignment: " + std::string(member));
}

const rt::Variant& valueArg(std::vector<rt::Variant>& args, std::string_view member) {
    if (args.size() != 1) invalidUse(member);
    return args[0];
}

} // namespace

clsJournal::clsJournal() {
    ++live;
}

clsJournal::~clsJournal() {
    --live;
}

long clsJournal::liveCount() {
    return live.load();
}

const ado::ConnectionPtr& clsJournal::adocon() {
    if (!adocon_) adocon_ = ado::Connection::create();
    return adocon_;
}

void clsJournal::setAdocon(ado::ConnectionPtr connection) {
    adocon_ = std::move(connection);
}

void clsJournal::show() {
    // The host may drop its last reference from inside the window; the object stays until show ends.
    std::shared_ptr<rt::Object> self = weak_from_this().lock();

    Context& c = ctx();
    c.intCompanyID = intCompanyID_;
    c.dtProcessDate = dtProcessDate_;
    c.intFinancialID = intFinancialID_;
    c.intdepartmentid = intdepartmentid_;
    c.intuserid = intuserid_;
    c.strMsgboxCaption = std::string(strMsgboxCaption_);

    FrmMaster& browser = FrmMaster::instance();
    browser.adocon = adocon();
    // Faults are recorded where the module works.
    services::setSuiteConnection(browser.adocon);
    browser.adocon->setCommandTimeout(0);
    browser.Show(true, nullptr);
}

rt::Variant clsJournal::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    const bool read = (kind == rt::CallKind::PropertyGet || kind == rt::CallKind::Method) && args.empty();
    const bool let = kind == rt::CallKind::PropertyPut;

    if (rt::iequals(member, "show")) {
        if (kind != rt::CallKind::Method || !args.empty()) invalidUse(member);
        show();
        return {};
    }
    if (rt::iequals(member, "adocon")) {
        if (read) return rt::ObjectPtr(adocon());
        if (kind != rt::CallKind::PropertyPutRef) invalidUse(member);
        const rt::Variant& v = valueArg(args, member);
        if (v.isObject() && !*rt::VariantAccess::get<rt::ObjectPtr>(v)) {
            setAdocon(nullptr); // Nothing: the next use makes a new connection
            return {};
        }
        auto connection = std::dynamic_pointer_cast<ado::Connection>(v.object());
        if (!connection) rt::raise(rt::errTypeMismatch, "clsJournal");
        setAdocon(std::move(connection));
        return {};
    }

    struct Text {
        const char* name;
        std::string clsJournal::*field;
    };
    for (const Text& t : {Text{"strMsgboxCaption", &clsJournal::strMsgboxCaption_},
                          Text{"MyProperty", &clsJournal::MyProperty_}}) {
        if (!rt::iequals(member, t.name)) continue;
        if (read) return this->*t.field;
        if (!let) invalidUse(member);
        this->*t.field = rt::CStr(valueArg(args, member));
        return {};
    }

    struct Integer {
        const char* name;
        int16_t clsJournal::*field;
    };
    for (const Integer& p :
         {Integer{"intCompanyID", &clsJournal::intCompanyID_}, Integer{"intuserid", &clsJournal::intuserid_},
          Integer{"intFinancialID", &clsJournal::intFinancialID_},
          Integer{"intdepartmentid", &clsJournal::intdepartmentid_}}) {
        if (!rt::iequals(member, p.name)) continue;
        if (read) return this->*p.field;
        if (!let) invalidUse(member);
        this->*p.field = rt::CInt(valueArg(args, member));
        return {};
    }

    if (rt::iequals(member, "dtProcessDate")) {
        if (read) return dtProcessDate_;
        if (!let) invalidUse(member);
        dtProcessDate_ = rt::CDate(valueArg(args, member));
        return {};
    }
    return rt::Object::invoke(member, kind, args);
}

} // namespace idj
