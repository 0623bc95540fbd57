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

TEST_F (RefusedUpgrade, AFileFromTheServerThatIsAPageAnErrorOrAnotherProductsIsNotWritten)
{
    juce::String page ("<!DOCTYPE html><html><head><title>Page not found</title></head><body>");
    while (page.length() < 1500)
        page << "<p>The page you asked for is not here.</p>";
    page << "</body></html>";
    auto withLead = [] (const juce::String& lead, const juce::String& text)
    {
        juce::MemoryBlock bytes (lead.toRawUTF8(), lead.getNumBytesAsUTF8());
        bytes.append (text.toRawUTF8(), text.getNumBytesAsUTF8());
        return bytes;
    };
    juce::String error (R"({"error":{"code":404,"message":"No such firmware","details":")");
    while (error.length() < 580)
        error << "The file you asked for is not on this server. ";
    error << R"("}})";

    constexpr const char* notDownloaded = "Could not download firmware file";
    constexpr const char* notMatching = "Not the matching firmware!";
    struct Case
    {
        const char* what;
        const char* file;
        Response answer;
        const char* message;
    };
    const std::vector<Case> cases{
        { "an error page", "orvel_a_1.06.bin", Response::ok (page, "text/html"), notDownloaded },
        { "a text answer", "orvel_a_1.06.bin", Response::ok (firmwareBytes().toString(), "text/plain"), notDownloaded },
        { "markup sent as a file", "orvel_a_1.06.bin", Response::ok (withLead ({}, page)), notDownloaded },
        { "the page after a line break", "orvel_a_1.06.bin", Response::ok (withLead ("\r\n", page)), notDownloaded },
        { "the page after blanks", "orvel_a_1.06.bin", Response::ok (withLead ("  \t ", page)), notDownloaded },
        { "the page after a byte-order mark", "orvel_a_1.06.bin", Response::ok (withLead (juce::CharPointer_UTF8 ("\xef\xbb\xbf"), page)),
          notDownloaded },
        { "an error answered with 200", "orvel_a_1.06.bin", Response::ok (error, "application/json"), notDownloaded },
        { "another product's file", "orvel_b_2.01.bin", Response::ok (firmwareBytes()), notMatching },
        { "a file that is not an image", "orvel_a_1.06.hex", Response::ok (firmwareBytes()), notMatching },
        { "a file without extension", "orvel_a_", Response::ok (firmwareBytes()), notMatching },
    };

    for (const auto& c : cases)
    {
        addUnit ("Orvel-A V1.05 1");
        startServer().respondAlways ("/firmware.xml",
                                     Response::ok (juce::String (R"(<firmwares><fw pid="2057" name="Orvel-A" version="1.06" fw=")") + c.file
                                                   + R"("/></firmwares>)"));
        server->respondAlways (juce::String ("/") + c.file, c.answer);
        // Step by step, so that the file the user gives instead ends the step with the reason.
        onWizard (
            [&] (FirmwareUpgradeComponent& wizard)
            {
                wizard.keyPressed (juce::KeyPress ('a'));
                for (int step = 0; step < 4; ++step)
                    click (wizard, step);
            });
        pressInChooser ("OK"); // the unit
        pressInChooser ("OK"); // the firmware
        scripted.answerFile (firmwareFileOnDisk());

        launchFirmwareUpgrader (2057, nullptr, false, true);

        EXPECT_EQ (boxesWithMessage (c.message), 1) << c.what << ": " << scripted.messages().joinIntoString ("|");
        EXPECT_EQ (toolRuns ("write-memory"), 0) << c.what;
        EXPECT_TRUE (flashErased (2048)) << c.what;
        EXPECT_FALSE (shownTitle ("Firmware Upgrade Succeeded")) << c.what;
        EXPECT_EQ (shownOfKind (ShownDialog::Kind::openChooser), 1) << c.what << ": a file from disk is asked for instead";
        EXPECT_EQ (cacheFolder.getFile().getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 0) << c.what;

        if (juce::String (c.message) == notMatching)
        {
            EXPECT_EQ (server->requestCount (juce::String ("/") + c.file), 0) << c.what << ": a file not for the unit is not even fetched";
        }

        scripted.forget();
        ports.removeAll();
        sentToUnits.clear();
    }
}
