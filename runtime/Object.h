#pragma once
// Base of every late-bound object: members are reached by name with variant arguments.
// Arguments travel by reference; a callee may change them (the UI toolkit cancels a key so).
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

class Variant;

enum class CallKind { Method, PropertyGet, PropertyPut, PropertyPutRef };

class Object : public std::enable_shared_from_this<Object> {
  public:
    virtual ~Object() = default;
    // The class name as a host would see it (for messages and type checks).
    virtual std::string className() const = 0;
    // Late-bound call. Unknown members raise 438.
    virtual Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args);
};

using ObjectPtr = std::shared_ptr<Object>;

// Case-insensitive name match, as member lookup is everywhere in this system.
bool iequals(std::string_view a, std::string_view b);

} // namespace rt
