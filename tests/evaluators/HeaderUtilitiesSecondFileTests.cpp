#include "evaluators/HeaderUtilities.h"

#include <gtest/gtest.h>

const void* falseCellOfThisFile();

namespace
{
TEST (HeaderUtilities, EverySourceFileHasItsOwnCopies)
{
    EXPECT_NE (falseCellOfThisFile(), static_cast<const void*> (&NsOrvelA::evaluators::falseCell));
    EXPECT_EQ (NsOrvelA::evaluators::falseCell.text, "#f");
    EXPECT_EQ (NsOrvelA::evaluators::fixedPointFactorial (5), 120);
}
} // namespace
