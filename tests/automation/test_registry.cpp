#include "TempRegistry.h"

#include "automation/ServerRegistry.h"
#include "runtime/Error.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using automation::Guid;
using automation::ServerEntry;

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const Guid kSample{0x6F1D2A34, 0x8B7C, 0x4E21, {0x9A, 0x53, 0x0C, 0x4D, 0x7E, 0x9B, 0x1F, 0x08}};

} // namespace

TEST(Guid, TextRoundTrip) {
    EXPECT_EQ(automation::toString(kSample), "{6F1D2A34-8B7C-4E21-9A53-0C4D7E9B1F08}");
    EXPECT_EQ(automation::parseGuid("{6f1d2a34-8b7c-4e21-9a53-0c4d7e9b1f08}"), kSample);
    EXPECT_EQ(automation::parseGuid("6F1D2A34-8B7C-4E21-9A53-0C4D7E9B1F08"), kSample);
    EXPECT_FALSE(automation::parseGuid("{6F1D2A34-8B7C-4E21-9A53-0C4D7E9B1F0}"));
    EXPECT_FALSE(automation::parseGuid("{6F1D2A34_8B7C-4E21-9A53-0C4D7E9B1F08}"));
    EXPECT_FALSE(automation::parseGuid("{6F1D2A34-8B7C-4E21-9A53-0C4D7E9B1FG8}"));
}

TEST(ServerRegistry, RegistrationsAreAddedReplacedAndRemoved) {
    automationtest::TempRegistry reg;
    EXPECT_FALSE(automation::findServer("a.b")) << "a missing file holds nothing";

    automation::registerServer({"Sample.Thing", kSample, "Thing", "Things", "/opt/lib/thing.so"});
    automation::registerServer({"Other.Thing", Guid{1, 2, 3, {4}}, "Other", "Others", "/opt/lib/other.so"});
    auto found = automation::findServer("SAMPLE.thing");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->progId, "Sample.Thing");
    EXPECT_EQ(found->clsid, kSample);
    EXPECT_EQ(found->className, "Thing");
    EXPECT_EQ(found->description, "Things");
    EXPECT_EQ(found->library, "/opt/lib/thing.so");

    // Registering again moves the server, leaving one registration.
    automation::registerServer({"sample.thing", kSample, "Thing", "Things", "/usr/lib/thing.so"});
    EXPECT_EQ(automation::registeredServers().size(), 2u);
    EXPECT_EQ(automation::findServer("Sample.Thing")->library, "/usr/lib/thing.so");

    EXPECT_TRUE(automation::unregisterServer("Sample.Thing"));
    EXPECT_FALSE(automation::unregisterServer("Sample.Thing"));
    EXPECT_FALSE(automation::findServer("Sample.Thing"));
    EXPECT_TRUE(automation::findServer("Other.Thing"));
}

TEST(ServerRegistry, LinesItDoesNotUnderstandSurviveARewrite) {
    automationtest::TempRegistry reg;
    automation::registerServer({"Sample.Thing", kSample, "Thing", "Things", "/opt/lib/thing.so"});
    {
        std::ofstream out(reg.path(), std::ios::app);
        out << "# kept comment\nnot a registration\n";
    }
    automation::registerServer({"Other.Thing", kSample, "Other", "Others", "/opt/lib/other.so"});
    automation::unregisterServer("Sample.Thing");
    std::string text = fileText(reg.path());
    EXPECT_NE(text.find("# kept comment\n"), std::string::npos);
    EXPECT_NE(text.find("not a registration\n"), std::string::npos);
    EXPECT_EQ(text.find("Sample.Thing"), std::string::npos);
    EXPECT_EQ(automation::registeredServers().size(), 1u);
}

TEST(ServerRegistry, FieldsMayNotBreakTheLineFormat) {
    automationtest::TempRegistry reg;
    EXPECT_THROW(automation::registerServer({"Bad.Thing", kSample, "Thing", "Two\tparts", "/x.so"}),
                 rt::Error);
    EXPECT_THROW(automation::registerServer({"Bad.Thing", kSample, "Thing", "Things", "/x\n.so"}), rt::Error);
    EXPECT_TRUE(automation::registeredServers().empty());
}

TEST(ServerRegistry, PathComesFromTheHostTheEnvironmentOrHome) {
    automation::setRegistryPath({});
    const char* saved = std::getenv("IDJ_REGISTRY");
    std::string keep = saved ? saved : "";

    setenv("IDJ_REGISTRY", "/tmp/idj-env-registry", 1);
    EXPECT_EQ(automation::registryPath(), "/tmp/idj-env-registry");
    automation::setRegistryPath("/tmp/idj-host-registry");
    EXPECT_EQ(automation::registryPath(), "/tmp/idj-host-registry");
    automation::setRegistryPath({});
    unsetenv("IDJ_REGISTRY");
    EXPECT_EQ(automation::registryPath(), std::string(std::getenv("HOME")) + "/.idjrnl08/registry");

    if (saved) setenv("IDJ_REGISTRY", keep.c_str(), 1);
}
