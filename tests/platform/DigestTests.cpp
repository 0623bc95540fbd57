#include "platform/Digest.h"

#include <gtest/gtest.h>

namespace
{
using talvor::ByteList;

ByteList bytesOf (std::initializer_list<int> values)
{
    ByteList bytes;

    for (auto v : values)
        bytes.add (static_cast<juce::uint8> (v));

    return bytes;
}

TEST (Digest, EmptyInputAndTheZeroByteGiveZero)
{
    EXPECT_EQ (talvor::byteStringDigest ({}), 0);
    EXPECT_EQ (talvor::digestOfBytes ({}), 0);
    EXPECT_EQ (talvor::digestOfBytes (bytesOf ({ 0 })), 0);
}

TEST (Digest, TextAndByteFormsAgreeOnAscii)
{
    EXPECT_EQ (talvor::byteStringDigest ("A"), talvor::digestOfBytes (bytesOf ({ 65 })));
    EXPECT_EQ (talvor::byteStringDigest ("Orvel-A"), talvor::digestOfBytes (bytesOf ({ 'O', 'r', 'v', 'e', 'l', '-', 'A' })));
    EXPECT_NE (talvor::byteStringDigest ("A"), 0);
}

TEST (Digest, MatchesTheValuesTheUnitsStore)
{
    // Computed independently of this code; a unit compares these numbers with what it stored.
    EXPECT_EQ (talvor::byteStringDigest ("A"), 6139906);
    EXPECT_EQ (talvor::byteStringDigest ("Orvel-A"), 7617285);
}

TEST (Digest, TextBytesAreSignedAndListBytesUnsigned)
{
    // U+00E9 is C3 A9 in UTF-8: above 127, so the two forms read different values.
    EXPECT_EQ (talvor::byteStringDigest (juce::String (juce::CharPointer_UTF8 ("\xc3\xa9"))), 463878);
    EXPECT_EQ (talvor::digestOfBytes (bytesOf ({ 0xc3, 0xa9 })), 294669);
}

TEST (Digest, StaysWithinItsRangeAndDependsOnOrder)
{
    juce::Random random (1234);

    for (int run = 0; run < 200; ++run)
    {
        ByteList bytes;

        for (int i = random.nextInt (64); --i >= 0;)
            bytes.add (static_cast<juce::uint8> (random.nextInt (256)));

        const auto digest = talvor::digestOfBytes (bytes);
        EXPECT_GE (digest, 0);
        EXPECT_LE (digest, 10000000);
    }

    EXPECT_NE (talvor::digestOfBytes (bytesOf ({ 1, 2 })), talvor::digestOfBytes (bytesOf ({ 2, 1 })));
}
} // namespace
