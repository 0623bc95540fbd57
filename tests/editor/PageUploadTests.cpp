#include "devices/PortNames.h"
#include "editor/KeyEntryWindow.h"
#include "link/Host.h"
#include "link/MyTimer.h"
#include "map/ControlLayout.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "tables/DefaultDeviceTables.h"
#include "tables/DeviceTableEncoding.h"
#include "tests/editor/PagesHarness.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::SimulatedUnit;
using Bytes = std::vector<juce::uint8>;

constexpr int rowBytes = 8;

/** An edit on a page reaches a unit through the device-watch timer, as the row of the device
    table that the edited entry gives. */
class PageUpload : public corvix::testing::PagesTest
{
protected:
    PageUpload()
    {
        chooseWorkstation (2, 2);
        slotDirty = { 0, 0, 0 };
    }

    ~PageUpload() override { timer.stopTimer(); }

    /** Ticks the timer until the unit has the slot's whole table. */
    SimulatedUnit::SlotState upload (int slotId)
    {
        EXPECT_EQ (slotDirty[(size_t) slotId - 1], 1) << "the edit marks its slot";

        for (int tick = 0; tick < 4 && slotDirty[(size_t) slotId - 1] != 0; ++tick)
            timer.timerCallback();

        auto received = [this, slotId]
        {
            const auto s = unit.slot (slotId);
            return std::all_of (std::begin (s.blocksReceived), std::end (s.blocksReceived), [] (bool b) { return b; });
        };
        EXPECT_TRUE (corvix::testing::waitUntil (received)) << "the unit got every block of the slot";
        return unit.slot (slotId);
    }

    /** The control's row as the device tables make it from the workstation's factory row and the entry. */
    Bytes expectedRow (int controlId, int slotId, int dawId)
    {
        auto row = (*defaultDeviceTable (dawId))[(size_t) controlTableRow (controlId)];
        stampRowWithSlot (row, slotId - 1);
        encodeControlEntry (row, entry (controlId), slotId - 1, isHuiDaw (dawId), controlClass (controlId, isNotHuiDaw (dawId)));
        Bytes transfer (rowBytes);
        writeTransferForm (row, transfer.data());
        return transfer;
    }

    Bytes receivedRow (const SimulatedUnit::SlotState& slot, int controlId)
    {
        const auto start = slot.table.begin() + controlTableRow (controlId) * rowBytes;
        return Bytes (start, start + rowBytes);
    }

    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    SimulatedUnit unit{ ports, {} };
    MyTimer timer;
};

TEST_F (PageUpload, AFunctionChosenOnTheFunctionPage)
{
    pages->select (40);
    auto& layer = pages->funcPage.getLayer();
    auto& function = layer.getFunctionButton (12);
    layer.buttonClicked (&function);

    const auto slot = upload (2);
    const auto row = receivedRow (slot, 40);
    EXPECT_EQ (row, expectedRow (40, 2, 2));
    EXPECT_EQ (row[0], (1 << 4) | 0x9) << "a note of slot 2";
    EXPECT_EQ (row[3], function.getValueAsInt()) << "the function's note";
}

TEST_F (PageUpload, AHotkeyCapturedOnTheHotkeyPage)
{
    pages->select (41);
    dialogs.answerModal (
        [] (juce::Component& window)
        {
            dynamic_cast<KeyEntryWindow&> (window).keyPressed (juce::KeyPress ('b', juce::ModifierKeys::ctrlModifier, 0));
            corvix::testing::findButtonWithText (window, "OK")->triggerClick();
        });
    pages->hotkeyPage.buttonClicked (nullptr);

    const auto row = receivedRow (upload (2), 41);
    EXPECT_EQ (row, expectedRow (41, 2, 2));
    EXPECT_EQ (row[0] >> 4, 4) << "a hotkey row";
    EXPECT_EQ (row[3], 5) << "the usage id of B";
}

TEST_F (PageUpload, AMidiMessageChosenOnTheMidiPage)
{
    pages->select (42);
    auto& midi = pages->midiPage;
    midi.getTypeList().setSelectedItemIndex (1, juce::sendNotificationSync);
    midi.getChannelList().setSelectedId (3, juce::sendNotificationSync);
    midi.getValueList().setSelectedItemIndex (7, juce::sendNotificationSync);

    const auto row = receivedRow (upload (2), 42);
    EXPECT_EQ (row, expectedRow (42, 2, 2));
    EXPECT_EQ (row[0], (1 << 4) | 0xB) << "a controller of slot 2";
    EXPECT_EQ (row[1], 0xB) << "status high nibble";
    EXPECT_EQ (row[2], 2) << "channel 3";
    EXPECT_EQ (row[3], 7) << "controller 7";
}

TEST_F (PageUpload, AHuiFunctionChosenOnTheMidiPage)
{
    chooseWorkstation (3, 2);
    slotDirty = { 0, 0, 0 };
    pages->select (60);
    pages->midiPage.getTypeList().setSelectedItemIndex (7, juce::sendNotificationSync); // zone 8, port 0x40

    const auto row = receivedRow (upload (2), 60);
    EXPECT_EQ (row, expectedRow (60, 2, 3));
}
} // namespace
