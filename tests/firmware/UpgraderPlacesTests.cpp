#include "platform/EnvironmentVariable.h"
#include "firmware/BootloaderTool.h"
#include "firmware/FirmwareCatalogue.h"
#include "firmware/FirmwareServer.h"
#include "firmware/UpgraderPlaces.h"
#include "firmware/WizardState.h"
#include "tests/support/FakeBootloaderTool.h"
#include "tests/support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace
{
using namespace talvor;
using corvix::testing::FakeBootloaderTool;
using corvix::testing::LoopbackHttpServer;

/** Sets an environment variable for the lifetime of the object, then puts back what was there. */
class ScopedEnvironmentVariable
{
public:
    ScopedEnvironmentVariable (const char* nameToUse, const juce::String& value) : name (nameToUse)
    {
        if (const auto* before = std::getenv (name))
            previous = std::string (before);

        talvor::setEnvironmentVariable (name, value.toRawUTF8());
    }

    ~ScopedEnvironmentVariable()
    {
        if (previous.has_value())
            talvor::setEnvironmentVariable (name, previous->c_str());
        else
            talvor::removeEnvironmentVariable (name);
    }

    ScopedEnvironmentVariable (const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator= (const ScopedEnvironmentVariable&) = delete;

private:
    const char* name;
    std::optional<std::string> previous;
};

TEST (UpgraderPlaces, TheEnvironmentOverridesTheBuildsPlacesAndTheWizardsOwnSettingsOverrideIt)
{
    resetWizardState();
    LoopbackHttpServer server;
    server.respondAlways ("/fw/firmware.xml",
                          LoopbackHttpServer::Response::ok (R"(<x><fw pid="2057" name="A" version="1.1" fw="a.bin"/></x>)"));
    FakeBootloaderTool tool;
    const auto cache = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("places-" + juce::Uuid().toString());

    {
        const ScopedEnvironmentVariable serverRoot (placeVariables::firmwareServer, " " + server.url() + "fw ");
        const ScopedEnvironmentVariable toolPath (placeVariables::bootloaderTool, FakeBootloaderTool::executablePath());
        const ScopedEnvironmentVariable cacheFolder (placeVariables::firmwareCache, cache.getFullPathName());

        juce::ValueTree catalogue ("firmwares");
        EXPECT_TRUE (fetchFirmwareCatalogue (2057, catalogue).wasOk());
        EXPECT_EQ (server.requestCount ("/fw/firmware.xml"), 2) << "probed and read where the variable points";

        startWizardState (2057, true);
        EXPECT_EQ (runBlhost ("keep"), blhostSucceeded);
        EXPECT_EQ (tool.calls().size(), 1u);
        EXPECT_EQ (firmwareCacheFolder(), cache);

        firmwareServerRootSetting = "http://127.0.0.1:9/";
        bootloaderToolPathSetting = "/opt/flasher";
        startWizardState (2057, true);
        EXPECT_EQ (firmwareServerRoot(), "http://127.0.0.1:9/");
        EXPECT_EQ (bootloaderToolPath, "/opt/flasher");
        resetWizardState();
    }

    {
        const ScopedEnvironmentVariable blank (placeVariables::firmwareServer, "  ");
        EXPECT_EQ (firmwareServerRoot(), builtInFirmwareServerRoot()) << "a blank variable keeps the build's choice";
    }

    startWizardState (2057, true);
    EXPECT_EQ (bootloaderToolPath, defaultBootloaderToolPath());
    EXPECT_NE (bootloaderToolPath, FakeBootloaderTool::executablePath());
    EXPECT_NE (firmwareCacheFolder(), cache);
    resetWizardState();
}
} // namespace
