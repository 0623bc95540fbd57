#include "devices/DeviceNamePatterns.h"
#include "devices/FirmwareFileNames.h"
#include "devices/ProductFamilies.h"
#include "devices/ProductIds.h"
#include "devices/ProductNames.h"
#include "devices/VariantNames.h"

#include <gtest/gtest.h>

namespace
{
using namespace talvor;

class VariantNamesOn
{
public:
    VariantNamesOn() { variantNamesActive = 1; }
    ~VariantNamesOn() { variantNamesActive = 0; }
};

const char* const unitNames[] = { "Orvel-A", "Orvel-B", "Orvel-B2", "Orvel-B3", "Orvel-B4", "Orvel-B5", "Orvel-B6", "Orvel-B7" };
const int unitIds[] = { 2057, 2058, 2073, 2074, 2075, 2076, 2077, 2078 };

TEST (ProductIdFromDeviceName, NumberedExtendersAreNotTakenForThePlainOne)
{
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ (productIdFromDeviceName (unitNames[i]), unitIds[i]) << unitNames[i];

    EXPECT_EQ (productIdFromDeviceName ("Orvel-B1"), 2058);
    EXPECT_EQ (productIdFromDeviceName ("Orvel-B3 MIDI 1"), 2074);
    EXPECT_EQ (productIdFromDeviceName ("MIDIOUT4 (Orvel-B4)"), 2075);
}

TEST (ProductIdFromDeviceName, IgnoresCaseAndSurroundingBlanks)
{
    EXPECT_EQ (productIdFromDeviceName ("ORVEL-A"), 2057);
    EXPECT_EQ (productIdFromDeviceName ("orvel-a"), 2057);
    EXPECT_EQ (productIdFromDeviceName (" Orvel-B "), 2058);
    EXPECT_EQ (productIdFromDeviceName ("\tORVEL_B7\n"), 2078);
}

TEST (ProductIdFromDeviceName, NamesOfNoKnownDeviceGiveNoProduct)
{
    EXPECT_EQ (productIdFromDeviceName (""), 2000);
    EXPECT_EQ (productIdFromDeviceName ("Midi Through Port-0"), 2000);
    EXPECT_EQ (productIdFromDeviceName ("Orvel"), 2000);
    EXPECT_EQ (productIdFromDeviceName ("OrvelA"), 2000) << "the pattern needs one character between the words";
}

TEST (VariantNames, WhileActiveNoUnitOfThisSystemIsRecognised)
{
    VariantNamesOn variant;

    for (auto* name : unitNames)
        EXPECT_EQ (productIdFromDeviceName (name), 2000) << name;

    EXPECT_EQ (productName (2057), "Unknown");
}

TEST (VariantNames, TheVariantProductsAreExactlyThoseListed)
{
    for (int id : { 74, 75, 99, 157, 158, 171, 186, 187, 324, 2050, 2052 })
        EXPECT_TRUE (usesVariantNames (id)) << id;

    for (int id : { 0, 73, 76, 2000, 2051, 2057, 2058 })
        EXPECT_FALSE (usesVariantNames (id)) << id;
}

TEST (ProductName, NamesTheUnitsAndNothingElse)
{
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ (productName (unitIds[i]), unitNames[i]);

    EXPECT_EQ (productName (2000), "Unknown");
    EXPECT_EQ (productName (-1), "Unknown");
    EXPECT_FALSE (isKnownProductId (2000));
    EXPECT_TRUE (isKnownProductId (2057));
}

TEST (ProductFamilies, FamilyAndCatalogueIds)
{
    EXPECT_EQ (productFamilyId (2075), 2058);
    EXPECT_EQ (productFamilyId (2057), 2057);
    EXPECT_EQ (productFamilyId (2070), 2056);
    EXPECT_EQ (productFamilyId (81), 85);
    EXPECT_EQ (productFamilyId (324), 73);
    EXPECT_EQ (productFamilyId (126), 110);
    EXPECT_EQ (productFamilyId (125), 101);
    EXPECT_EQ (productFamilyId (177), 176);
    EXPECT_EQ (productFamilyId (500), 500) << "an id of no family is its own";

    EXPECT_EQ (normaliseProductId (2076), 2058);
    EXPECT_EQ (normaliseProductId (2058), 2058);
    EXPECT_EQ (normaliseProductId (2067), 2056);
    EXPECT_EQ (normaliseProductId (2057), 2057);
    EXPECT_EQ (normaliseProductId (26), 26) << "families of other devices are catalogued under their own ids";
}

TEST (ProductFamilies, BootloaderDevices)
{
    for (int id = 2054; id <= 2058; ++id)
        EXPECT_TRUE (usesBlhostBackend (id)) << id;

    for (int id = 2059; id <= 2066; ++id)
        EXPECT_FALSE (usesBlhostBackend (id)) << id;

    for (int id = 2067; id <= 2078; ++id)
        EXPECT_TRUE (usesBlhostBackend (id)) << id;

    EXPECT_FALSE (usesBlhostBackend (2053));
    EXPECT_FALSE (usesBlhostBackend (2079));
}

TEST (FirmwareFileNames, EachUnitTakesOnlyItsOwnFiles)
{
    EXPECT_TRUE (fileNameMatchesProduct ("orvel_a_1.2.bin", 2057));
    EXPECT_FALSE (fileNameMatchesProduct ("orvel_a_1.2.bin", 2058));

    for (int id : { 2058, 2073, 2074, 2075, 2076, 2077, 2078 })
        EXPECT_TRUE (fileNameMatchesProduct ("orvel_b_2.05.bin", id)) << id;

    EXPECT_FALSE (fileNameMatchesProduct ("orvel_b_2.05.bin", 2057));
    EXPECT_TRUE (fileNameMatchesProduct ("ORVEL_A_3.0.BIN", 2057)) << "case is ignored";
}

TEST (FirmwareFileNames, AProductWithoutPatternsAcceptsAnyName)
{
    EXPECT_FALSE (fileNameMatchesProduct ("firmware.bin", 2057));
    EXPECT_FALSE (fileNameMatchesProduct ("firmware.bin", 2075));
    EXPECT_TRUE (fileNameMatchesProduct ("firmware.bin", 2000));
    EXPECT_TRUE (fileNameMatchesProduct ("", 2000));
}
} // namespace
