#include "devices/PortNames.h"
#include "link/HostMidiInputHandler.h"
#include "link/UploadConversation.h"
#include "map/MapIdentifiers.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "platform/MessageLoopWait.h"
#include "platform/MidiPacing.h"
#include "tests/support/HostTest.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::SimulatedUnit;
using Commands = std::vector<juce::uint8>;

constexpr juce::uint8 opening = 0x24, table = 0x25, texts = 0x26, closing = 0x27, setting = 0x2C, mode = 0x2E;

/** The requests of a whole slot of the main unit, in order. */
Commands mainUnitSlot()
{
    Commands c{ setting };
    c.insert (c.end(), 8, table);
    c.insert (c.end(), 10, texts);
    c.push_back (mode);
    return c;
}

Commands concat (std::initializer_list<Commands> parts)
{
    Commands all;
    for (auto& p : parts)
        all.insert (all.end(), p.begin(), p.end());
    return all;
}

class UploadConversation : public corvix::testing::HostTest
{
protected:
    UploadConversation()
    {
        for (int slot = 1; slot <= 3; ++slot)
            host->getStateTree().slotNode (slot, 1).setProperty (mapIds::current, slot + 3, nullptr);
    }

    juce::Result upload (const juce::String& output = "Orvel-A 4", int productId = 2057)
    {
        return runUploadConversation (*host, output, productId);
    }

    /** The slots (from the slot-and-workstation byte) of the table blocks received. */
    std::vector<int> slotsOfTableBlocks (const SimulatedUnit& u) const
    {
        std::vector<int> slots;
        for (auto& m : u.received())
            if (m.bytes.size() == 234)
                slots.push_back ((m.bytes[6] >> 5) & 3);
        return slots;
    }

    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    SimulatedUnit unit{ ports, {} };
};

TEST_F (UploadConversation, AUnitInSyncGetsNoSlotDataAndNoClosingRequest)
{
    unit.setSyncMask (7);
    currentSlotId = 2;

    EXPECT_TRUE (upload().wasOk());
    EXPECT_EQ (unit.receivedCommands(), Commands{ opening });
    ASSERT_EQ (unit.countChannelMessages (0xEC, 0x22), 1);

    const auto last = unit.received().back().bytes;
    EXPECT_EQ (last, (std::vector<juce::uint8>{ 0xEC, 0x22, (2 << 5) | 5 })) << "the selected slot and its workstation end it";
    const auto beforeLast = unit.received()[unit.received().size() - 2].bytes;
    EXPECT_EQ (beforeLast, (std::vector<juce::uint8>{ 0xEF, 0x7F, 0x7F })) << "the filler goes first";
    EXPECT_EQ (transferBusy, 0);
}

TEST_F (UploadConversation, OnlyTheSlotsTheUnitReportsAsChangedAreSent)
{
    unit.setSyncMask (5); // slots 1 and 3 in sync

    EXPECT_TRUE (upload().wasOk());
    EXPECT_EQ (unit.receivedCommands(), concat ({ { opening }, mainUnitSlot(), { closing } }));
    EXPECT_EQ (slotsOfTableBlocks (unit), std::vector<int> (8, 2));
    EXPECT_EQ (unit.slot (2).settingWorkstation, 5);
    EXPECT_EQ (unit.slot (2).options, 0x02);

    // Slot 1 has the mask's highest bit, slot 3 its lowest.
    unit.clearReceived();
    unit.setSyncMask (6); // slots 1 and 2 in sync
    EXPECT_TRUE (upload().wasOk());
    EXPECT_EQ (slotsOfTableBlocks (unit), std::vector<int> (8, 3));
}

TEST_F (UploadConversation, ASlotWithoutAWorkstationIsNotSent)
{
    host->getStateTree().slotNode (1, 1).setProperty (mapIds::current, 0, nullptr);
    host->getStateTree().slotNode (3, 1).setProperty (mapIds::current, 19, nullptr);

    EXPECT_TRUE (upload().wasOk());
    EXPECT_EQ (slotsOfTableBlocks (unit), std::vector<int> (8, 2));
}

TEST_F (UploadConversation, NoAnswerTimesOutAfterTwentyFivePollsAndSendsNothingMore)
{
    unit.setSilent (true);
    std::vector<int> slices;
    talvor::ScopedDispatchSliceRunner recorder (
        [&] (int ms)
        {
            slices.push_back (ms);
            juce::MessageManager::getInstance()->runDispatchLoopUntil (ms);
        });

    const auto result = upload();
    EXPECT_EQ (result.getErrorMessage(), "Time out!");
    EXPECT_EQ (std::count (slices.begin(), slices.end(), 2), 25);
    EXPECT_EQ (unit.receivedCommands(), Commands{ opening });
    EXPECT_EQ (unit.countChannelMessages (0xEC, 0x22), 0);
    EXPECT_EQ (transferBusy, 0);
}

TEST_F (UploadConversation, TheOpeningRequestNeedsTheUnitsOwnAcknowledgement)
{
    // A status message ends the wait, but says nothing of the slots: the conversation goes on
    // only with the acknowledgement of the request itself.
    unit.sendStatusReplyOn (opening, 0x01, true);

    EXPECT_EQ (upload().getErrorMessage(), "Time out!");
    EXPECT_EQ (unit.receivedCommands(), Commands{ opening });
    EXPECT_EQ (unit.countChannelMessages (0xEC, 0x22), 0);
}

/** What the wait seam saw, in order with what the unit received: "w<ms>" for each wait, the
    command byte in hex for each request, "f" for the filler, "s" for a status message. Each wait
    also lets the unit's due answers arrive, as the fixture's own waits do, so a busy machine
    cannot turn a prompt answer into a time-out. */
class RecordedConversation
{
public:
    RecordedConversation (SimulatedUnit& unit, talvor::VirtualMidiPortBackend& ports)
        : recorder ([this, &ports] (int ms)
                    {
                        events.push_back ("w" + std::to_string (ms));
                        juce::MessageManager::getInstance()->runDispatchLoopUntil (ms);
                        ports.waitForDueDeliveries();
                    })
    {
        unit.onMessage = [this] (const SimulatedUnit::ReceivedMessage& m)
        {
            if (m.bytes.size() > 5 && m.bytes[0] == 0xF0)
                events.push_back (juce::String::toHexString (m.bytes[5]).toStdString());
            else if (m.bytes == std::vector<juce::uint8>{ 0xEF, 0x7F, 0x7F })
                events.push_back ("f");
            else
                events.push_back ("s");
        };
    }

    /** The waits after the last event equal to `after`, up to the next message, without the
        polls for a reply (whose number depends on how soon the reply comes). */
    std::vector<std::string> waitsAfterLast (const std::string& after) const
    {
        const auto last = std::find (events.rbegin(), events.rend(), after);
        std::vector<std::string> waits;

        for (auto e = last.base(); e != events.end() && e->front() == 'w'; ++e)
            if (*e != "w2")
                waits.push_back (*e);

        return waits;
    }

    long count (const std::string& event) const { return std::count (events.begin(), events.end(), event); }

    std::vector<std::string> events;

private:
    talvor::ScopedDispatchSliceRunner recorder;
};

TEST_F (UploadConversation, EveryMessageIsPacedOnWindowsTenAndATableBlockIsFollowedByTenMilliseconds)
{
    struct OsLevel
    {
        OsLevel() { talvor::osVersionLevel = 7; }
        ~OsLevel() { talvor::osVersionLevel = 0; }
    } windowsTen;

    unit.setSyncMask (3); // only slot 1 is sent
    RecordedConversation conversation (unit, ports);
    ASSERT_TRUE (upload().wasOk());

    // One pacing step per started group of three bytes, a filler's step before each odd message,
    // and every second step waits 1 ms: the opening request 3 steps, the slot setting 1 + 3, ten
    // text blocks 1 + 69 each, the slot mode 1 + 3, the filler before the closing status 1, the
    // closing request 6: 718 steps.
    EXPECT_EQ (conversation.count ("w1"), 718 / 2);
    EXPECT_EQ (conversation.waitsAfterLast ("27"), (std::vector<std::string>{ "w1", "w1", "w1" })) << "the closing request is paced";
    EXPECT_EQ (conversation.waitsAfterLast ("24").front(), "w1") << "the opening request is paced";

    // The ten milliseconds after each table block come before its acknowledgement is awaited.
    std::vector<std::string> afterBlocks;
    for (size_t i = 0; i + 1 < conversation.events.size(); ++i)
        if (conversation.events[i] == "25")
            afterBlocks.push_back (conversation.events[i + 1]); // before any poll for the reply
    EXPECT_EQ (afterBlocks, std::vector<std::string> (8, "w10"));
    EXPECT_EQ (conversation.waitsAfterLast ("s"), (std::vector<std::string>{ "w10" })) << "the closing status is followed by 10 ms";
}

TEST_F (UploadConversation, WithoutPacingOnlyTheFixedWaitsRemain)
{
    talvor::osVersionLevel = 6;
    unit.setSyncMask (3);
    RecordedConversation conversation (unit, ports);
    ASSERT_TRUE (upload().wasOk());
    talvor::osVersionLevel = 0;

    EXPECT_EQ (conversation.count ("w1"), 0);
    EXPECT_EQ (conversation.count ("w10"), 8 + 1);
    EXPECT_EQ (conversation.count ("w3"), 1) << "the new input handler gets 3 ms before the first request";
}

TEST_F (UploadConversation, AnExtenderGetsTablesAndSlotModesOnly)
{
    SimulatedUnit extender (ports, { 2058, "Orvel-B", 4, SimulatedUnit::PortNaming::sharedNames });
    host->getStateTree().slotNode (1, 1).setProperty (mapIds::current, 0, nullptr);

    EXPECT_TRUE (upload ("Orvel-B 4", 2058).wasOk());

    Commands perSlot (8, table);
    perSlot.push_back (mode);
    EXPECT_EQ (extender.receivedCommands(), concat ({ { opening }, perSlot, perSlot, { closing } }));
    EXPECT_TRUE (unit.received().empty());
}

TEST_F (UploadConversation, EachRefusalEndsTheConversationWithItsOwnText)
{
    const struct
    {
        juce::uint8 command;
        const char* text;
    } refusals[] = {
        { setting, "Failed to update setting!" },
        { table, "Failed to send data!" },
        { texts, "Failed to send texts!" },
        { mode, "Failed to update mode of slot!" },
    };

    for (auto& refusal : refusals)
    {
        SimulatedUnit refusing (ports, { 2057, "Orvel-A refusing", 4, SimulatedUnit::PortNaming::sharedNames });
        refusing.refuse (refusal.command);

        EXPECT_EQ (upload ("Orvel-A refusing 4").getErrorMessage(), refusal.text);

        const auto commands = refusing.receivedCommands();
        EXPECT_EQ (commands.back(), refusal.command) << "nothing is sent after the refusal";
        EXPECT_EQ (refusing.countChannelMessages (0xEC, 0x22), 0);
        EXPECT_EQ (transferBusy, 0);
    }
}

TEST_F (UploadConversation, AStatusRefusalFailsATableBlockButNotATextBlock)
{
    unit.sendStatusReplyOn (texts, 0x00, true);
    EXPECT_TRUE (upload().wasOk()) << "while a text block is awaited it only ends the wait";
    const auto commands = unit.receivedCommands();
    EXPECT_EQ (std::count (commands.begin(), commands.end(), texts), 30);

    SimulatedUnit second (ports, { 2057, "Orvel-A second", 4, SimulatedUnit::PortNaming::sharedNames });
    second.sendStatusReplyOn (table, 0x00, true);
    EXPECT_EQ (upload ("Orvel-A second 4").getErrorMessage(), "Failed to send data!");
}

TEST_F (UploadConversation, AWindowsOutputListensOnItsPairedInput)
{
    talvor::ScopedPortNamingRules windows (talvor::PortNamingRules::windows);
    SimulatedUnit windowsUnit (ports, { 2057, "Orvel-A", 4, SimulatedUnit::PortNaming::windowsPairs });
    windowsUnit.setSyncMask (7);

    EXPECT_TRUE (upload ("MIDIOUT4 (Orvel-A)").wasOk());
    EXPECT_EQ (windowsUnit.receivedOn (4).size(), windowsUnit.received().size());
}

TEST_F (UploadConversation, PortProblemsAreReportedByName)
{
    EXPECT_EQ (upload ("").getErrorMessage(), "No selected output device!");
    EXPECT_EQ (upload ("Orvel-A 9").getErrorMessage(), "Orvel-A 9: device does not exist");

    ports.addOutput ("Orvel-B3 4", nullptr); // an output without its input
    EXPECT_EQ (upload ("Orvel-B3 4", 2074).getErrorMessage(), "Cannot use this input device: Orvel-B3 4");
    EXPECT_EQ (transferBusy, 0);
}

TEST_F (UploadConversation, AConversationCannotStartInsideAnother)
{
    juce::Result nested = juce::Result::ok();
    bool tried = false;
    unit.onMessage = [&] (const SimulatedUnit::ReceivedMessage&)
    {
        if (! tried)
        {
            tried = true;
            nested = upload();
        }
    };

    EXPECT_TRUE (upload().wasOk());
    EXPECT_TRUE (tried);
    EXPECT_TRUE (nested.failed());
    const auto commands = unit.receivedCommands();
    EXPECT_EQ (std::count (commands.begin(), commands.end(), opening), 1);
}

TEST_F (UploadConversation, AUnitThatVanishesEndsTheConversationWithAnError)
{
    unit.vanishAfter (6);
    const auto result = upload();
    EXPECT_TRUE (result.failed());
    EXPECT_EQ (result.getErrorMessage(), "Time out!");
    EXPECT_EQ (transferBusy, 0);
}
} // namespace
