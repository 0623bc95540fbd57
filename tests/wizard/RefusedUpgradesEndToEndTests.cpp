#include "platform/WholeFile.h"
#include "tests/wizard/WholeUpgradeFixture.h"

// Upgrades that must end before anything reaches the unit: a missing bootloader tool, a file
// from the server that is not the unit's firmware. Through the launcher and the real window.

namespace
{
using namespace talvor;
using namespace talvor::test;
using Response = corvix::testing::LoopbackHttpServer::Response;

using RefusedUpgrade = WholeUpgrade;

TEST_F (RefusedUpgrade, WithoutTheBootloaderToolTheUnitIsSentNothing)
{
    addUnit ("Orvel-A V1.05 1");
    bootloaderToolPathSetting = "/nowhere/blhost";
    scripted.answerOkCancel (true);
    int stepAfterwards = -2;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            click (wizard, 0);
            stepAfterwards = wizard.getCurrentStep();
        });
    letChooserConfirmItself();

    launchFirmwareUpgrader (2057, nullptr, true, true);

    EXPECT_TRUE (sentToUnits.empty()) << "the unit was not asked into its bootloader";
    EXPECT_EQ (boxesWithMessage ("Lacked of upgrade tool!\n/nowhere/blhost"), 1);
    EXPECT_EQ (stepAfterwards, -1);
    EXPECT_FALSE (shownTitle ("Firmware Upgrade Succeeded"));
}
} // namespace

TEST_F (RefusedUpgrade, AFileFromTheServerThatIsAWebPageOrAnotherProductsIsNotWritten)
{
    juce::String page ("<!DOCTYPE html><html><head><title>Page not found</title></head><body>");
    while (page.length() < 1500)
        page << "<p>The page you asked for is not here.</p>";
    page << "</body></html>";
    juce::MemoryBlock markup (page.toRawUTF8(), page.getNumBytesAsUTF8());

    struct Case
    {
        const char* what;
        const char* file;
        Response answer;
    };
    const std::vector<Case> cases{ { "an error page", "orvel_a_1.06.bin", Response::ok (page, "text/html") },
                                   { "a text answer", "orvel_a_1.06.bin", Response::ok (firmwareBytes().toString(), "text/plain") },
                                   { "markup sent as a file", "orvel_a_1.06.bin", Response::ok (markup) },
                                   { "another product's file", "orvel_b_2.01.bin", Response::ok (firmwareBytes()) } };

    for (const auto& c : cases)
    {
        addUnit ("Orvel-A V1.05 1");
        startServer().respondAlways ("/firmware.xml",
                                     Response::ok (juce::String (R"(<firmwares><fw pid="2057" name="Orvel-A" version="1.06" fw=")") + c.file
                                                   + R"("/></firmwares>)"));
        server->respondAlways (juce::String ("/") + c.file, c.answer);
        onWizard ([&] (FirmwareUpgradeComponent& wizard) { click (wizard, 0); });
        letChooserConfirmItself();

        launchFirmwareUpgrader (2057, nullptr, false, true);

        EXPECT_EQ (toolRuns ("write-memory"), 0) << c.what;
        EXPECT_TRUE (flashErased (2048)) << c.what;
        EXPECT_FALSE (shownTitle ("Firmware Upgrade Succeeded")) << c.what;
        EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 1) << c.what << ": a file from disk is asked for instead";
        EXPECT_FALSE (cacheFolder.getFile().getChildFile (c.file).existsAsFile()) << c.what;

        scripted.forget();
        ports.removeAll();
        sentToUnits.clear();
    }

    EXPECT_EQ (server->requestCount ("/orvel_b_2.01.bin"), 0) << "a file named for another product is not even fetched";
}
