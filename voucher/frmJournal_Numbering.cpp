// The voucher's two readable numbers: the journal number and the type serial number. Both are
// counted from what is stored; the save counts them again under its write lock, so what is
// shown while a voucher is entered is only the number it will get if nobody saves first.
#include "automation/Automation.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "voucher/JournalNumbers.h"
#include "voucher/frmJournal.h"

namespace idj {

namespace {

struct TypeNumbering {
    const char* code;
    const char* serialPrefix;
};

} // namespace

bool frmJournal::GenerateJournalNo() {
    return trapped("frmJournal", "GenerateJournalNo", [this] { strJournalNo_ = nextJournalNo(); });
}

std::string frmJournal::nextJournalNo() const {
    const Context& c = ctx();
    rt::ObjectPtr data = automation::CreateObject("BaseServices.clsDataAccess");
    automation::set(data, "adocon", browserConnection());
    automation::let(data, "strTableName", "aPackagesettings");
    const int16_t department = rt::CInt(automation::callv(data, "fnreturnfield", "companydepartment"));

    auto rs = ado::Recordset::create();
    rs->Open("SELECT Prefix FROM aPrefix WHERE CompanyID = " + std::to_string(c.intCompanyID) +
                 " AND InterfaceID = " + std::to_string(kInterfaceId) +
                 " AND FinancialId = " + std::to_string(c.intFinancialID) +
                 " and shopid is null and godownid is null and isnull(departmentid,0)=" +
                 std::to_string(department),
             adocon, ado::adOpenStatic, ado::adLockReadOnly);
    std::string prefix;
    if (!rs->eof()) prefix = rt::TextOf(rs->field("prefix").Value());
    rs->Close();

    const int64_t highest = highestRunningNumber(adocon, c.intCompanyID, prefix);
    // A 32-bit running number: a 16-bit one would stop every save after 32,767 vouchers.
    const int32_t running = highest != 0 ? rt::CLng(rt::Variant(static_cast<double>(highest) + 1)) : 1;
    return prefix + std::to_string(running);
}

void frmJournal::fillSttausSerialNO() {
    const std::string serial = nextTypeSerial();
    if (!serial.empty()) txtserialNO.setText(serial);
}

std::string frmJournal::nextTypeSerial() const {
    static const TypeNumbering types[] = {{"PA", "PAY/"}, {"RE", "RCPT/"}, {"CA", "CSTR/"}, {"JO", "JRN/"}};
    const forms::OptionButton* options[] = {&optPayment, &optReceipts, &optCash, &optJournal};
    for (size_t i = 0; i < std::size(options); ++i) {
        if (!options[i]->Value()) continue;
        const std::string count =
            std::to_string(vouchersOfType(adocon, ctx().intCompanyID, types[i].code) + 1);
        return types[i].serialPrefix + count;
    }
    return {};
}

std::string frmJournal::voucherType() const {
    if (optPayment.Value()) return "PA";
    if (optReceipts.Value()) return "RE";
    if (optCash.Value()) return "CA";
    if (optJournal.Value()) return "JO";
    return {};
}

} // namespace idj
