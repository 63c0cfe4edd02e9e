// The real server library, loaded the way a host loads it: registered into a registry file,
// then created by ProgID.
#include "TempRegistry.h"

#include "ado/Ado.h"
#include "automation/Automation.h"
#include "automation/Server.h"
#include "forms/ScriptedHost.h"
#include "runtime/Convert.h"
#include "support/DemoDb.h"

#include <dlfcn.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

constexpr const char* kProgId = "idjrnl08.clsJournal";

// The library's entry points, looked up as a host would.
struct Server {
    void* handle = dlopen(IDJ_SERVER_PATH, RTLD_NOW | RTLD_LOCAL);

    template <class Fn> Fn entry(const char* name) const { return reinterpret_cast<Fn>(dlsym(handle, name)); }
    automation::HRESULT registerServer() const {
        return entry<automation::DllRegisterServerFn>(automation::kDllRegisterServer)();
    }
    automation::HRESULT unregisterServer() const {
        return entry<automation::DllUnregisterServerFn>(automation::kDllUnregisterServer)();
    }
    automation::HRESULT canUnloadNow() const {
        return entry<automation::DllCanUnloadNowFn>(automation::kDllCanUnloadNow)();
    }
    automation::HRESULT classObject(const automation::Guid& clsid, automation::ClassFactory** f) const {
        return entry<automation::DllGetClassObjectFn>(automation::kDllGetClassObject)(&clsid, f);
    }
};

struct ServerTest : ::testing::Test {
    automationtest::TempRegistry reg;
    Server server;

    void SetUp() override {
        ASSERT_NE(server.handle, nullptr) << dlerror();
        ASSERT_EQ(server.registerServer(), automation::S_OK);
    }
};

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST_F(ServerTest, ExportsTheFourEntryPointsAndNothingElse) {
    for (const char* name : {automation::kDllRegisterServer, automation::kDllUnregisterServer,
                             automation::kDllGetClassObject, automation::kDllCanUnloadNow})
        EXPECT_NE(dlsym(server.handle, name), nullptr) << name;
    // The component's own functions stay inside the library.
    EXPECT_EQ(dlsym(server.handle, "_ZN3idj3ctxEv"), nullptr);
    EXPECT_EQ(dlsym(server.handle, "_ZN3idj18shortenErrorNumberEi"), nullptr);
}

TEST_F(ServerTest, RegistrationNamesTheClassAndTheLibrary) {
    auto entry = automation::findServer(kProgId);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->className, "clsJournal");
    EXPECT_EQ(entry->description, "Journals");
    EXPECT_EQ(entry->library, std::filesystem::canonical(IDJ_SERVER_PATH).string());
    EXPECT_NE(fileText(reg.path()).find(automation::toString(entry->clsid)), std::string::npos);

    // Registering twice leaves one registration; unregistering removes it.
    EXPECT_EQ(server.registerServer(), automation::S_OK);
    EXPECT_EQ(automation::registeredServers().size(), 1u);
    EXPECT_EQ(server.unregisterServer(), automation::S_OK);
    EXPECT_FALSE(automation::findServer(kProgId));
    EXPECT_THROW(automation::CreateObject(kProgId), rt::Error);
}

TEST_F(ServerTest, TheClassFactoryServesOnlyItsClass) {
    automation::ClassFactory* factory = reinterpret_cast<automation::ClassFactory*>(1);
    EXPECT_EQ(server.classObject(automation::Guid{1, 2, 3, {4}}, &factory),
              automation::CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    EXPECT_EQ(
        server.entry<automation::DllGetClassObjectFn>(automation::kDllGetClassObject)(nullptr, &factory),
        automation::E_POINTER);

    auto entry = automation::findServer(kProgId);
    ASSERT_EQ(server.classObject(entry->clsid, &factory), automation::S_OK);
    ASSERT_NE(factory, nullptr);
    rt::ObjectPtr obj;
    EXPECT_EQ(factory->CreateInstance(obj), automation::S_OK);
    EXPECT_EQ(obj->className(), "clsJournal");
}

TEST_F(ServerTest, TheLibraryMayUnloadOnlyWithoutObjectsAndLocks) {
    EXPECT_EQ(server.canUnloadNow(), automation::S_OK);
    rt::ObjectPtr journal = automation::CreateObject(kProgId);
    EXPECT_EQ(server.canUnloadNow(), automation::S_FALSE);
    rt::ObjectPtr second = journal;
    journal.reset();
    EXPECT_EQ(server.canUnloadNow(), automation::S_FALSE) << "a reference is still held";
    second.reset();
    EXPECT_EQ(server.canUnloadNow(), automation::S_OK);

    automation::ClassFactory* factory = nullptr;
    ASSERT_EQ(server.classObject(automation::findServer(kProgId)->clsid, &factory), automation::S_OK);
    factory->LockServer(true);
    EXPECT_EQ(server.canUnloadNow(), automation::S_FALSE);
    factory->LockServer(false);
    EXPECT_EQ(server.canUnloadNow(), automation::S_OK);
}

TEST_F(ServerTest, PropertiesRoundTripThroughLateBinding) {
    rt::ObjectPtr journal = automation::CreateObject(kProgId);
    automation::let(journal, "strMsgboxCaption", "Accounts Suite");
    automation::let(journal, "intCompanyID", 1);
    automation::let(journal, "intuserid", "2");
    automation::let(journal, "intFinancialID", 3.0);
    automation::let(journal, "intdepartmentid", int16_t{4});
    automation::let(journal, "dtProcessDate", rt::makeDate(2026, 12, 6));
    automation::let(journal, "MyProperty", "anything at all");

    EXPECT_EQ(rt::CStr(automation::get(journal, "strMsgboxCaption")), "Accounts Suite");
    for (auto [name, value] :
         {std::pair{"intCompanyID", 1}, {"INTUSERID", 2}, {"intFinancialID", 3}, {"intdepartmentid", 4}}) {
        rt::Variant v = automation::get(journal, name);
        EXPECT_EQ(v.type(), rt::Variant::Type::Integer) << name;
        EXPECT_EQ(rt::CInt(v), value) << name;
    }
    EXPECT_EQ(automation::get(journal, "dtProcessDate").date(), rt::makeDate(2026, 12, 6));
    EXPECT_EQ(rt::CStr(automation::get(journal, "MyProperty")), "anything at all");

    // The connection goes by reference: the host's own object comes back.
    auto conn = ado::Connection::create();
    automation::set(journal, "adocon", conn);
    EXPECT_EQ(automation::get(journal, "adocon").object(), conn);
}

TEST_F(ServerTest, AnUnsetConnectionIsCreatedOnFirstUse) {
    rt::ObjectPtr journal = automation::CreateObject(kProgId);
    rt::ObjectPtr first = automation::get(journal, "adocon").object();
    auto conn = std::dynamic_pointer_cast<ado::Connection>(first);
    ASSERT_NE(conn, nullptr);
    EXPECT_EQ(conn->State(), ado::adStateClosed);
    EXPECT_EQ(automation::get(journal, "adocon").object(), first) << "made once";

    // Setting Nothing lets the next use make a new one.
    automation::set(journal, "adocon", nullptr);
    EXPECT_NE(automation::get(journal, "adocon").object(), first);
}

TEST_F(ServerTest, BadAssignmentsAreRefused) {
    rt::ObjectPtr journal = automation::CreateObject(kProgId);
    auto number = [&](const std::function<void()>& f) {
        try {
            f();
        } catch (const rt::Error& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(number([&] { automation::let(journal, "intCompanyID", 40000); }), rt::errOverflow);
    EXPECT_EQ(number([&] { automation::let(journal, "intuserid", "abc"); }), rt::errTypeMismatch);
    EXPECT_EQ(number([&] { automation::let(journal, "dtProcessDate", "not a date"); }), rt::errTypeMismatch);
    EXPECT_EQ(number([&] { automation::let(journal, "adocon", "Data Source=x.db"); }), 450);
    EXPECT_EQ(number([&] { automation::set(journal, "adocon", journal); }), rt::errTypeMismatch);
    EXPECT_EQ(number([&] { automation::get(journal, "NoSuchProperty"); }), rt::errMemberNotFound);
}

TEST_F(ServerTest, TheLibraryStaysWhileOneOfItsWindowsIsLoaded) {
    testsupport::DemoDb demo;
    forms::ScriptedHost host;
    forms::setHost(&host);
    rt::ObjectPtr journal = automation::CreateObject(kProgId);
    automation::set(journal, "adocon", demo.conn);
    automation::let(journal, "intCompanyID", 1);
    automation::let(journal, "intuserid", 1);
    automation::let(journal, "intFinancialID", 3);
    automation::let(journal, "dtProcessDate", testsupport::processDate());

    forms::Form* browse = nullptr;
    host.onShow("FrmMaster", [&](forms::Form& f) {
        browse = &f;
        EXPECT_EQ(server.canUnloadNow(), automation::S_FALSE);
    });
    automation::callv(journal, "show");
    journal.reset();
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(server.canUnloadNow(), automation::S_OK);

    // The browse window loaded again without any object of the class.
    browse->Load();
    EXPECT_EQ(server.canUnloadNow(), automation::S_FALSE);
    browse->Unload();
    EXPECT_EQ(server.canUnloadNow(), automation::S_OK);
    forms::setHost(nullptr);
}
