#include "runtime/Object.h"

#include "runtime/Error.h"
#include "runtime/Variant.h"

#include <cctype>

namespace rt {

Variant Object::invoke(std::string_view member, CallKind, std::vector<Variant>&) {
    raise(errMemberNotFound, className(),
          "Object doesn't support this property or method: " + std::string(member));
}

bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace rt
