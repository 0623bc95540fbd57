#include "editor/SysexText.h"

#include <gtest/gtest.h>

namespace
{
using NsOrvelA::parseSysexText;
using Bytes = std::vector<juce::uint8>;

TEST (SysexText, PairsOfHexDigitsAreBytesWithBlanksAnywhere)
{
    EXPECT_EQ (parseSysexText ("F0 7E"), Bytes ({ 0xF0, 0x7E }));
    EXPECT_EQ (parseSysexText ("F02215 100900 0426F7"), Bytes ({ 0xF0, 0x22, 0x15, 0x10, 0x09, 0x00, 0x04, 0x26, 0xF7 }));
    EXPECT_EQ (parseSysexText ("f 07e "), Bytes ({ 0xF0, 0x7E })) << "lower case, a blank inside a pair";
}

TEST (SysexText, AnOddLengthWithoutBlanksIsRefused)
{
    EXPECT_EQ (parseSysexText ("F07"), std::nullopt);
    EXPECT_EQ (parseSysexText ("F0 7E 1"), std::nullopt);
    EXPECT_EQ (parseSysexText ("F 0 7"), std::nullopt);
}

TEST (SysexText, AnEmptyOrBlankTextIsNoBytes)
{
    EXPECT_EQ (parseSysexText (""), Bytes());
    EXPECT_EQ (parseSysexText ("   "), Bytes());
}

TEST (SysexText, CharactersThatAreNoHexDigitsAreIgnoredWithinTheirPair)
{
    EXPECT_EQ (parseSysexText ("G1"), Bytes ({ 0x01 }));
    EXPECT_EQ (parseSysexText ("1G"), Bytes ({ 0x01 }));
    EXPECT_EQ (parseSysexText ("ZZ7F"), Bytes ({ 0x00, 0x7F })) << "a pair without a digit is 0";
    EXPECT_EQ (parseSysexText ("0x"), Bytes ({ 0x00 })) << "the pairing counts every character but blanks";
}
} // namespace
