#pragma once
// ActivityLog.clsActivityLog: who opened the module and what they did to which voucher, in the
// table aActivityLog; and the change tracking of a window's input controls through their Tags.
#include "ado/Ado.h"
#include "forms/Form.h"
#include "runtime/Date.h"
#include "runtime/Object.h"

#include <cstdint>
#include <string>

namespace services {

class ActivityLog : public rt::Object {
  public:
    static constexpr const char* kProgId = "ActivityLog.clsActivityLog";
    // The action code of the opening record.
    static constexpr const char* kOpened = "O";

    std::string className() const override { return "clsActivityLog"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    // Keeps the session's values (LoggedTime starts as `time`) and records the opening.
    void OpenObject(ado::ConnectionPtr connection, int16_t company, int16_t user, int16_t department,
                    int32_t interfaceId, rt::Date time);
    // Set by the caller just before an action; written with the action's record.
    rt::Date LoggedTime{};

    // Stores each input control's current value in its Tag.
    static void SaveInToTag(forms::Form& form);
    // Whether any input control's value differs from its Tag.
    static bool DataChanged(forms::Form& form);
    // The changed controls as "name=value; ..." (values cut short), for the action record.
    static std::string changedControls(forms::Form& form);

    // One record of an action on a voucher, on the session's connection (so inside the caller's
    // transaction). The flag is accepted for the callers' sake and not used.
    void SaveActivityLogInfo(int32_t voucherId, const std::string& voucherNo, bool flag,
                             const std::string& actionCode, forms::Form* form = nullptr);

  private:
    void record(const rt::Variant& voucherId, const rt::Variant& voucherNo, const std::string& actionCode,
                const rt::Variant& snapshot);

    ado::ConnectionPtr connection_;
    int16_t company_ = 0, user_ = 0, department_ = 0;
    int32_t interface_ = 0;
};

} // namespace services
