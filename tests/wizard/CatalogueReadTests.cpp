#include "firmware/FirmwareCatalogue.h"
#include "tests/wizard/WizardFixture.h"

#include <functional>

// The catalogue from a server that trickles its answer or never gives one: the probe and the read
// keep the window alive, end at their deadline or at Esc, and write nothing.

namespace
{
using namespace talvor;
using namespace talvor::test;
using Response = corvix::testing::LoopbackHttpServer::Response;

/** Runs a callback on the message thread every 20 ms, as the window's own repaints and timers do. */
class MessageThreadTicker final : private juce::Timer
{
public:
    explicit MessageThreadTicker (std::function<void()> onTickToUse) : onTick (std::move (onTickToUse)) { startTimer (20); }
    ~MessageThreadTicker() override { stopTimer(); }

private:
    void timerCallback() override { onTick(); }

    std::function<void()> onTick;
};

class CatalogueRead : public WizardFixture
{
protected:
    /** A catalogue sent at 200 bytes a second: some 90 s in all. */
    void serveTricklingCatalogue()
    {
        Response answer = Response::ok (R"(<firmwares><!--)" + juce::String::repeatedString ("x", 18000)
                                        + R"(--><fw pid="2057" name="Orvel-A" version="1.06" fw="orvel_a_1.06.bin"/></firmwares>)");
        answer.trickleBytes = 20;
        answer.trickleIntervalMs = 100;
        startServer().respondAlways ("/firmware.xml", answer);
    }

    /** The probe asks once; the second request for the document is the read itself. */
    bool reading() const { return server->requestCount ("/firmware.xml") >= 2; }

    static double secondsSince (double startMs) { return (juce::Time::getMillisecondCounterHiRes() - startMs) / 1000.0; }

    // Only a hang guard: the server sends, or the limits of the Esc tests allow, far longer than
    // this; the deadline or the Esc ends a read far sooner on any machine, however loaded.
    static constexpr double longerThanAnyLimitSeconds = 60.0;

    /** Limits under which only the Esc ends a read within the hang guard. */
    static CatalogueLimits onlyEscEndsIt()
    {
        CatalogueLimits limits;
        limits.deadlineMs = 120000;
        limits.connectionTimeoutMs = 120000;
        return limits;
    }
};

TEST_F (CatalogueRead, ATricklingServerEndsAtTheDeadlineWithTheCataloguesFailureAndTheWindowAlive)
{
    CatalogueLimits limits;
    limits.deadlineMs = 1500;
    const ScopedCatalogueLimits shortDeadline (limits);
    serveTricklingCatalogue();
    scripted.answerFile (firmwareFileOnDisk());
    FirmwareUpgradeComponent wizard (2057, true);
    automaticMode = false;
    int ticksWhileReading = 0;
    const MessageThreadTicker ticker ([&] { ticksWhileReading += reading() ? 1 : 0; });
    const auto started = juce::Time::getMillisecondCounterHiRes();

    wizard.runStep (3);

    EXPECT_LT (secondsSince (started), longerThanAnyLimitSeconds);
    EXPECT_GT (ticksWhileReading, 0) << "the message loop ran during the read";
    ASSERT_FALSE (scripted.shown().empty());
    EXPECT_EQ (scripted.shown()[0].kind, ShownDialog::Kind::openChooser) << "a server that fails leads to a file";
    EXPECT_EQ (scripted.last().message, catalogueMessages::cannotConnect);
    EXPECT_EQ (server->requestCount ("/orvel_a_1.06.bin"), 0);
}

TEST_F (CatalogueRead, EscDuringATricklingReadEndsItAndWritesNothing)
{
    const ScopedCatalogueLimits onlyEsc (onlyEscEndsIt());
    serveTricklingCatalogue();
    scripted.answerFile ({});
    FirmwareUpgradeComponent wizard (2057, true);
    automaticMode = true;
    const MessageThreadTicker user (
        [&]
        {
            if (reading() && ! abortRequested)
                wizard.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
        });
    const auto started = juce::Time::getMillisecondCounterHiRes();

    wizard.runStep (3);

    EXPECT_LT (secondsSince (started), longerThanAnyLimitSeconds);
    EXPECT_TRUE (abortRequested);
    EXPECT_TRUE (scripted.shown().empty()) << "who asked to stop is asked for no file: " << scripted.titles().joinIntoString ("|");
    EXPECT_EQ (server->requestCount ("/orvel_a_1.06.bin"), 0);
    EXPECT_EQ (toolRuns ("write-memory"), 0);
}

TEST_F (CatalogueRead, EscWhileTheServerHasNotAnsweredTheProbeEndsItWithoutAnotherTry)
{
    const ScopedCatalogueLimits onlyEsc (onlyEscEndsIt());
    Response silent;
    silent.stallBeforeHeaders = true;
    startServer().respondAlways ("/firmware.xml", silent);
    scripted.answerFile ({});
    FirmwareUpgradeComponent wizard (2057, true);
    automaticMode = false;
    const MessageThreadTicker user (
        [&]
        {
            if (server->requestCount ("/firmware.xml") > 0 && ! abortRequested)
                wizard.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
        });
    const auto started = juce::Time::getMillisecondCounterHiRes();

    wizard.runStep (3);

    EXPECT_LT (secondsSince (started), longerThanAnyLimitSeconds);
    EXPECT_EQ (server->requestCount ("/firmware.xml"), 1) << "the probe saw the Esc while it waited";
    EXPECT_TRUE (scripted.shown().empty()) << scripted.titles().joinIntoString ("|");
    EXPECT_EQ (toolRuns ("write-memory"), 0);
}
} // namespace
