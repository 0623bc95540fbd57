#include "devices/PortNames.h"
#include "link/HostMidiInputHandler.h"
#include "link/UploadConversation.h"
#include "map/MapIdentifiers.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
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
