#pragma once
// One error type for the whole component, shaped like the automation error object:
// a number, the source that raised it and a description.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace rt {

// Numbers used by this system, as the original runtime numbers them.
enum ErrNo : int32_t {
    errOverflow = 6,
    errTypeMismatch = 13,
    errObjectNotSet = 91,
    errInvalidUseOfNull = 94,
    errInvalidProcedureCall = 5,
    errSubscriptOutOfRange = 9,
    errMemberNotFound = 438,
    errCannotCreateObject = 429,
    errNoCurrentRecord = 3021,
    // Provider errors carry the HRESULT-style number, as the data layer of the suite does.
    errProvider = -2147217900,
    errProviderConstraint = -2147217873,
    errProviderNotOpen = -2147217843,
};

class Error : public std::runtime_error {
  public:
    Error(int32_t number, std::string source, std::string description)
        : std::runtime_error(description), number_(number), source_(std::move(source)),
          description_(std::move(description)) {}

    int32_t number() const { return number_; }
    const std::string& source() const { return source_; }
    const std::string& description() const { return description_; }

  private:
    int32_t number_;
    std::string source_;
    std::string description_;
};

// Raise with the runtime's own wording for the common numbers.
[[noreturn]] void raise(int32_t number, const std::string& source = "idjrnl08",
                        const std::string& description = {});

} // namespace rt
