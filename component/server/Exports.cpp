// The in-process server: the four entry points through which a host registers the component
// and creates its one class. Everything else of the library stays hidden (exports.map).
#include "automation/Server.h"
#include "automation/ServerRegistry.h"
#include "browser/FrmMaster.h"
#include "component/clsJournal.h"
#include "lines/frmJournalDetails.h"
#include "runtime/Error.h"
#include "voucher/frmJournal.h"

#include <atomic>
#include <dlfcn.h>
#include <filesystem>
#include <new>

namespace {

using automation::HRESULT;

constexpr automation::Guid kClsidJournal{
    0x6F1D2A34, 0x8B7C, 0x4E21, {0x9A, 0x53, 0x0C, 0x4D, 0x7E, 0x9B, 0x1F, 0x08}};
constexpr const char* kClassName = "clsJournal";
constexpr const char* kDescription = "Journals";

std::atomic<long> serverLocks{0};

class JournalFactory final : public automation::ClassFactory {
  public:
    HRESULT CreateInstance(rt::ObjectPtr& object) override {
        try {
            object = std::make_shared<idj::clsJournal>();
        } catch (const std::bad_alloc&) {
            return automation::E_OUTOFMEMORY;
        }
        return automation::S_OK;
    }
    HRESULT LockServer(bool lock) override {
        lock ? ++serverLocks : --serverLocks;
        return automation::S_OK;
    }
};

JournalFactory& factory() {
    static JournalFactory f;
    return f;
}

// The rate dialog and the reason-for-deletion dialog only ever open modally over the voucher
// editor and the browse window, which are loaded while they are; these three stand for them.
template <class Window> bool windowLoaded() {
    return Window::exists() && Window::instance().loaded();
}

bool anyWindowLoaded() {
    return windowLoaded<idj::FrmMaster>() || windowLoaded<idj::frmJournal>() ||
           windowLoaded<idj::frmJournalDetails>();
}

// This library's own file, as the loader found it.
std::string libraryPath() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&factory), &info) || !info.dli_fname) return {};
    std::error_code ec;
    auto canonical = std::filesystem::canonical(info.dli_fname, ec);
    return ec ? std::string(info.dli_fname) : canonical.string();
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) HRESULT DllRegisterServer() {
    std::string path = libraryPath();
    if (path.empty()) return automation::SELFREG_E_CLASS;
    try {
        automation::registerServer({idj::clsJournal::kProgId, kClsidJournal, kClassName, kDescription, path});
    } catch (const rt::Error&) {
        return automation::SELFREG_E_CLASS;
    }
    return automation::S_OK;
}

__attribute__((visibility("default"))) HRESULT DllUnregisterServer() {
    try {
        automation::unregisterServer(idj::clsJournal::kProgId);
    } catch (const rt::Error&) {
        return automation::SELFREG_E_CLASS;
    }
    return automation::S_OK;
}

__attribute__((visibility("default"))) HRESULT DllGetClassObject(const automation::Guid* clsid,
                                                                 automation::ClassFactory** out) {
    if (!clsid || !out) return automation::E_POINTER;
    *out = nullptr;
    if (!(*clsid == kClsidJournal)) return automation::CLASS_E_CLASSNOTAVAILABLE;
    *out = &factory();
    return automation::S_OK;
}

__attribute__((visibility("default"))) HRESULT DllCanUnloadNow() {
    if (idj::clsJournal::liveCount() > 0 || serverLocks.load() > 0 || anyWindowLoaded())
        return automation::S_FALSE;
    return automation::S_OK;
}

} // extern "C"
