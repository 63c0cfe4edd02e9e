#pragma once
// Late binding: objects created by ProgID, members reached by name with variant arguments.
#include "runtime/Object.h"
#include "runtime/Variant.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace automation {

using Factory = std::function<rt::ObjectPtr()>;

// In-process classes (the suite's services register themselves so). Registering a ProgID
// again replaces its factory, so a host can put its own service in place.
void registerClass(const std::string& progId, Factory factory);
bool isRegistered(std::string_view progId);

// Creates an object by ProgID: an in-process class, or a server found in the registry file
// (loaded through its DllGetClassObject). Raises 429 when there is none.
rt::ObjectPtr CreateObject(std::string_view progId);

// Late-bound calls. Arguments go by reference: the callee may change them.
rt::Variant call(const rt::ObjectPtr& obj, std::string_view method, std::vector<rt::Variant>& args);
template <class... A> rt::Variant callv(const rt::ObjectPtr& obj, std::string_view method, A&&... a) {
    std::vector<rt::Variant> args{rt::Variant(std::forward<A>(a))...};
    return call(obj, method, args);
}
rt::Variant get(const rt::ObjectPtr& obj, std::string_view property);
void let(const rt::ObjectPtr& obj, std::string_view property, rt::Variant value);
void set(const rt::ObjectPtr& obj, std::string_view property, rt::ObjectPtr value);

} // namespace automation
