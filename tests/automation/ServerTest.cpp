// The real server library, loaded the way a host loads it: registered into a registry file,
// then created by ProgID.
#include "TempRegistry.h"

#include "ado/Ado.h"
#include "automation/Automation.h"
#include "automation/Server.h"
#include "runtime/Convert.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

constexpr const char* kProgId = "idjrnl08.clsJournal";

struct ServerTest : ::testing::Test {
    automationtest::TempRegistry reg;
    void* handle = dlopen(IDJ_SERVER_PATH, RTLD_NOW | RTLD_LOCAL);

    // The library's entry points, looked up as a host would.
    template <class Fn> automation::HRESULT entry(const char* name) const {
        return reinterpret_cast<Fn>(dlsym(handle, name))();
    }
    automation::HRESULT canUnloadNow() const {
        return entry<automation::DllCanUnloadNowFn>(automation::kDllCanUnloadNow);
    }
    void SetUp() override {
        ASSERT_NE(handle, nullptr) << dlerror();
        ASSERT_EQ(entry<automation::DllRegisterServerFn>(automation::kDllRegisterServer), automation::S_OK);
    }
};

} // namespace

TEST_F(ServerTest, RegisteredOnceCreatedByProgIdAndGoneWhenUnregistered) {
    auto found = automation::findServer(kProgId);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->library, std::filesystem::canonical(IDJ_SERVER_PATH).string());
    EXPECT_EQ(automation::CreateObject(kProgId)->className(), "clsJournal");
    // Only the entry points are exported: the component's own functions stay inside the library.
    EXPECT_EQ(dlsym(handle, "_ZN3idj3ctxEv"), nullptr);

    EXPECT_EQ(entry<automation::DllRegisterServerFn>(automation::kDllRegisterServer), automation::S_OK);
    EXPECT_EQ(automation::registeredServers().size(), 1u);
    EXPECT_EQ(entry<automation::DllUnregisterServerFn>(automation::kDllUnregisterServer), automation::S_OK);
    EXPECT_FALSE(automation::findServer(kProgId));
    EXPECT_THROW(automation::CreateObject(kProgId), rt::Error);
}

TEST_F(ServerTest, TheLibraryMayUnloadOnlyWithoutObjectsAndLocks) {
    EXPECT_EQ(canUnloadNow(), automation::S_OK);
    rt::ObjectPtr journal = automation::CreateObject(kProgId);
    EXPECT_EQ(canUnloadNow(), automation::S_FALSE);
    journal.reset();
    EXPECT_EQ(canUnloadNow(), automation::S_OK);

    automation::ClassFactory* factory = nullptr;
    const automation::Guid clsid = automation::findServer(kProgId)->clsid;
    ASSERT_EQ(reinterpret_cast<automation::DllGetClassObjectFn>(
                  dlsym(handle, automation::kDllGetClassObject))(&clsid, &factory),
              automation::S_OK);
    factory->LockServer(true);
    EXPECT_EQ(canUnloadNow(), automation::S_FALSE);
    factory->LockServer(false);
    EXPECT_EQ(canUnloadNow(), automation::S_OK);
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
    EXPECT_THROW(automation::let(journal, "intCompanyID", 40000), rt::Error);

    // The connection goes by reference: the host's own object comes back.
    auto conn = ado::Connection::create();
    automation::set(journal, "adocon", conn);
    EXPECT_EQ(automation::get(journal, "adocon").object(), conn);
}
