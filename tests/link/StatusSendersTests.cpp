#include "devices/PortNames.h"
#include "link/Host.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "map/UnitModels.h"
#include "platform/MessageLoopWait.h"
#include "tests/support/HostTest.h"
#include "tests/support/SimulatedUnit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::SimulatedUnit;
using corvix::testing::waitUntil;
using Bytes = std::vector<juce::uint8>;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const Bytes filler{ 0xEF, 0x7F, 0x7F };

struct NamingCase
{
    SimulatedUnit::PortNaming naming;
    talvor::PortNamingRules rules;
    const char* label;
};

void PrintTo (const NamingCase& namingCase, std::ostream* out) { *out << namingCase.label; }

/** The status senders against units on virtual ports, under each system's port names. */
class StatusSenders : public corvix::testing::HostTest, public ::testing::WithParamInterface<NamingCase>
{
protected:
    SimulatedUnit& addUnit (int productId, const juce::String& deviceName)
    {
        units.push_back (std::make_unique<SimulatedUnit> (ports, SimulatedUnit::Setup{ productId, deviceName, 4, GetParam().naming }));
        return *units.back();
    }

    /** Everything the unit received, which must all have come on its port 4. */
    static std::vector<Bytes> receivedOnPort4 (const SimulatedUnit& unit)
    {
        std::vector<Bytes> messages;

        for (const auto& m : unit.received())
        {
            EXPECT_EQ (m.port, 4) << unit.getSetup().deviceName << ": status goes to port 4 only";
            messages.push_back (m.bytes);
        }

        return messages;
    }

    static auto fillerThen (Bytes message) { return ElementsAre (filler, message); }

    talvor::ScopedPortNamingRules namingRules{ GetParam().rules };
    std::vector<std::unique_ptr<SimulatedUnit>> units;
};

TEST_P (StatusSenders, SaveAsDefaultForTheExtendersReachesOnlyOrvelBOutputs)
{
    auto& main = addUnit (2057, "Orvel-A");
    auto& orvelB = addUnit (2058, "Orvel-B");
    auto& b2 = addUnit (2073, "Orvel-B2");
    auto& b7 = addUnit (2078, "Orvel-B7");

    EXPECT_TRUE (host->sendSlotStatus (0x2D));

    EXPECT_THAT (receivedOnPort4 (orvelB), fillerThen ({ 0xEC, 0x2D, 0x01 }));
    EXPECT_THAT (receivedOnPort4 (main), IsEmpty());
    EXPECT_THAT (receivedOnPort4 (b2), IsEmpty());
    EXPECT_THAT (receivedOnPort4 (b7), IsEmpty());
}

TEST_P (StatusSenders, SlotSelectionGoesToEveryExtenderAndTheFirstMainUnit)
{
    auto& main = addUnit (2057, "Orvel-A");
    auto& second = addUnit (2057, "Orvel-A Second");
    auto& orvelB = addUnit (2058, "Orvel-B");
    auto& b4 = addUnit (2075, "Orvel-B4");

    reportedSelectSlot = 2;
    slotDawIds = { 1, 9, 3 };

    EXPECT_TRUE (host->sendSlotStatus (0x22));
    EXPECT_THAT (receivedOnPort4 (orvelB), fillerThen ({ 0xEC, 0x22, 0x49 }));
    EXPECT_THAT (receivedOnPort4 (b4), fillerThen ({ 0xEC, 0x22, 0x49 }));
    EXPECT_THAT (receivedOnPort4 (main), IsEmpty());

    EXPECT_TRUE (host->sendModeStatus (0x22));
    EXPECT_THAT (receivedOnPort4 (main), fillerThen ({ 0xEC, 0x22, 0x49 }));
    EXPECT_THAT (receivedOnPort4 (second), IsEmpty()) << "the walk ends at the first main unit sent to";
    EXPECT_EQ (receivedOnPort4 (orvelB).size(), 2u);

    main.clearReceived();
    EXPECT_TRUE (host->sendModeStatus (0x2D));
    EXPECT_THAT (receivedOnPort4 (main), fillerThen ({ 0xEC, 0x2D, 0x01 }));
    EXPECT_THAT (receivedOnPort4 (second), IsEmpty());

    // A unit may report slot 0: it is passed on as it is, with no workstation looked up.
    main.clearReceived();
    orvelB.clearReceived();
    reportedSelectSlot = 0;
    EXPECT_TRUE (host->sendModeStatus (0x22));
    EXPECT_TRUE (host->sendSlotStatus (0x22));
    EXPECT_THAT (receivedOnPort4 (main), fillerThen ({ 0xEC, 0x22, 0x00 }));
    EXPECT_THAT (receivedOnPort4 (orvelB), fillerThen ({ 0xEC, 0x22, 0x00 }));
}

TEST_P (StatusSenders, TheMainUnitsStatusAndTheSystemSettingWaitAMillisecondAfterEachUnitTheExtendersStatusDoesNot)
{
    auto& main = addUnit (2057, "Orvel-A");
    auto& orvelB = addUnit (2058, "Orvel-B");

    // What the wait seam saw, in order with what the units received: "w<ms>", or the unit's name.
    std::vector<std::string> events;
    const talvor::ScopedDispatchSliceRunner recorder ([&events] (int ms) { events.push_back ("w" + std::to_string (ms)); });

    for (auto* unit : { &main, &orvelB })
        unit->onMessage = [&events, unit] (const SimulatedUnit::ReceivedMessage&) { events.push_back (unit->getSetup().deviceName.toStdString()); };

    reportedSelectSlot = 1;
    EXPECT_TRUE (host->sendModeStatus (0x22));
    EXPECT_EQ (events, (std::vector<std::string>{ "Orvel-A", "Orvel-A", "w1" }));

    events.clear();
    EXPECT_TRUE (host->sendSlotStatus (0x22));
    EXPECT_EQ (events, (std::vector<std::string>{ "Orvel-B", "Orvel-B" }));

    events.clear();
    EXPECT_TRUE (host->setSystemCompat (isSupportedModel, 0x2A, 0));
    EXPECT_EQ (events, (std::vector<std::string>{ "Orvel-A", "Orvel-A", "w1", "Orvel-B", "Orvel-B", "w1" }));
}

TEST_P (StatusSenders, NothingIsSentForOtherCommandsOrWithoutAUnit)
{
    EXPECT_TRUE (host->sendModeStatus (0x22));
    EXPECT_TRUE (host->sendSlotStatus (0x2D));
    EXPECT_TRUE (host->setSystemCompat (isSupportedModel, 0x2A, 0));

    auto& main = addUnit (2057, "Orvel-A");
    auto& orvelB = addUnit (2058, "Orvel-B");
    EXPECT_TRUE (host->sendModeStatus (0x23));
    EXPECT_TRUE (host->sendSlotStatus (0x2A));
    EXPECT_TRUE (host->setSystemCompat (isSupportedModel, 0x2D, 0));
    EXPECT_THAT (receivedOnPort4 (main), IsEmpty());
    EXPECT_THAT (receivedOnPort4 (orvelB), IsEmpty());
}

TEST_P (StatusSenders, AFaderReportOfTheMainUnitIsForwardedToTheExtenders)
{
    auto& main = addUnit (2057, "Orvel-A");
    auto& orvelB = addUnit (2058, "Orvel-B");
    auto& b3 = addUnit (2074, "Orvel-B3");
    ASSERT_TRUE (setDeviceInputOpen (2057, true));

    main.reportFaderState (3, false);
    ASSERT_TRUE (waitUntil ([] { return faderReportPending.load (std::memory_order_acquire) == 1; }));

    EXPECT_TRUE (host->sendSlotStatus (0x23));
    EXPECT_EQ (faderReportPending.load(), 0);
    EXPECT_THAT (receivedOnPort4 (orvelB), fillerThen ({ 0xEC, 0x23, 0x60 }));
    EXPECT_THAT (receivedOnPort4 (b3), fillerThen ({ 0xEC, 0x23, 0x60 }));
    EXPECT_THAT (receivedOnPort4 (main), IsEmpty());
}

TEST_P (StatusSenders, AFaderReportWithoutASlotIsDroppedUnsent)
{
    auto& orvelB = addUnit (2058, "Orvel-B");
    reportedFaderSlot = 0;
    faderReportPending = 1;

    EXPECT_TRUE (host->sendSlotStatus (0x23));
    EXPECT_EQ (faderReportPending.load(), 0);
    EXPECT_THAT (receivedOnPort4 (orvelB), IsEmpty());
}

TEST_P (StatusSenders, EverySenderRefusesWhileATransferIsRunning)
{
    auto& main = addUnit (2057, "Orvel-A");
    auto& orvelB = addUnit (2058, "Orvel-B");
    transferBusy = 1;
    reportedSelectSlot = 1;
    reportedFaderSlot = 1;
    faderReportPending = 1;

    EXPECT_FALSE (host->sendModeStatus (0x22));
    EXPECT_FALSE (host->sendModeStatus (0x2D));
    EXPECT_FALSE (host->sendSlotStatus (0x22));
    EXPECT_FALSE (host->sendSlotStatus (0x2D));
    EXPECT_FALSE (host->sendSlotStatus (0x23));
    EXPECT_EQ (faderReportPending.load(), 1) << "the report waits for the next tick";
    EXPECT_FALSE (host->setSystemCompat (isSupportedModel, 0x2A, 0));

    EXPECT_THAT (receivedOnPort4 (main), IsEmpty());
    EXPECT_THAT (receivedOnPort4 (orvelB), IsEmpty());

    transferBusy = 0;
    EXPECT_TRUE (host->sendSlotStatus (0x23));
    EXPECT_THAT (receivedOnPort4 (orvelB), fillerThen ({ 0xEC, 0x23, 0x21 }));
}

TEST_P (StatusSenders, SystemSettingGoesToEveryChosenUnitAndItsAcknowledgementIsKept)
{
    // The main unit comes last, so that no later output's reset clears its acknowledgement.
    auto& orvelB = addUnit (2058, "Orvel-B");
    auto& synth = addUnit (2000, "Synth");
    auto& main = addUnit (2057, "Orvel-A");
    ASSERT_TRUE (setDeviceInputOpen (2057, true));
    replySlots::reply24 = 5;

    EXPECT_TRUE (host->setSystemCompat (isSupportedModel, 0x2A, 0));
    EXPECT_THAT (receivedOnPort4 (orvelB), fillerThen ({ 0xEC, 0x2A, 0x00 }));
    EXPECT_THAT (receivedOnPort4 (main), fillerThen ({ 0xEC, 0x2A, 0x00 }));
    EXPECT_THAT (receivedOnPort4 (synth), IsEmpty()) << "not a unit";
    EXPECT_EQ (replySlots::reply24.load(), -1) << "the reply slots are reset before the setting";
    EXPECT_TRUE (waitUntil ([] { return replySlots::reply2A.load() == 1; }));

    orvelB.clearReceived();
    main.clearReceived();
    EXPECT_TRUE (host->setSystemCompat ([] (int productId) { return isOrvelB (productId); }, 0x2A, 3));
    EXPECT_THAT (receivedOnPort4 (orvelB), fillerThen ({ 0xEC, 0x2A, 0x03 }));
    EXPECT_THAT (receivedOnPort4 (main), IsEmpty());

    EXPECT_TRUE (host->setSystemCompat (nullptr, 0x2A, 0)) << "no filter chooses no unit";
    EXPECT_EQ (receivedOnPort4 (orvelB).size(), 2u);
}

INSTANTIATE_TEST_SUITE_P (
    PortNames, StatusSenders,
    ::testing::Values (NamingCase{ SimulatedUnit::PortNaming::sharedNames, talvor::PortNamingRules::trailingDigit, "TrailingDigit" },
                       NamingCase{ SimulatedUnit::PortNaming::windowsPairs, talvor::PortNamingRules::windows, "WindowsPairs" }),
    [] (const auto& testInfo) { return std::string (testInfo.param.label); });
} // namespace
