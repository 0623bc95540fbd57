#include "firmware/FirmwareCatalogue.h"
#include "firmware/FirmwareServer.h"
#include "firmware/FirmwareVersions.h"
#include "firmware/ServerProbe.h"
#include "firmware/UpgraderPlaces.h"
#include "platform/MessageLoopWait.h"
#include "tests/support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
using corvix::testing::LoopbackHttpServer;
using Response = LoopbackHttpServer::Response;
namespace messages = talvor::catalogueMessages;

const char* const mixedCatalogue = R"(<?xml version="1.0" encoding="UTF-8"?>
<firmwares>
  <fw pid="2057" name="A" version="1.05" fw="orvel_a_1.05.bin"/>
  <fw pid="2058" name="B" version="2.01" fw="orvel_b_2.01.bin"/>
  <fw name="nopid" version="9.99" fw="nopid.bin"/>
  <fw pid="2057" name="C" version="1.06" fw="orvel_a_1.06.bin"/>
</firmwares>
)";

class FirmwareCatalogue : public testing::Test
{
protected:
    LoopbackHttpServer server;
    juce::ScopedValueSetter<juce::String> root{ talvor::firmwareServerRootSetting, server.url() };
    juce::ValueTree catalogue{ "firmwares" };

    juce::StringArray namesInCatalogue() const
    {
        juce::StringArray names;

        for (const auto& entry : catalogue)
            names.add (entry["name"].toString());

        return names;
    }
};

TEST_F (FirmwareCatalogue, KeepsOnlyTheProductsEntriesInDocumentOrder)
{
    server.respondAlways ("/firmware.xml", Response::ok (mixedCatalogue));

    ASSERT_TRUE (talvor::fetchFirmwareCatalogue (2057, catalogue).wasOk());
    EXPECT_EQ (namesInCatalogue(), juce::StringArray ({ "A", "C" }));

    ASSERT_TRUE (talvor::fetchFirmwareCatalogue (2058, catalogue).wasOk());
    EXPECT_EQ (namesInCatalogue(), juce::StringArray ({ "B" }));
}

TEST_F (FirmwareCatalogue, AnEntryWithoutProductIdIsRemovedForEveryRealProduct)
{
    server.respondAlways ("/firmware.xml", Response::ok (R"(<list><fw name="nopid" version="1.0" fw="x.bin"/></list>)"));

    auto result = talvor::fetchFirmwareCatalogue (2057, catalogue);
    EXPECT_EQ (result.getErrorMessage(), messages::noMatches);
    EXPECT_EQ (catalogue.getNumChildren(), 0);
}

TEST_F (FirmwareCatalogue, NotFoundMakesTheServerUnavailableAfterThreeTries)
{
    server.respondAlways ("/firmware.xml", Response::withStatus (404));
    catalogue.appendChild (juce::ValueTree ("fw"), nullptr);
    const auto before = catalogue;

    std::vector<int> pauses;
    juce::Result result = juce::Result::ok();
    {
        talvor::ScopedDispatchSliceRunner recordPauses ([&pauses] (int ms) { pauses.push_back (ms); });
        result = talvor::fetchFirmwareCatalogue (2057, catalogue);
    }

    EXPECT_EQ (result.getErrorMessage(), messages::serverUnavailable);
    EXPECT_EQ (server.requestCount ("/firmware.xml"), 3);
    // The message loop also runs while each try waits for its answer, in slices of another length.
    EXPECT_EQ (std::count (pauses.begin(), pauses.end(), 50), 3) << "each failed try is followed by its pause";
    EXPECT_EQ (catalogue, before);
    EXPECT_EQ (catalogue.getNumChildren(), 1);
}

TEST_F (FirmwareCatalogue, NotModifiedCountsAsAvailable)
{
    server.respond ("/firmware.xml", Response::withStatus (304));
    server.respond ("/firmware.xml", Response::ok (mixedCatalogue));

    EXPECT_TRUE (talvor::fetchFirmwareCatalogue (2057, catalogue).wasOk());
    EXPECT_EQ (server.requestCount ("/firmware.xml"), 2);
}

TEST_F (FirmwareCatalogue, AServerThatAnswersOnTheSecondTryIsAvailable)
{
    server.respond ("/firmware.xml", Response::withStatus (503));
    server.respond ("/firmware.xml", Response::ok (mixedCatalogue));

    EXPECT_TRUE (talvor::fetchFirmwareCatalogue (2057, catalogue).wasOk());
    EXPECT_EQ (server.requestCount ("/firmware.xml"), 3);
}

TEST_F (FirmwareCatalogue, MalformedXmlIsAConnectionError)
{
    server.respondAlways ("/firmware.xml", Response::ok ("<firmwares><fw pid=\"2057\" "));

    EXPECT_EQ (talvor::fetchFirmwareCatalogue (2057, catalogue).getErrorMessage(), messages::cannotConnect);
}

TEST_F (FirmwareCatalogue, AnAnswerLargerThanAnyCatalogueIsNotRead)
{
    server.respondAlways ("/firmware.xml", Response::ok (mixedCatalogue));
    talvor::CatalogueLimits limits;
    limits.largestDocumentBytes = (int) juce::String (mixedCatalogue).getNumBytesAsUTF8() - 1;
    const talvor::ScopedCatalogueLimits small (limits);

    EXPECT_EQ (talvor::fetchFirmwareCatalogue (2057, catalogue).getErrorMessage(), messages::cannotConnect);
    EXPECT_EQ (catalogue.getNumChildren(), 0);

    limits.largestDocumentBytes += 1;
    const talvor::ScopedCatalogueLimits justLargeEnough (limits);
    EXPECT_TRUE (talvor::fetchFirmwareCatalogue (2057, catalogue).wasOk());
}

TEST_F (FirmwareCatalogue, NoEntryForTheProductLeavesAnEmptyTree)
{
    server.respondAlways ("/firmware.xml", Response::ok (mixedCatalogue));

    EXPECT_EQ (talvor::fetchFirmwareCatalogue (2074, catalogue).getErrorMessage(), messages::noMatches);
    EXPECT_TRUE (catalogue.isValid());
    EXPECT_EQ (catalogue.getNumChildren(), 0);
}

TEST_F (FirmwareCatalogue, AnUnknownProductFailsWithoutAnyRequest)
{
    server.respondAlways ("/firmware.xml", Response::ok (mixedCatalogue));
    const auto before = catalogue;

    EXPECT_EQ (talvor::fetchFirmwareCatalogue (2000, catalogue).getErrorMessage(), messages::unknownProduct);
    EXPECT_EQ (talvor::fetchFirmwareCatalogue (-1, catalogue).getErrorMessage(), messages::unknownProduct);
    EXPECT_EQ (server.requestCount(), 0);
    EXPECT_EQ (catalogue, before);
}

TEST_F (FirmwareCatalogue, TwoProductsReadTheSpecialDocument)
{
    server.respondAlways ("/firmware-special.xml", Response::ok (R"(<x><fw pid="94" name="S" version="1.0" fw="s.bin"/></x>)"));

    EXPECT_TRUE (talvor::fetchFirmwareCatalogue (94, catalogue).wasOk());
    EXPECT_EQ (server.requestCount ("/firmware.xml"), 0);
    EXPECT_GE (server.requestCount ("/firmware-special.xml"), 2);
    EXPECT_EQ (talvor::firmwareCatalogueUrl (130).getFileName(), "firmware-special.xml");
}

TEST_F (FirmwareCatalogue, AServerThatIsNotListeningIsUnavailable)
{
    juce::String deadRoot;
    {
        LoopbackHttpServer gone;
        deadRoot = gone.url();
    }
    juce::ScopedValueSetter<juce::String> dead (talvor::firmwareServerRootSetting, deadRoot);

    EXPECT_EQ (talvor::fetchFirmwareCatalogue (2057, catalogue).getErrorMessage(), messages::serverUnavailable);
}

TEST (ServerProbe, AcceptsStatusesFrom200To304AndFollowsRedirects)
{
    LoopbackHttpServer server;
    server.respondAlways ("/ok", Response::withStatus (200));
    server.respondAlways ("/moved", Response::redirect (302, "/ok"));
    server.respondAlways ("/not-modified", Response::withStatus (304));
    server.respondAlways ("/error", Response::withStatus (500));

    EXPECT_TRUE (talvor::probeUrl (juce::URL (server.url() + "ok")));
    EXPECT_TRUE (talvor::probeUrl (juce::URL (server.url() + "moved")));
    EXPECT_TRUE (talvor::probeUrl (juce::URL (server.url() + "not-modified")));
    EXPECT_FALSE (talvor::probeUrl (juce::URL (server.url() + "error")));
    EXPECT_EQ (server.requestCount ("/ok"), 2);
    EXPECT_EQ (server.requestCount ("/error"), 3);
}

TEST (FirmwareServerRoot, DefaultsToTheBuildsChoiceAndAlwaysEndsInASlash)
{
    const auto builtIn = talvor::builtInFirmwareServerRoot();
    const auto builtInRoot = builtIn.endsWithChar ('/') ? builtIn : builtIn + "/";
    EXPECT_EQ (talvor::firmwareServerRoot(), builtInRoot);
    {
        juce::ScopedValueSetter<juce::String> root (talvor::firmwareServerRootSetting, " http://127.0.0.1:9/fw ");
        EXPECT_EQ (talvor::firmwareServerRoot(), "http://127.0.0.1:9/fw/");
        EXPECT_EQ (talvor::firmwareServerUrl ("a/b.bin").toString (false), "http://127.0.0.1:9/fw/a/b.bin");
    }
    EXPECT_EQ (talvor::firmwareServerRoot(), builtInRoot);
}

TEST (VersionToFloat, ReadsOneDigitBeforeTheDotAndThreeAfter)
{
    EXPECT_FLOAT_EQ (talvor::versionToFloat ("1.68"), 1.68f);
    EXPECT_FLOAT_EQ (talvor::versionToFloat ("R1.68"), 1.68f);
    EXPECT_FLOAT_EQ (talvor::versionToFloat ("1.23456"), 1.234f);
    EXPECT_FLOAT_EQ (talvor::versionToFloat ("1.2.3"), 1.2f);
    EXPECT_FLOAT_EQ (talvor::versionToFloat ("12.5"), 2.5f);
    EXPECT_FLOAT_EQ (talvor::versionToFloat ("orvel_a_1.06.bin"), 1.06f);
    EXPECT_FLOAT_EQ (talvor::versionToFloat ("15"), 0.0f);
    EXPECT_FLOAT_EQ (talvor::versionToFloat (".5"), 0.0f);
    EXPECT_FLOAT_EQ (talvor::versionToFloat (""), 0.0f);
    EXPECT_FLOAT_EQ (talvor::versionToFloat ("x.y"), 0.0f);
}

juce::ValueTree catalogueOf (std::initializer_list<std::pair<const char*, const char*>> versionsAndFiles)
{
    juce::ValueTree tree ("firmwares");

    for (auto& [version, file] : versionsAndFiles)
        tree.appendChild (juce::ValueTree ("fw", { { "version", version }, { "fw", file } }), nullptr);

    return tree;
}

TEST (LatestFirmwareFile, PicksTheHighestVersionAndKeepsTheEarlierOfEqualOnes)
{
    EXPECT_EQ (talvor::latestFirmwareFile (catalogueOf ({ { "1.04", "a" }, { "1.50", "b" }, { "1.5", "c" }, { "1.2", "d" } })), "b");
    EXPECT_EQ (talvor::latestFirmwareFile (catalogueOf ({ { "1.5", "c" }, { "1.50", "b" } })), "c");
}

TEST (LatestFirmwareFile, AnEntryWithoutADotStillBeatsTheStartingValue)
{
    EXPECT_EQ (talvor::latestFirmwareFile (catalogueOf ({ { "latest", "only.bin" } })), "only.bin");
    EXPECT_EQ (talvor::latestFirmwareFile (juce::ValueTree ("firmwares")), "");
}
} // namespace
