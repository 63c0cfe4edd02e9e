#pragma once
// The objects a report hands out: its parameter-field definitions and its print-window options.
#include "report/ReportEngine.h"

namespace report {

class ParameterField : public rt::Object {
  public:
    ParameterField(std::shared_ptr<ReportState> state, std::string name)
        : state_(std::move(state)), name_(std::move(name)) {}
    std::string className() const override { return "ParameterFieldDefinition"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

  private:
    std::shared_ptr<ReportState> state_;
    std::string name_; // lower case
};

// Items numbered from 1, in the report's order.
class ParameterFields : public rt::Object {
  public:
    explicit ParameterFields(std::shared_ptr<ReportState> state) : state_(std::move(state)) {}
    std::string className() const override { return "ParameterFieldDefinitions"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

  private:
    std::shared_ptr<ReportState> state_;
};

class PrintWindowOptionsObject : public rt::Object {
  public:
    explicit PrintWindowOptionsObject(std::shared_ptr<ReportState> state) : state_(std::move(state)) {}
    std::string className() const override { return "PrintWindowOptions"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

  private:
    std::shared_ptr<ReportState> state_;
};

} // namespace report
