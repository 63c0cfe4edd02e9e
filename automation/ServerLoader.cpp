#include "automation/ServerLoader.h"

#include "runtime/Error.h"

#include <cstdio>
#include <dlfcn.h>
#include <map>

namespace automation {

namespace {

[[noreturn]] void cannotCreate(const ServerEntry& entry, const std::string& why) {
    rt::raise(rt::errCannotCreateObject, "automation",
              "ActiveX component can't create object: " + entry.progId + " (" + why + ")");
}

std::string hresultText(HRESULT hr) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<uint32_t>(hr));
    return buf;
}

// Server libraries are never unloaded: objects they made may outlive any count we could keep.
void* libraryHandle(const ServerEntry& entry) {
    static std::map<std::string, void*> loaded;
    if (auto it = loaded.find(entry.library); it != loaded.end()) return it->second;
    void* handle = dlopen(entry.library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* err = dlerror();
        cannotCreate(entry, err ? err : "cannot load " + entry.library);
    }
    loaded.emplace(entry.library, handle);
    return handle;
}

} // namespace

rt::ObjectPtr createFromServer(const ServerEntry& entry) {
    void* handle = libraryHandle(entry);
    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, kDllGetClassObject));
    if (!getClassObject) cannotCreate(entry, entry.library + " has no DllGetClassObject");
    ClassFactory* factory = nullptr;
    HRESULT hr = getClassObject(&entry.clsid, &factory);
    if (!succeeded(hr) || !factory) cannotCreate(entry, "DllGetClassObject returned " + hresultText(hr));
    rt::ObjectPtr object;
    hr = factory->CreateInstance(object);
    if (!succeeded(hr) || !object) cannotCreate(entry, "CreateInstance returned " + hresultText(hr));
    return object;
}

} // namespace automation
