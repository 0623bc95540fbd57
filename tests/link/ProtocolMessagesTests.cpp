#include "link/ProtocolMessages.h"
#include "map/SharedEditingState.h"
#include "tests/support/HostTest.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using Bytes = std::vector<juce::uint8>;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

Bytes bytesOf (const juce::MidiMessage& message)
{
    const auto* raw = message.getRawData();
    return Bytes (raw, raw + message.getRawDataSize());
}

Bytes slice (const Bytes& bytes, size_t from, size_t count)
{
    return Bytes (bytes.begin() + static_cast<std::ptrdiff_t> (from), bytes.begin() + static_cast<std::ptrdiff_t> (from + count));
}

const Bytes emptyMessage{ 0xF0, 0xF7 };

class ProtocolMessages : public corvix::testing::HostTest
{
protected:
    /** Gives a slot of the live map's current unit (unit 1) a workstation. */
    void setWorkstation (int slotId, int dawId) { host->getStateTree().slotNode (slotId, 1).setProperty (mapIds::current, dawId, nullptr); }
};

TEST (ProtocolBytes, AddressesTheMainUnitAndEveryExtender)
{
    EXPECT_THAT (productIdBytes (2057), ElementsAre (0x10, 0x09));

    for (const auto extender : { 2058, 2073, 2074, 2075, 2076, 2077, 2078 })
        EXPECT_THAT (productIdBytes (extender), ElementsAre (0x10, 0x0A)) << extender;

    EXPECT_THAT (productIdBytes (0x4000 + 0x85), ElementsAre (0x01, 0x05)) << "foreign ids stay 7-bit";
}

TEST (ProtocolBytes, SlotAndWorkstationShareOneDataByte)
{
    EXPECT_EQ (slotAndWorkstationByte (3, 5), 0x65);
    EXPECT_EQ (slotAndWorkstationByte (1, 18), 0x32);
    EXPECT_EQ (slotAndWorkstationByte (2, 0), 0x40);
    EXPECT_EQ (slotAndWorkstationByte (0, 0), 0x00);
    EXPECT_EQ (slotAndWorkstationByte (1, 0x25), 0x25) << "a bad workstation never reaches the slot bits";
    EXPECT_EQ (slotAndWorkstationByte (4, 1), 0x01) << "a bad slot never reaches bit 7";
}

TEST (ProtocolBytes, StatusMessagesAndTheFiller)
{
    EXPECT_THAT (bytesOf (fillerMessage()), ElementsAre (0xEF, 0x7F, 0x7F));
    EXPECT_THAT (bytesOf (selectedSlotStatusMessage (2, 7)), ElementsAre (0xEC, 0x22, 0x47));
    EXPECT_THAT (bytesOf (selectedSlotStatusMessage (0, 0)), ElementsAre (0xEC, 0x22, 0x00));
    EXPECT_THAT (bytesOf (faderStateStatusMessage (3, 0)), ElementsAre (0xEC, 0x23, 0x60));
    EXPECT_THAT (bytesOf (faderStateStatusMessage (1, 1)), ElementsAre (0xEC, 0x23, 0x21));
    EXPECT_THAT (bytesOf (saveAsDefaultStatusMessage()), ElementsAre (0xEC, 0x2D, 0x01));
    EXPECT_THAT (bytesOf (systemSettingStatusMessage (0)), ElementsAre (0xEC, 0x2A, 0x00));
    EXPECT_THAT (bytesOf (systemSettingStatusMessage (0x85)), ElementsAre (0xEC, 0x2A, 0x05));
}

TEST_F (ProtocolMessages, SignatureRequestOfAnExtenderCarriesItsOwnSignaturesInSevenBitBytes)
{
    slotSignatures[4] = { 0x00ABCDEF, 0x7FFFFFFF, -1 };
    slotSignatures[3] = { 0x11111111, 0x11111111, 0x11111111 };

    EXPECT_THAT (bytesOf (buildSignatureRequest (2075, 0x24)),
                 ElementsAre (0xF0, 0x1D, 0x03, 0x10, 0x0A, 0x24, 0x2B, 0x4D, 0x6F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0xF7));

    slotSignatures[0] = { 0x010203, 0, 0x7F0000 };
    EXPECT_THAT (bytesOf (buildSignatureRequest (2057, 0x27)),
                 ElementsAre (0xF0, 0x1D, 0x03, 0x10, 0x09, 0x27, 0x01, 0x02, 0x03, 0x00, 0x00, 0x00, 0x7F, 0x00, 0x00, 0xF7));
}

TEST_F (ProtocolMessages, SlotSettingCarriesTheOptionsAndTheModeMessageNone)
{
    setWorkstation (2, 7);
    slotOptionFlags[1] = { 0, 1, 0 };

    EXPECT_THAT (bytesOf (buildSlotSettingMessage (2057, 2, true)), ElementsAre (0xF0, 0x1D, 0x03, 0x10, 0x09, 0x2C, 0x47, 0x02, 0xF7));
    EXPECT_THAT (bytesOf (buildSlotSettingMessage (2057, 2, false)), ElementsAre (0xF0, 0x1D, 0x03, 0x10, 0x09, 0x2E, 0x47, 0x00, 0xF7));

    setWorkstation (3, 5);
    slotOptionFlags[2] = { 1, 0, 1 };
    EXPECT_THAT (bytesOf (buildSlotSettingMessage (2076, 3, true)), ElementsAre (0xF0, 0x1D, 0x03, 0x10, 0x0A, 0x2C, 0x65, 0x05, 0xF7));

    setWorkstation (1, 18);
    EXPECT_THAT (bytesOf (buildSlotSettingMessage (2057, 1, true)), ElementsAre (0xF0, 0x1D, 0x03, 0x10, 0x09, 0x2C, 0x32, 0x04, 0xF7));
}

TEST_F (ProtocolMessages, ASlotWithoutWorkstationIsSentAsWorkstationOne)
{
    setWorkstation (1, 0);
    EXPECT_EQ (bytesOf (buildSlotSettingMessage (2057, 1, false))[6], 0x21);
    EXPECT_EQ (bytesOf (buildTableBlockMessage (2057, 1, 0))[6], 0x21);
    EXPECT_EQ (bytesOf (buildTextBlockMessage (1, 1))[7], 0x01);

    // The workstation is that of the unit the root names as current.
    host->getState().setProperty (mapIds::current, 2, nullptr);
    host->getStateTree().slotNode (1, 2).setProperty (mapIds::current, 9, nullptr);
    EXPECT_EQ (bytesOf (buildSlotSettingMessage (2057, 1, false))[6], 0x29);
}

TEST_F (ProtocolMessages, AWorkstationIdFromADamagedFileNeverChangesTheSlotBits)
{
    // Workstation 37 (0x25) in slot 2: masked to its five bits it keeps slot 2 (0x45); masking the
    // whole byte to seven bits would have sent 0x65, slot 3.
    EXPECT_EQ (slotAndWorkstationByte (2, 37), 0x45);

    setWorkstation (2, 37);
    EXPECT_EQ (bytesOf (buildSlotSettingMessage (2057, 2, true))[6], 0x45);
    EXPECT_EQ (bytesOf (buildSlotSettingMessage (2057, 2, false))[6], 0x45);
    EXPECT_EQ (bytesOf (buildTableBlockMessage (2057, 2, 3))[6], 0x45);
    EXPECT_EQ (bytesOf (buildTextBlockMessage (2, 1))[7], 0x05);
}

TEST_F (ProtocolMessages, TableBlockCarriesItsQuarterOfTheUnitsTransferBuffer)
{
    setWorkstation (3, 5);

    for (size_t i = 0; i < deviceTableTransferSize; ++i)
    {
        deviceTableBuffers[0][2][i] = static_cast<juce::uint8> (i % 127);
        deviceTableBuffers[4][2][i] = static_cast<juce::uint8> ((i + 1) % 127);
    }

    const auto last = bytesOf (buildTableBlockMessage (2057, 3, 7));
    ASSERT_EQ (last.size(), 234u);
    EXPECT_THAT (slice (last, 0, 9), ElementsAre (0xF0, 0x1D, 0x03, 0x10, 0x09, 0x25, 0x65, 0x07, 0x08));
    EXPECT_THAT (slice (last, 9, 224), ElementsAreArray (deviceTableBuffers[0][2].data() + 1568, 224)) << "rows 196..223";
    EXPECT_EQ (last.back(), 0xF7);

    const auto first = bytesOf (buildTableBlockMessage (2075, 3, 0));
    EXPECT_THAT (slice (first, 3, 5), ElementsAre (0x10, 0x0A, 0x25, 0x65, 0x00));
    EXPECT_THAT (slice (first, 9, 224), ElementsAreArray (deviceTableBuffers[4][2].data(), 224)) << "the extender's own buffer";
}

TEST_F (ProtocolMessages, TableBlockNeverCarriesAStatusByte)
{
    deviceTableBuffers[0][0].fill (0xC8);
    const auto block = bytesOf (buildTableBlockMessage (2057, 1, 2));

    for (size_t i = 1; i + 1 < block.size(); ++i)
        ASSERT_LT (block[i], 0x80) << "byte " << i;
}

TEST_F (ProtocolMessages, TextBlockCarriesTwelveCellsOfSixteenCharacters)
{
    setWorkstation (2, 4);
    juce::StringArray texts;

    for (int cell = 0; cell < labelsPerGroup; ++cell)
        texts.add (juce::String ("Cell ") + juce::String (cell).paddedLeft ('0', 2) + "     Text");

    slotLabelTexts[1][0] = texts;
    const auto block = bytesOf (buildTextBlockMessage (2, 1));

    ASSERT_EQ (block.size(), 205u);
    EXPECT_THAT (slice (block, 0, 6), ElementsAre (0xF0, 0x1D, 0x03, 0x10, 0x09, 0x26));
    EXPECT_THAT (slice (block, 6, 6), ElementsAre (0x02, 0x04, 0x00, 0x0C, 0x02, 0x08));
    EXPECT_EQ (juce::String (reinterpret_cast<const char*> (block.data() + 12), 192), texts.joinIntoString (""));
    EXPECT_EQ (block.back(), 0xF7);

    slotLabelTexts[0][9].set (11, "last cell here!!");
    const auto tenth = bytesOf (buildTextBlockMessage (1, 10));
    EXPECT_EQ (tenth[8], 9) << "block number 10 is group index 9";
    EXPECT_EQ (juce::String (reinterpret_cast<const char*> (tenth.data() + 12 + 11 * 16), 16), "last cell here!!");
}

TEST_F (ProtocolMessages, TextCellsAreAlwaysSixteenSevenBitCharacters)
{
    slotLabelTexts[2][3] = juce::StringArray ("short", "much longer than sixteen", juce::String (juce::CharPointer_UTF8 ("K\xc3\xa4se")));
    const auto block = bytesOf (buildTextBlockMessage (3, 4));

    ASSERT_EQ (block.size(), 205u);
    const juce::String cells (reinterpret_cast<const char*> (block.data() + 12), 192);
    EXPECT_EQ (cells.substring (0, 16), "short           ");
    EXPECT_EQ (cells.substring (16, 32), "much longer than");
    EXPECT_EQ (cells.substring (32, 48), "K?se            ");
    EXPECT_EQ (cells.substring (48), juce::String::repeatedString (" ", 144)) << "missing cells are blank";
}

TEST_F (ProtocolMessages, RequestsThatCannotBeBuiltAreEmptyAndIndexNothing)
{
    for (const auto productId : { 0, 2000, 2059, -1 })
    {
        EXPECT_EQ (bytesOf (buildSignatureRequest (productId, 0x24)), emptyMessage) << productId;
        EXPECT_EQ (bytesOf (buildSlotSettingMessage (productId, 1, true)), emptyMessage) << productId;
        EXPECT_EQ (bytesOf (buildTableBlockMessage (productId, 1, 0)), emptyMessage) << productId;
    }

    for (const auto slotId : { 0, 4, -1 })
    {
        EXPECT_EQ (bytesOf (buildSlotSettingMessage (2057, slotId, true)), emptyMessage) << slotId;
        EXPECT_EQ (bytesOf (buildTableBlockMessage (2057, slotId, 0)), emptyMessage) << slotId;
        EXPECT_EQ (bytesOf (buildTextBlockMessage (slotId, 1)), emptyMessage) << slotId;
    }

    EXPECT_EQ (bytesOf (buildTableBlockMessage (2057, 1, -1)), emptyMessage);
    EXPECT_EQ (bytesOf (buildTableBlockMessage (2057, 1, 8)), emptyMessage);
    EXPECT_EQ (bytesOf (buildTextBlockMessage (1, 0)), emptyMessage);
    EXPECT_EQ (bytesOf (buildTextBlockMessage (1, 11)), emptyMessage);
}

TEST (ProtocolMessagesWithoutHost, SlotsAreSentAsWorkstationOne)
{
    ASSERT_EQ (hostInstance, nullptr);
    EXPECT_THAT (bytesOf (buildSlotSettingMessage (2057, 3, false)), ElementsAre (0xF0, 0x1D, 0x03, 0x10, 0x09, 0x2E, 0x61, 0x00, 0xF7));
}
} // namespace
