// The voucher's two readable numbers: the journal number and the type serial number. Both are
// counted from what is stored; the save counts them again under its write lock, so what is
// shown while a voucher is entered is only the number it will get if nobody saves first.
#include "automation/Automation.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "voucher/frmJournal.h"

namespace idj {

namespace {

// Length in characters, as the server's len() counts them.
size_t characterCount(const std::string& text) {
    size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

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

    // The prefix is configured text: it is bound, not written into the statement.
    const std::string length = std::to_string(characterCount(prefix));
    rs->Open("Select isnull(max(convert(int,right(JournalNo,len(JournalNo)-" + length +
                 "))),0) from InterDivisionJournalTransHeader where CompanyID = " +
                 std::to_string(c.intCompanyID) + " and len(journalno)>len(?) and " +
                 " isnumeric(isnull(right(JournalNo,len(JournalNo)-" + length +
                 "),0)) =1 and substring(journalno,1,len(?))=?",
             adocon, ado::adOpenStatic, ado::adLockOptimistic, {prefix, prefix, prefix});
    std::string highest = rs->eof() ? std::string("0") : rt::CStr((*rs)[0]);
    rs->Close();

    // A 32-bit running number: a 16-bit one would stop every save after 32,767 vouchers.
    const int32_t running = highest != "0" ? rt::CLng(rt::Variant(rt::CDbl(rt::Variant(highest)) + 1)) : 1;
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
        auto rs = ado::Recordset::create();
        rs->Open("SELECT count(*) +1 as count  FROM InterDivisionJournalTransHeader WHERE Type ='" +
                     std::string(types[i].code) + "' and companyid= " + std::to_string(ctx().intCompanyID),
                 adocon, ado::adOpenStatic, ado::adLockReadOnly);
        const std::string count = rt::CStr(rs->field("Count").Value());
        rs->Close();
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
