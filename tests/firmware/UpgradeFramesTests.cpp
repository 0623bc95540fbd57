#include "firmware/UpgradeFrames.h"

#include <gtest/gtest.h>

namespace
{
using namespace talvor;
using Bytes = std::vector<juce::uint8>;

Bytes bytesOf (const juce::MidiMessage& message) { return Bytes (message.getRawData(), message.getRawData() + message.getRawDataSize()); }

Bytes tailOf (const UpgradeFrame& frame) { return Bytes (frame.begin() + 10, frame.end()); }

TEST (UpgradeFrames, EachFrameCarriesItsCommandAndTheSumOfItsBytes)
{
    const auto connect = connectFrame();
    EXPECT_EQ (Bytes (connect.begin(), connect.begin() + 10), Bytes (10, 0x55));
    EXPECT_EQ (tailOf (connect), (Bytes{ 0x1D, 0x03, 0x00, 0x49, 0x7F, 0x00, 0x3A }));
    EXPECT_EQ (tailOf (resetFrame()), (Bytes{ 0x1D, 0x03, 0x00, 0x49, 0x02, 0x00, 0xBD }));
    EXPECT_EQ (tailOf (eraseFrame (2057)), (Bytes{ 0x1D, 0x03, 0x00, 0x49, 0x00, 0x70, 0x2B }));
    EXPECT_EQ (tailOf (eraseFrame (94)), (Bytes{ 0x1D, 0x03, 0x00, 0x49, 0x00, 0x71, 0x2C }));
    EXPECT_EQ (tailOf (blockHeader (255)), (Bytes{ 0x1D, 0x03, 0x00, 0x49, 0x01, 0xFF, 0x00 }));
}

TEST (UpgradeFrames, TheEraseByteIs71OnlyForItsFourDevices)
{
    for (const auto id : { 94, 130, 182, 183 })
        EXPECT_EQ (eraseByteForProduct (id), 0x71) << id;

    for (const auto id : { -1, 0, 93, 131, 184, 199, 200, 2057, 2058 })
        EXPECT_EQ (eraseByteForProduct (id), 0x70) << id;
}

TEST (UpgradeFrames, TheLastBlockIsPaddedWithZerosAndSummedOverWhatIsSent)
{
    const Bytes image (513, 0x01);

    const auto first = firmwareBlock (0, image.data(), image.size(), 0);
    ASSERT_EQ (first.size(), 530u);
    EXPECT_EQ (first[15], 0);
    EXPECT_EQ (first[16], 0);
    EXPECT_EQ (first[529], static_cast<juce::uint8> ((0x55 * 10 + 0x1D + 0x03 + 0x49 + 0x01 + 512) & 0xFF));

    const auto last = firmwareBlock (1, image.data(), image.size(), 512);
    ASSERT_EQ (last.size(), 530u);
    EXPECT_EQ (last[15], 1);
    EXPECT_EQ (last[17], 0x01);
    EXPECT_EQ (Bytes (last.begin() + 18, last.end() - 1), Bytes (511, 0x00));
    EXPECT_EQ (last[529], static_cast<juce::uint8> ((0x55 * 10 + 0x1D + 0x03 + 0x49 + 0x01 + 0x01 + 0x01) & 0xFF));
}

TEST (UpgradeFrames, BytesTravelAsNoteOnsOnChannelSixteen)
{
    EXPECT_EQ (bytesOf (encodeUpgradeByte (0x3A)), (Bytes{ 0x9F, 0x03, 0x0A }));
    EXPECT_EQ (bytesOf (encodeUpgradeByte (0x00)), (Bytes{ 0x9F, 0x00, 0x00 }));
    EXPECT_EQ (bytesOf (encodeUpgradeByte (0xFF)), (Bytes{ 0x9F, 0x0F, 0x0F }));
    EXPECT_EQ (bytesOf (upgradePrelude()), (Bytes{ 0xEF, 0x7F, 0x7F }));
}

TEST (UpgradeRequest, CarriesTheFamilyOfTheProductInEitherForm)
{
    EXPECT_EQ (bytesOf (buildSysExRequest (2057, 9)), (Bytes{ 0xF0, 0x1D, 0x03, 0x10, 0x09, 0x00, 0x7F, 0x7F, 0xF7 }));

    for (const auto id : { 2058, 2073, 2078 })
        EXPECT_EQ (bytesOf (buildSysExRequest (id, 9)), (Bytes{ 0xF0, 0x1D, 0x03, 0x10, 0x0A, 0x00, 0x7F, 0x7F, 0xF7 })) << id;

    EXPECT_EQ (bytesOf (buildSysExRequest (2057, 8)), (Bytes{ 0xF0, 0x1D, 0x03, 0x10, 0x09, 0x55, 0x7F, 0xF7 }));
    EXPECT_EQ (bytesOf (buildSysExRequest (157, 9)), (Bytes{ 0xF0, 0x1D, 0x03, 0x01, 0x1D, 0x00, 0x7F, 0x7E, 0xF7 }));
    EXPECT_EQ (bytesOf (buildSysExRequest (81, 8)), (Bytes{ 0xF0, 0x1D, 0x03, 0x00, 85, 0x55, 0x7F, 0xF7 }));
    EXPECT_EQ (buildSysExRequest (2057, 9).getTimeStamp(), 0.0);
}
} // namespace
