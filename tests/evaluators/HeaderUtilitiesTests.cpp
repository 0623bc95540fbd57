#include "evaluators/HeaderUtilities.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

// Each source file has its own copies; the second file compares this one's with its own.
const void* falseCellOfThisFile() { return &NsOrvelA::evaluators::falseCell; }

namespace
{
using namespace NsOrvelA::evaluators;

TEST (HeaderUtilities, ConstantsHoldTheirValues)
{
    EXPECT_EQ (nilRecord, std::make_tuple (-1, std::string ("NIL"), 9));

    for (const auto* cell : { &falseCell, &trueCell, &nilCell })
    {
        EXPECT_EQ (cell->type, SchemeCellType::symbol);
        EXPECT_TRUE (cell->list.empty());
    }

    EXPECT_EQ (falseCell.text, "#f");
    EXPECT_EQ (trueCell.text, "#t");
    EXPECT_EQ (nilCell.text, "nil");
}

TEST (HeaderUtilities, RecursiveFunctionObjects)
{
    EXPECT_EQ (fixedPointFactorial (0), 0);
    EXPECT_EQ (fixedPointFactorial (1), 1);
    EXPECT_EQ (fixedPointFactorial (5), 120);
    EXPECT_EQ (fixedPointFactorial (-3), -3);

    const int fibonacci[]{ 0, 1, 1, 2, 3, 5, 8 };

    for (int n = 0; n < 7; ++n)
        EXPECT_EQ (fixedPointFibonacci (n), fibonacci[n]) << n;

    EXPECT_EQ (fixedPointFibonacci (-4), -4);
    EXPECT_EQ (fixedPointFibonacci (30), 832040);
}

TEST (HeaderUtilities, FactorialWrapsAroundAsThirtyTwoBitArithmetic)
{
    std::uint32_t product = 1;

    for (std::uint32_t n = 1; n <= 40; ++n)
    {
        product *= n;
        EXPECT_EQ (fixedPointFactorial (static_cast<int> (n)), wrapToInt (product)) << n;
    }

    EXPECT_EQ (fixedPointFactorial (13), 1932053504);
    EXPECT_EQ (fixedPointFactorial (17), -288522240);
    EXPECT_EQ (fixedPointFactorial (34), 0);
    EXPECT_EQ (fixedPointFactorial (std::numeric_limits<int>::max()), 0);

    EXPECT_EQ (wrappingAdd (std::numeric_limits<int>::max(), 1), std::numeric_limits<int>::min());
    EXPECT_EQ (wrappingMultiply (65536, 65536), 0);
    EXPECT_EQ (wrappingMultiply (-1, std::numeric_limits<int>::min()), std::numeric_limits<int>::min());
}

TEST (HeaderUtilities, LogFormatFollowsTheTypeAtCompileTime)
{
    static_assert (std::string_view (typedLogFormat<const char*>()) == "%S");
    static_assert (std::string_view (typedLogFormat<bool>()) == "0x%X");

    const char* narrow = "text";
    EXPECT_STREQ (typedLogFormat (narrow), "%S");
    EXPECT_STREQ (typedLogFormat ("literal"), "%S");
    EXPECT_STREQ (typedLogFormat (true), "0x%X");

    EXPECT_STREQ (typedLogFormat<char*>(), "%S");
    EXPECT_STREQ (typedLogFormat<const unsigned char*>(), "%S");
    EXPECT_STREQ (typedLogFormat<unsigned char*>(), "%S");
    EXPECT_STREQ (typedLogFormat (juce::String ("x")), "%S");
    EXPECT_STREQ (typedLogFormat (L"wide"), "%s");
    EXPECT_STREQ (typedLogFormat<wchar_t*>(), "%s");
    EXPECT_STREQ (typedLogFormat ('c'), "0x%02X");
    EXPECT_STREQ (typedLogFormat<unsigned char>(), "0x%02X");
    EXPECT_STREQ (typedLogFormat<const short&>(), "%d");
    EXPECT_STREQ (typedLogFormat<unsigned short>(), "%d");
    EXPECT_STREQ (typedLogFormat (7), "%d");
    EXPECT_STREQ (typedLogFormat (7u), "%d");
    EXPECT_STREQ (typedLogFormat (1.5f), "%lf");
    EXPECT_STREQ (typedLogFormat (1.5), "%lf");
    EXPECT_STREQ (typedLogFormat (7L), "%ld");

    for (const auto* format : { typedLogFormat<signed char>(), typedLogFormat<long long>(), typedLogFormat<wchar_t>(),
                                typedLogFormat<int*>(), typedLogFormat<juce::String*>() })
        EXPECT_STREQ (format, "0x%X");
}
} // namespace
