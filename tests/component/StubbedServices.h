#pragma once
// Stand-ins for the suite's services, registered over the real ones for one test: a fault
// report that only remembers what it was told, and a data access that answers one value.
#include "automation/Automation.h"
#include "runtime/Convert.h"
#include "services/DataAccess.h"
#include "services/FaultDetails.h"

#include <memory>
#include <vector>

namespace componenttest {

struct TrackedCall {
    std::vector<rt::Variant> args;
};

class RecordingFault : public rt::Object {
  public:
    std::string className() const override { return "FaultDetails"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override {
        if (!rt::iequals(member, "ErrorTrack")) return rt::Object::invoke(member, kind, args);
        calls->push_back({args});
        return answer;
    }
    std::shared_ptr<std::vector<TrackedCall>> calls;
    rt::Variant answer = true;
};

class FixedAnswerData : public rt::Object {
  public:
    std::string className() const override { return "clsDataAccess"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override {
        if (rt::iequals(member, "fnreturnfield")) return answer;
        if (kind == rt::CallKind::PropertyPut || kind == rt::CallKind::PropertyPutRef) return {};
        return rt::Object::invoke(member, kind, args);
    }
    rt::Variant answer;
};

// Puts a recording fault report in place (and, when asked, a data access answering `userName`)
// and brings back the real services at the end.
class StubbedServices {
  public:
    explicit StubbedServices(rt::Variant faultAnswer = true) {
        automation::registerClass("FaultReport.FaultDetails", [calls = calls, faultAnswer] {
            auto f = std::make_shared<RecordingFault>();
            f->calls = calls;
            f->answer = faultAnswer;
            return f;
        });
    }
    void answerUserName(const rt::Variant& userName) {
        automation::registerClass("BaseServices.clsDataAccess", [userName] {
            auto d = std::make_shared<FixedAnswerData>();
            d->answer = userName;
            return d;
        });
    }
    ~StubbedServices() {
        automation::registerClass("FaultReport.FaultDetails",
                                  [] { return std::make_shared<services::FaultDetails>(); });
        automation::registerClass("BaseServices.clsDataAccess",
                                  [] { return std::make_shared<services::DataAccess>(); });
    }
    StubbedServices(const StubbedServices&) = delete;
    StubbedServices& operator=(const StubbedServices&) = delete;

    std::shared_ptr<std::vector<TrackedCall>> calls = std::make_shared<std::vector<TrackedCall>>();
};

} // namespace componenttest
