#pragma once
// The automation variant: what travels between the component, the suite's services and the
// data layer. Conversions with the original's semantics are in Convert.h.
#include "runtime/Date.h"
#include "runtime/Object.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace rt {

class Variant {
  public:
    enum class Type { Empty, Null, Integer, Long, Double, String, Date, Boolean, Object };

    Variant() = default;
    Variant(int16_t v) : v_(v) {}
    Variant(int32_t v) : v_(v) {}
    Variant(int64_t v);
    Variant(double v) : v_(v) {}
    Variant(bool v) : v_(v) {}
    Variant(std::string v) : v_(std::move(v)) {}
    Variant(std::string_view v) : v_(std::string(v)) {}
    Variant(const char* v) : v_(std::string(v)) {}
    Variant(Date v) : v_(v) {}
    Variant(ObjectPtr v) : v_(std::move(v)) {}
    template <class T>
    requires std::is_base_of_v<Object, T> Variant(std::shared_ptr<T> v) : v_(ObjectPtr(std::move(v))) {}

    static Variant null() {
        Variant v;
        v.v_ = NullTag{};
        return v;
    }

    Type type() const { return static_cast<Type>(v_.index()); }
    bool isEmpty() const { return type() == Type::Empty; }
    bool isNull() const { return type() == Type::Null; }
    bool isObject() const { return type() == Type::Object; }
    bool isString() const { return type() == Type::String; }
    // Integer, Long, Double (not Boolean, not a numeric string).
    bool isNumber() const;

    // Typed views; they raise 13 when the variant holds another type.
    const std::string& str() const;
    const ObjectPtr& object() const;
    Date date() const;

    // Loose equality as the runtime's "=" on variants: numbers by value, text case-sensitive,
    // Empty equals 0 and "", Null equals nothing.
    friend bool operator==(const Variant& a, const Variant& b);

  private:
    struct NullTag {};
    std::variant<std::monostate, NullTag, int16_t, int32_t, double, std::string, Date, bool, ObjectPtr> v_;

    friend class VariantAccess;
};

// Internal raw access for the conversion routines.
class VariantAccess {
  public:
    template <class T> static const T* get(const Variant& v) { return std::get_if<T>(&v.v_); }
};

const char* typeName(Variant::Type t);

} // namespace rt
