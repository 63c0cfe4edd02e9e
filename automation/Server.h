#pragma once
// The binary interface between a host and an in-process server library: the four entry points
// such a library exports (C linkage, looked up by name after dlopen) and the class factory that
// DllGetClassObject hands out.
#include "runtime/Object.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace automation {

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
    friend bool operator==(const Guid&, const Guid&) = default;
};

// "{6F1D2A34-8B7C-4E21-9A53-0C4D7E9B1F08}" form, upper case.
std::string toString(const Guid& g);
// Reads that form, braces optional, either case; nothing for anything else.
std::optional<Guid> parseGuid(std::string_view text);

using HRESULT = int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
inline constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);

inline bool succeeded(HRESULT hr) {
    return hr >= 0;
}

// Owned by the server library; valid while the library stays loaded.
class ClassFactory {
  public:
    virtual HRESULT CreateInstance(rt::ObjectPtr& object) = 0;
    // A locked server reports that it cannot unload.
    virtual HRESULT LockServer(bool lock) = 0;

  protected:
    ~ClassFactory() = default;
};

extern "C" {
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
// Gives the factory of one class; CLASS_E_CLASSNOTAVAILABLE when the library has no such class.
using DllGetClassObjectFn = HRESULT (*)(const Guid* clsid, ClassFactory** factory);
// S_OK when no object of the library is alive and it may be unloaded, S_FALSE otherwise.
using DllCanUnloadNowFn = HRESULT (*)();
}

inline constexpr const char* kDllRegisterServer = "DllRegisterServer";
inline constexpr const char* kDllUnregisterServer = "DllUnregisterServer";
inline constexpr const char* kDllGetClassObject = "DllGetClassObject";
inline constexpr const char* kDllCanUnloadNow = "DllCanUnloadNow";

} // namespace automation
