#include "platform/CpuFamily.h"

#include <gtest/gtest.h>

namespace
{
juce::String familyOf (const juce::String& model)
{
    const talvor::ScopedCpuModelSource source ([model] { return model; });
    return talvor::cpuFamilyName();
}

TEST (CpuFamilyTest, VendorWordsIgnoreCaseAndIntelWinsWhenBothAreNamed)
{
    EXPECT_EQ (familyOf ("Intel(R) Core(TM) i7-9750H CPU @ 2.60GHz"), "Intel");
    EXPECT_EQ (familyOf ("genuine intel processor"), "Intel");
    EXPECT_EQ (familyOf ("AMD Ryzen 7 5800X 8-Core Processor"), "AMD");
    EXPECT_EQ (familyOf ("amd epyc"), "AMD");
    EXPECT_EQ (familyOf ("AMD chip with Intel graphics"), "Intel");
}

TEST (CpuFamilyTest, AppleChipsAreToldApartByTheirVariant)
{
    EXPECT_EQ (familyOf ("Apple M1"), "M1");
    EXPECT_EQ (familyOf ("Apple M2"), "M2");
    EXPECT_EQ (familyOf ("Apple M1 Pro"), "Pro");
    EXPECT_EQ (familyOf ("Apple M2 Max"), "Max");
    EXPECT_EQ (familyOf ("Apple M1 Ultra"), "Ultra");
    EXPECT_EQ (familyOf ("VirtualApple @ 2.50GHz processor"), "M1");
}

TEST (CpuFamilyTest, ChipNamesAreCaseSensitiveAndUnknownModelsGiveTheEmptyWord)
{
    EXPECT_EQ (familyOf ("apple m1"), "");
    EXPECT_EQ (familyOf ("Apple M3 Pro"), "");
    EXPECT_EQ (familyOf (""), "");
    EXPECT_EQ (familyOf ("ARMv8 Processor rev 1 (v8l)"), "");
}

TEST (CpuFamilyTest, TheSingleTestsAnswerOnTheirOwn)
{
    const talvor::ScopedCpuModelSource source ([] { return juce::String ("Apple M2 Ultra"); });
    EXPECT_FALSE (talvor::isAmdCpu());
    EXPECT_FALSE (talvor::isAppleM2());
    EXPECT_TRUE (talvor::isAppleM2Series()) << "the series takes every variant";
    EXPECT_TRUE (talvor::isAppleUltraChip());
    EXPECT_FALSE (talvor::isAppleProChip());
}

TEST (CpuFamilyTest, TheModelTextIsReadAnewOnEveryCall)
{
    juce::String model{ "AMD Ryzen" };
    const talvor::ScopedCpuModelSource source ([&model] { return model; });
    EXPECT_TRUE (talvor::isAmdCpu());
    model = "Intel Xeon";
    EXPECT_FALSE (talvor::isAmdCpu());
    EXPECT_FALSE (talvor::isAppleM2Series());
    EXPECT_STREQ (talvor::cpuFamilyName(), "Intel");
}
} // namespace
