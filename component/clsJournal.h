#pragma once
// The component's one public class: a host fills in the connection and the user's working
// context and calls show, which runs the browse window modally.
#include "ado/Ado.h"
#include "runtime/Date.h"
#include "runtime/Object.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <string>

namespace idj {

class clsJournal : public rt::Object {
  public:
    static constexpr const char* kProgId = "idjrnl08.clsJournal";

    clsJournal();
    ~clsJournal() override;
    clsJournal(const clsJournal&) = delete;
    clsJournal& operator=(const clsJournal&) = delete;

    // Objects alive in this copy of the component (the server may unload at 0).
    static long liveCount();

    std::string className() const override { return "clsJournal"; }
    // The properties by name (get, let, and set by reference for adocon) and the method show.
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    // An unset connection becomes a new, unopened one on first use.
    const ado::ConnectionPtr& adocon();
    void setAdocon(ado::ConnectionPtr connection);

    const std::string& strMsgboxCaption() const { return strMsgboxCaption_; }
    void setStrMsgboxCaption(std::string caption) { strMsgboxCaption_ = std::move(caption); }
    int16_t intCompanyID() const { return intCompanyID_; }
    void setIntCompanyID(int16_t v) { intCompanyID_ = v; }
    int16_t intuserid() const { return intuserid_; }
    void setIntuserid(int16_t v) { intuserid_ = v; }
    int16_t intFinancialID() const { return intFinancialID_; }
    void setIntFinancialID(int16_t v) { intFinancialID_ = v; }
    int16_t intdepartmentid() const { return intdepartmentid_; }
    void setIntdepartmentid(int16_t v) { intdepartmentid_ = v; }
    rt::Date dtProcessDate() const { return dtProcessDate_; }
    void setDtProcessDate(rt::Date d) { dtProcessDate_ = d; }
    const std::string& MyProperty() const { return MyProperty_; }
    void setMyProperty(std::string v) { MyProperty_ = std::move(v); }

    // Copies the properties into the working context and runs the browse window modally.
    // Errors are not trapped: they reach the host.
    void show();

  private:
    ado::ConnectionPtr adocon_;
    std::string strMsgboxCaption_;
    int16_t intCompanyID_ = 0;
    int16_t intuserid_ = 0;
    int16_t intFinancialID_ = 0;
    int16_t intdepartmentid_ = 0;
    rt::Date dtProcessDate_{};
    std::string MyProperty_;
};

} // namespace idj
