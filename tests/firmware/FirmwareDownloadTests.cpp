#include "firmware/FirmwareDownload.h"
#include "firmware/FirmwareServer.h"
#include "firmware/ServerRequestThread.h"
#include "tests/support/LoopbackHttpServer.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

namespace
{
using corvix::testing::LoopbackHttpServer;
using Response = LoopbackHttpServer::Response;

juce::MemoryBlock imageOfSize (size_t size)
{
    juce::MemoryBlock image (size);

    for (size_t i = 0; i < size; ++i)
        image[i] = (char) ((i * 7 + 3) & 0xff);

    return image;
}

class FirmwareDownload : public testing::Test
{
protected:
    LoopbackHttpServer server;
    juce::TemporaryFile scratch;
    juce::File folder = scratch.getFile();
    juce::File cache = folder.getChildFile ("cache");
    juce::MemoryBlock image = imageOfSize (100000);

    void SetUp() override
    {
        talvor::resetWizardState();
        talvor::firmwareServerRootSetting = server.url();
        ASSERT_TRUE (cache.createDirectory());
    }

    void TearDown() override
    {
        talvor::resetWizardState();
        folder.deleteRecursively();
    }

    /** Only a hang guard: far below the 120 s after which the connection itself gives up in these
        tests, far above what the deadline or the Esc takes on any machine, however loaded. */
    static constexpr juce::uint32 stallBoundMs = 60000;

    /** A short deadline keeps the stalls of these tests brief; the connection's own stall
        time-out is too long to be what ends them. */
    static talvor::DownloadLimits shortLimits()
    {
        auto limits = onlyEscEndsIt();
        limits.deadlineMs = 400;
        return limits;
    }

    static talvor::DownloadLimits onlyEscEndsIt()
    {
        talvor::DownloadLimits limits;
        limits.deadlineMs = 120000;
        limits.connectionTimeoutMs = 120000;
        return limits;
    }

    juce::File cacheFileFor (const juce::String& fw) const
    {
        return cache.getChildFile (talvor::safeFirmwareFileName (talvor::firmwareServerUrl (fw)));
    }

    /** Hidden files count too: a partial download is kept in one. */
    static int filesIn (const juce::File& dir) { return dir.getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"); }

    void expectFailureLeavesNothing (const juce::Result& result, const juce::File& target)
    {
        EXPECT_EQ (result.getErrorMessage(), talvor::downloadFailedMessage);
        EXPECT_FALSE (target.exists());
        EXPECT_EQ (filesIn (cache), 0) << "a partial file stayed in the cache";
    }
};

TEST_F (FirmwareDownload, AWholeBodyWithStatus200GivesTheFile)
{
    server.respondAlways ("/fw/orvel_a_1.06.bin", Response::ok (image));
    auto target = cacheFileFor ("fw/orvel_a_1.06.bin");

    auto result = talvor::downloadFirmwareFile (talvor::firmwareServerUrl ("fw/orvel_a_1.06.bin"), target);

    ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();
    juce::MemoryBlock written;
    ASSERT_TRUE (target.loadFileAsData (written));
    EXPECT_EQ (written, image);
    EXPECT_EQ (filesIn (cache), 1);
    ASSERT_EQ (server.requestCount(), 1);
    EXPECT_EQ (server.requests()[0].method, "GET");
}

TEST_F (FirmwareDownload, TheCacheFileLiesInTheCacheFolderWhichIsMadeWhenMissing)
{
    auto slow = Response::ok (image);
    slow.delayMs = 200;
    server.respondAlways ("/fw/orvel_a_1.06.bin", slow);
    talvor::firmwareCacheFolderSetting = cache.getChildFile ("not/yet/there");
    auto url = talvor::firmwareServerUrl ("fw/orvel_a_1.06.bin");

    auto target = talvor::firmwareCacheFileFor (url);
    EXPECT_EQ (target, cache.getChildFile ("not/yet/there/orvel_a_1.06.bin"));

    ASSERT_TRUE (talvor::downloadFirmwareFile (url, target).wasOk());
    EXPECT_EQ (target.getSize(), (juce::int64) image.getSize());
}

TEST_F (FirmwareDownload, FollowsARedirectToTheFile)
{
    server.respondAlways ("/latest.bin", Response::redirect (302, "/files/real.bin"));
    server.respondAlways ("/files/real.bin", Response::ok (image));
    auto target = cacheFileFor ("latest.bin");

    ASSERT_TRUE (talvor::downloadFirmwareFile (talvor::firmwareServerUrl ("latest.bin"), target).wasOk());
    EXPECT_EQ (target.getSize(), (juce::int64) image.getSize());
}

TEST_F (FirmwareDownload, AnErrorPageIsNeverSavedAsFirmware)
{
    for (auto status : { 404, 500 })
    {
        SCOPED_TRACE (status);
        server.respondAlways ("/x.bin", Response::withStatus (status, "<html>error page with a body</html>"));
        auto target = cacheFileFor ("x.bin");

        expectFailureLeavesNothing (talvor::downloadFirmwareFile (talvor::firmwareServerUrl ("x.bin"), target), target);
    }
}

TEST_F (FirmwareDownload, AFailedDownloadRemovesAnOlderFileOfTheSameName)
{
    auto target = cacheFileFor ("x.bin");
    ASSERT_TRUE (target.replaceWithText ("older firmware"));
    server.respondAlways ("/x.bin", Response::withStatus (500));

    expectFailureLeavesNothing (talvor::downloadFirmwareFile (talvor::firmwareServerUrl ("x.bin"), target), target);
}

TEST_F (FirmwareDownload, ABodyCutShortOfItsAnnouncedLengthFails)
{
    auto cut = Response::ok (image);
    cut.cutOffAfterBytes = 60000;
    server.respondAlways ("/x.bin", cut);
    auto target = cacheFileFor ("x.bin");

    expectFailureLeavesNothing (talvor::downloadFirmwareFile (talvor::firmwareServerUrl ("x.bin"), target), target);
}

TEST_F (FirmwareDownload, AStalledBodyEndsAtTheDeadline)
{
    auto stalled = Response::ok (image);
    stalled.stallAfterBytes = 1000;
    server.respondAlways ("/x.bin", stalled);
    auto target = cacheFileFor ("x.bin");

    const auto started = juce::Time::getMillisecondCounter();
    expectFailureLeavesNothing (talvor::downloadFirmwareFile (talvor::firmwareServerUrl ("x.bin"), target, shortLimits()), target);
    EXPECT_LT (juce::Time::getMillisecondCounter() - started, stallBoundMs) << "the deadline did not end the download";
}

TEST_F (FirmwareDownload, AServerThatNeverAnswersEndsAtTheDeadline)
{
    auto silent = Response::ok (image);
    silent.stallBeforeHeaders = true;
    server.respondAlways ("/x.bin", silent);
    auto target = cacheFileFor ("x.bin");

    const auto started = juce::Time::getMillisecondCounter();
    expectFailureLeavesNothing (talvor::downloadFirmwareFile (talvor::firmwareServerUrl ("x.bin"), target, shortLimits()), target);
    EXPECT_LT (juce::Time::getMillisecondCounter() - started, stallBoundMs) << "the deadline did not end the download";
    EXPECT_EQ (server.requestCount ("/x.bin"), 1);
}

TEST_F (FirmwareDownload, EscEndsAStalledDownloadLongBeforeItsDeadline)
{
    auto stalled = Response::ok (image);
    stalled.stallAfterBytes = 1000;
    server.respondAlways ("/x.bin", stalled);
    auto target = cacheFileFor ("x.bin");

    // The user presses Esc while the download hangs; the key handler runs inside the poll's wait.
    juce::Timer::callAfterDelay (150, [] { talvor::abortRequested = true; });

    const auto started = juce::Time::getMillisecondCounter();
    expectFailureLeavesNothing (talvor::downloadFirmwareFile (talvor::firmwareServerUrl ("x.bin"), target, onlyEscEndsIt()), target);

    EXPECT_TRUE (talvor::abortRequested);
    EXPECT_LT (juce::Time::getMillisecondCounter() - started, stallBoundMs) << "the download ran on until the connection gave up";
}

TEST_F (FirmwareDownload, ADownloadLeftToEndOnItsOwnWritesNothingWhenItsWholeAnswerComesLater)
{
    // The whole image trickles in over about two seconds, long after the deadline, which leaves
    // the request's thread to end by itself at once (no grace). That thread must touch nothing
    // of the download that gave up on it, not even when its answer comes whole.
    auto late = Response::ok (imageOfSize (4096));
    late.trickleBytes = 512;
    late.trickleIntervalMs = 250;
    server.respondAlways ("/x.bin", late);
    auto target = cacheFileFor ("x.bin");
    auto limits = shortLimits();
    limits.stopGraceMs = 0;
    const auto runningBefore = talvor::ServerRequestThread::threadsRunning();

    expectFailureLeavesNothing (talvor::downloadFirmwareFile (talvor::firmwareServerUrl ("x.bin"), target, limits), target);

    const auto hangGuard = juce::Time::getMillisecondCounter() + 20000;
    while (talvor::ServerRequestThread::threadsRunning() > runningBefore && juce::Time::getMillisecondCounter() < hangGuard)
        juce::Thread::sleep (20);

    ASSERT_LE (talvor::ServerRequestThread::threadsRunning(), runningBefore) << "the request's thread never ended";
    EXPECT_FALSE (target.exists());
    EXPECT_EQ (filesIn (cache), 0);
}

TEST_F (FirmwareDownload, AnAnswerThatIsADocumentIsNeverSavedAndABinaryImageAlways)
{
    const juce::String page ("<html><head><title>Not found</title></head><body>" + juce::String::repeatedString ("Nothing here. ", 100)
                             + "</body></html>");
    auto bytesOf = [] (std::initializer_list<juce::uint8> lead, const juce::String& text)
    {
        juce::MemoryBlock bytes;
        for (auto b : lead)
            bytes.append (&b, 1);
        bytes.append (text.toRawUTF8(), text.getNumBytesAsUTF8());
        return bytes;
    };
    auto utf16 = [] (const juce::String& text)
    {
        juce::MemoryBlock bytes ("\xff\xfe", 2);
        for (auto c : text)
        {
            const juce::uint8 unit[] = { (juce::uint8) (c & 0xff), (juce::uint8) (c >> 8) };
            bytes.append (unit, 2);
        }
        return bytes;
    };
    auto typed = [] (juce::MemoryBlock bytes, const juce::String& type)
    {
        auto answer = Response::ok (bytes);
        answer.headers.set ("Content-Type", type);
        return answer;
    };

    auto empty = Response::ok (imageOfSize (1));
    empty.body.reset();

    const std::vector<std::pair<const char*, Response>> documents{
        { "a page after a line break", Response::ok (bytesOf ({ '\r', '\n' }, page)) },
        { "a page after a byte-order mark", Response::ok (bytesOf ({ 0xef, 0xbb, 0xbf }, page)) },
        { "a page in UTF-16", Response::ok (utf16 (page)) },
        { "a page in another language", Response::ok (bytesOf ({ ' ', '\t' }, juce::String::repeatedString (juce::CharPointer_UTF8 ("Seite nicht gefunden \xc3\xa4\xc3\xb6\xc3\xbc \xe2\x80\x94 "), 30))) },
        { "a short error text", Response::ok (bytesOf ({}, "Not found")) },
        { "an error object", typed (imageOfSize (600), "application/problem+json; charset=utf-8") },
        { "an XML document", typed (imageOfSize (600), "Application/XML") },
        { "an empty answer", empty },
    };

    for (const auto& [what, answer] : documents)
    {
        SCOPED_TRACE (what);
        // A path of its own each: the framework's copy of an empty body over another trips the
        // undefined-behaviour checker.
        const auto fw = juce::String (what).replaceCharacter (' ', '_') + ".bin";
        server.respondAlways ("/" + fw, answer);
        auto target = cacheFileFor (fw);

        expectFailureLeavesNothing (talvor::downloadFirmwareFile (talvor::firmwareServerUrl (fw), target), target);
    }

    // Images whose first bytes come closest to text: a printable header, a first byte-order-mark-like
    // word, bytes that are never UTF-8.
    auto binary = [] (std::initializer_list<juce::uint8> lead, const juce::String& header, size_t size)
    {
        juce::MemoryBlock bytes;
        for (auto b : lead)
            bytes.append (&b, 1);
        bytes.append (header.toRawUTF8(), header.getNumBytesAsUTF8());
        for (size_t i = 0; bytes.getSize() < size; ++i)
        {
            const auto b = (juce::uint8) (i % 8 < 2 ? 0 : 0x30 + (i * 13) % 64);
            bytes.append (&b, 1);
        }
        return bytes;
    };
    const std::vector<std::pair<const char*, juce::MemoryBlock>> images{
        { "a header of text", binary ({}, "ORVEL-A FIRMWARE 1.06 (C) TALVOR\r\n" + juce::String::repeatedString ("=", 400), 8192) },
        { "a first word like a byte-order mark", binary ({ 0xff, 0xfe }, {}, 512) },
        { "an erased block first", binary ({ 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff }, {}, 1024) },
    };

    for (const auto& [what, bytes] : images)
    {
        SCOPED_TRACE (what);
        server.respondAlways ("/x.bin", Response::ok (bytes));
        auto target = cacheFileFor ("x.bin");

        ASSERT_TRUE (talvor::downloadFirmwareFile (talvor::firmwareServerUrl ("x.bin"), target).wasOk());
        juce::MemoryBlock written;
        ASSERT_TRUE (target.loadFileAsData (written));
        EXPECT_EQ (written, bytes);
    }
}

TEST_F (FirmwareDownload, AnEmptyAddressFailsWithoutARequest)
{
    auto target = cacheFileFor ("x.bin");

    expectFailureLeavesNothing (talvor::downloadFirmwareFile (juce::URL(), target), target);
    EXPECT_EQ (server.requestCount(), 0);
}

TEST (SafeFirmwareFileName, KeepsOnlyAPlainNameOfTheLastSegment)
{
    auto nameOf = [] (const char* fw)
    { return talvor::safeFirmwareFileName (juce::URL ("https://firmware.talvor.example/" + juce::String (fw))); };

    EXPECT_EQ (nameOf ("orvel_a_1.06.bin"), "orvel_a_1.06.bin");
    EXPECT_EQ (nameOf ("fw/2057/Orvel-A-1.06.bin"), "Orvel-A-1.06.bin");
    EXPECT_EQ (nameOf ("../../x"), "x");
    EXPECT_EQ (nameOf ("a\\b.bin"), "b.bin");
    EXPECT_EQ (nameOf (".."), "firmware.bin");
    EXPECT_EQ (nameOf ("."), "firmware.bin");
    EXPECT_EQ (nameOf (""), "firmware.bin");
    EXPECT_EQ (nameOf ("dir/"), "firmware.bin");
    EXPECT_EQ (nameOf ("%2e%2e"), "firmware.bin");
    EXPECT_EQ (nameOf ("a b.bin"), "firmware.bin");
    EXPECT_EQ (nameOf ("a:b.bin"), "firmware.bin");
}

TEST_F (FirmwareDownload, HostileNamesFromTheServerWriteOnlyInsideTheCache)
{
    server.respondAlways ("/x", Response::ok (image));
    server.respondAlways ("/firmware.bin", Response::ok (image));

    for (auto fw : { "../../x", "..", "", "a\\b.bin" })
    {
        SCOPED_TRACE (fw);
        auto url = talvor::firmwareServerUrl (fw);
        auto target = cacheFileFor (fw);

        EXPECT_EQ (target.getParentDirectory(), cache);
        talvor::downloadFirmwareFile (url, target);
        EXPECT_EQ (filesIn (folder), 1) << "something was written beside the cache";
    }

    for (const auto& file : cache.findChildFiles (juce::File::findFilesAndDirectories, true, "*"))
        EXPECT_TRUE (file.getFileName() == "x" || file.getFileName() == "firmware.bin") << file.getFullPathName();

    EXPECT_TRUE (cache.getChildFile ("x").existsAsFile());
}
} // namespace
