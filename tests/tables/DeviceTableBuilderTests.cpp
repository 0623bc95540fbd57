#include "link/UploadEngine.h"
#include "map/ControlLayout.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "platform/Digest.h"
#include "tables/DefaultDeviceTables.h"
#include "tables/DeviceTableBuilder.h"
#include "tables/DeviceTableEncoding.h"
#include "tables/SlotSignatures.h"
#include "tests/support/HostTest.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using Bytes = std::vector<int>;

Bytes bytesOf (const DeviceTableRow& row) { return Bytes (row.bytes, row.bytes + deviceTableRowSize); }

Bytes transferBytes (int unitId, int slotId, int row)
{
    const auto& buffer = deviceTableBuffers[(size_t) unitId - 1][(size_t) slotId - 1];
    return Bytes (buffer.begin() + row * 8, buffer.begin() + row * 8 + 8);
}

class DeviceTableBuilder : public corvix::testing::HostTest
{
protected:
    /** Chooses a workstation for a slot of a unit and marks the slot for upload. */
    void chooseWorkstation (int unitId, int slotId, int dawId)
    {
        host->getStateTree().slotNode (slotId, unitId).setProperty (mapIds::current, dawId, nullptr);
        slotDirty[(size_t) slotId - 1] = 1;
    }

    ControlEntry entry (int unitId, int slotId, int controlId) { return host->getStateTree().controlEntry (controlId, slotId, unitId); }

    static void assign (ControlEntry e, std::initializer_list<std::pair<const juce::Identifier*, juce::var>> properties)
    {
        for (auto& [property, value] : properties)
            e.setProperty (*property, value, nullptr);
    }

    static DeviceTableRow stampedDefault (int dawId, int row, int slotIndex)
    {
        auto r = (*defaultDeviceTable (dawId))[(size_t) row];
        stampRowWithSlot (r, slotIndex);
        return r;
    }

    const DeviceTableRow& rowOf (int unitId, int slotId, int controlId)
    {
        return deviceTables[(size_t) unitId - 1][(size_t) slotId - 1][(size_t) controlTableRow (controlId)];
    }
};

TEST_F (DeviceTableBuilder, AFunctionIsANoteOnStampedWithTheSlot)
{
    chooseWorkstation (1, 2, 2);
    assign (entry (1, 2, 40), { { &mapIds::valueType, "func" }, { &mapIds::value, 0x5B } });
    buildDeviceTables (1);

    const auto defaults = (*defaultDeviceTable (2))[(size_t) controlTableRow (40)];
    EXPECT_EQ (bytesOf (rowOf (1, 2, 40)), (Bytes{ 0x19, 0x90, 0x5B, 0x7F, defaults[4], defaults[5], defaults[6] }));
}

TEST_F (DeviceTableBuilder, AHotkeyCarriesItsModifiersAndIsNotStamped)
{
    chooseWorkstation (1, 3, 1);
    assign (entry (1, 3, 50), { { &mapIds::valueType, "hotkey" }, { &mapIds::ctrl, 1 }, { &mapIds::alt, 1 }, { &mapIds::key, 4 } });
    buildDeviceTables (1);
    const auto row = bytesOf (rowOf (1, 3, 50));
    EXPECT_EQ (Bytes (row.begin(), row.begin() + 4), (Bytes{ 0x45, 0x00, 0x04, 0x00 }));
}

TEST_F (DeviceTableBuilder, AMidiAssignmentOnAKnobAndOnAButton)
{
    chooseWorkstation (1, 3, 1);
    assign (entry (1, 3, 165), { { &mapIds::valueType, "midi" }, { &mapIds::type, "cc" }, { &mapIds::chan, 2 }, { &mapIds::msgValue, 7 } });
    assign (entry (1, 3, 45), { { &mapIds::valueType, "midi" }, { &mapIds::type, "cc" }, { &mapIds::chan, 2 }, { &mapIds::msgValue, 7 } });
    buildDeviceTables (1);

    const auto knobDefault = stampedDefault (1, controlTableRow (165), 2);
    EXPECT_EQ (bytesOf (rowOf (1, 3, 165)), (Bytes{ 0x2B, 0xB1, 0x07, knobDefault[3], knobDefault[4], knobDefault[5], knobDefault[6] }));

    const auto buttonDefault = stampedDefault (1, controlTableRow (45), 2);
    EXPECT_EQ (bytesOf (rowOf (1, 3, 45)), (Bytes{ 0x2B, 0xB1, 0x07, 0x7F, buttonDefault[4], buttonDefault[5], buttonDefault[6] }));
}

TEST_F (DeviceTableBuilder, HuiButtonsWriteZoneAndPortOnlyForARealCode)
{
    chooseWorkstation (1, 1, 3);
    assign (entry (1, 1, 50), { { &mapIds::valueType, "hui" }, { &mapIds::value, 62 } });
    assign (entry (1, 1, 51), { { &mapIds::valueType, "hui" }, { &mapIds::value, 0 } });
    assign (entry (1, 1, 52), { { &mapIds::valueType, "func" }, { &mapIds::value, 114 } });
    buildDeviceTables (1);

    const auto r50 = bytesOf (rowOf (1, 1, 50));
    EXPECT_EQ (Bytes (r50.begin(), r50.begin() + 2), (Bytes{ 0x0B, 0xB0 }));
    EXPECT_EQ (Bytes (r50.begin() + 2, r50.end()), (Bytes{ 0x0F, 0x1D, 0x2F, 0x00, 0x40 }));

    for (int control : { 51, 52 })
    {
        const auto expected = bytesOf (stampedDefault (3, controlTableRow (control), 0));
        const auto actual = bytesOf (rowOf (1, 1, control));
        EXPECT_EQ (Bytes (actual.begin(), actual.begin() + 2), (Bytes{ 0x0B, 0xB0 })) << control;
        EXPECT_EQ (Bytes (actual.begin() + 2, actual.end()), Bytes (expected.begin() + 2, expected.end())) << control;
    }
}

TEST_F (DeviceTableBuilder, OnlyOwnedRowsChangeAndSharedRowsStayTheStampedDefault)
{
    chooseWorkstation (1, 2, 6);

    // Every control, those without a row included, is given an assignment that would show.
    for (int control = 1; control <= controlCount; ++control)
        assign (entry (1, 2, control), { { &mapIds::valueType, "func" }, { &mapIds::value, 100 } });

    buildDeviceTables (1);

    for (int row = 0; row < deviceTableRowCount; ++row)
    {
        const bool shared = (row >= 32 && row <= 55) || (row >= 57 && row <= 65);
        const auto actual = deviceTables[0][1][(size_t) row];

        if (shared)
        {
            EXPECT_EQ (bytesOf (actual), bytesOf (stampedDefault (6, row, 1))) << "row " << row;
        }
        else
        {
            EXPECT_EQ (actual[2], 100) << "row " << row;
        }
    }
}

TEST_F (DeviceTableBuilder, TheTransferFormSplitsTheStatusByte)
{
    DeviceTableRow row{ { 0x19, 0x90, 0x5B, 0x7F, 0, 0, 0 } };
    juce::uint8 transfer[8]{};
    writeTransferForm (row, transfer);
    EXPECT_EQ (Bytes (transfer, transfer + 8), (Bytes{ 0x19, 0x09, 0x00, 0x5B, 0x7F, 0x00, 0x00, 0x00 }));

    chooseWorkstation (2, 1, 4);
    buildDeviceTables (2);

    for (int r = 0; r < deviceTableRowCount; ++r)
    {
        for (auto byte : transferBytes (2, 1, r))
            EXPECT_LT (byte, 0x80) << "row " << r;
    }
}

TEST_F (DeviceTableBuilder, ASlotWithoutAWorkstationKeepsItsRowsButIsSignedAgain)
{
    chooseWorkstation (1, 1, 5);
    assign (entry (1, 1, 40), { { &mapIds::valueType, "func" }, { &mapIds::value, 0x30 } });
    buildDeviceTables (1);
    const auto rowsBefore = deviceTables[0][0];
    const auto signatureBefore = slotSignatures[0][0];

    host->getStateTree().slotNode (1, 1).setProperty (mapIds::current, 0, nullptr);
    slotOptionFlags[0] = { 0, 1, 1 };
    deviceTableBuffers[0][0].fill (0);
    buildDeviceTables (1);

    EXPECT_TRUE (deviceTables[0][0] == rowsBefore);
    EXPECT_EQ (transferBytes (1, 1, controlTableRow (40))[3], 0x30) << "the transfer form is rebuilt from the kept rows";
    EXPECT_NE (slotSignatures[0][0], signatureBefore);
}

TEST_F (DeviceTableBuilder, SlotsThatAreNotMarkedOrAreBeingSentAreLeftAlone)
{
    chooseWorkstation (1, 1, 1);
    chooseWorkstation (1, 2, 1);
    slotDirty[1] = 0;
    slotSending[0] = 1;
    buildDeviceTables (1);

    EXPECT_EQ (slotSignatures[0][0], 0);
    EXPECT_EQ (slotSignatures[0][1], 0);
    EXPECT_EQ (deviceTables[0][1][0][0], 0);
}

TEST_F (DeviceTableBuilder, ButtonNamesSignOnlyTheMainUnit)
{
    for (int unitId = 1; unitId <= 2; ++unitId)
    {
        chooseWorkstation (unitId, 1, 1);
        assign (entry (unitId, 1, 60), { { &mapIds::valueType, "null" }, { &mapIds::name, "Before" } });
    }

    buildDeviceTables (1);
    buildDeviceTables (2);
    const auto mainBefore = slotSignatures[0][0];
    const auto extenderBefore = slotSignatures[1][0];

    // A null entry's row does not depend on its name: only the display text differs.
    for (int unitId = 1; unitId <= 2; ++unitId)
        assign (entry (unitId, 1, 60), { { &mapIds::name, "Renamed" } });

    buildDeviceTables (1);
    buildDeviceTables (2);

    EXPECT_NE (slotSignatures[0][0], mainBefore);
    EXPECT_EQ (slotSignatures[1][0], extenderBefore);
    EXPECT_EQ (slotLabelTexts[0][(60 - 33) / 12][(60 - 33) % 12], "Renamed         ");
}

TEST_F (DeviceTableBuilder, TheSignatureIsTheDigestOfOptionsTableTextsAndWorkstation)
{
    chooseWorkstation (2, 3, 9);
    buildDeviceTables (2);

    const auto& buffer = deviceTableBuffers[1][2];
    const auto tableDigest = talvor::digestOfBytes (talvor::ByteList (buffer.data(), (int) buffer.size()));
    // Unit 2 has no texts; the workstation comes from the root's current unit (1), which has none.
    EXPECT_EQ (slotSignatures[1][2], digestOfInts ({ 1, tableDigest, 0, 0 }));
    EXPECT_EQ (signature21Bits (0x12345678), 0x12345678 & 0x7F7F7F);
}

TEST_F (DeviceTableBuilder, ValuesFromAHandEditedFileNeverBreakTheTransfer)
{
    chooseWorkstation (1, 1, 1);
    assign (entry (1, 1, 40), { { &mapIds::valueType, "func" }, { &mapIds::value, 200 } });
    assign (entry (1, 1, 41),
            { { &mapIds::valueType, "midi" }, { &mapIds::type, "note" }, { &mapIds::chan, 0 }, { &mapIds::msgValue, -5 } });
    assign (entry (1, 1, 42), { { &mapIds::valueType, "hotkey" }, { &mapIds::key, -1 } });
    assign (entry (1, 1, 43), { { &mapIds::valueType, "hotkey" }, { &mapIds::key, 300 } });
    buildDeviceTables (1);

    for (int control : { 40, 41, 42, 43 })
    {
        for (int i : { 0, 2, 3, 4, 5, 6 }) // b1 is the one status byte
            EXPECT_LT (rowOf (1, 1, control)[i], 0x80) << "control " << control << " byte " << i;
    }

    EXPECT_EQ (rowOf (1, 1, 42)[2], 0) << "a key without a usage types nothing";
    EXPECT_EQ (rowOf (1, 1, 43)[2], 0);
}

TEST_F (DeviceTableBuilder, WithoutAHostOrForAnUnknownUnitNothingHappens)
{
    chooseWorkstation (1, 1, 1);

    for (int unitId : { 0, 9, -1 })
        buildDeviceTables (unitId);

    hostInstance = nullptr;
    buildDeviceTables (1);
    EXPECT_EQ (slotSignatures[0][0], 0);
}
} // namespace
