#include "services/Args.h"

namespace services {

namespace {
constexpr int32_t errWrongArguments = 450;
}

void wrongArguments(std::string_view className, std::string_view member) {
    rt::raise(errWrongArguments, std::string(className),
              "Wrong number of arguments or invalid property assignment: " + std::string(member));
}

rt::Variant& arg(Args& args, size_t i, std::string_view className, std::string_view member) {
    if (i >= args.size()) wrongArguments(className, member);
    return args[i];
}

} // namespace services
