#include "runtime/Error.h"

namespace rt {

namespace {
std::string standardText(int32_t number) {
    switch (number) {
    case errInvalidProcedureCall:
        return "Invalid procedure call or argument";
    case errOverflow:
        return "Overflow";
    case errSubscriptOutOfRange:
        return "Subscript out of range";
    case errTypeMismatch:
        return "Type mismatch";
    case errObjectNotSet:
        return "Object variable or With block variable not set";
    case errInvalidUseOfNull:
        return "Invalid use of Null";
    case errCannotCreateObject:
        return "ActiveX component can't create object";
    case errMemberNotFound:
        return "Object doesn't support this property or method";
    case errNoCurrentRecord:
        return "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
               "requires a current record.";
    default:
        return "Application-defined or object-defined error";
    }
}
} // namespace

void raise(int32_t number, const std::string& source, const std::string& description) {
    throw Error(number, source, description.empty() ? standardText(number) : description);
}

} // namespace rt
