#include "map/DawFunctionLabels.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;

int labelCount (int dawId)
{
    int count = 0;

    for (int control = firstLabelledControl; control < firstLabelledControl + labelledControlCount; ++control)
        count += dawFunctionLabelOf (dawId, control).isNotEmpty() ? 1 : 0;

    return count;
}

TEST (DawFunctionLabels, LabelsOfTheFactoryMaps)
{
    EXPECT_EQ (dawFunctionLabelOf (1, 105), "Pointer");
    EXPECT_EQ (dawFunctionLabelOf (1, 112), "Dupli- cate");
    EXPECT_EQ (dawFunctionLabelOf (1, 132), "Deselect All");
    EXPECT_EQ (dawFunctionLabelOf (1, 133), "");
    EXPECT_EQ (dawFunctionLabelOf (1, 138), "Add Group");
    EXPECT_EQ (dawFunctionLabelOf (3, 105), "Shuffle");
    EXPECT_EQ (dawFunctionLabelOf (3, 130), "");
    EXPECT_EQ (dawFunctionLabelOf (3, 135), "HealSepa -ration");
    EXPECT_EQ (dawFunctionLabelOf (3, 152), "Clear");
    EXPECT_EQ (dawFunctionLabelOf (4, 136), "Inspect -or");
    EXPECT_EQ (dawFunctionLabelOf (6, 117), "Msater Track");
    EXPECT_EQ (dawFunctionLabelOf (6, 150), "Prefer -ences");
    EXPECT_EQ (dawFunctionLabelOf (7, 139), "Show RecMeter");
    EXPECT_EQ (dawFunctionLabelOf (9, 129), "Proect Picker");
    EXPECT_EQ (dawFunctionLabelOf (10, 131), "Meature/Beat Now");
    EXPECT_EQ (dawFunctionLabelOf (13, 152), "Location -s");
    EXPECT_EQ (dawFunctionLabelOf (17, 61), "Erase");
    EXPECT_EQ (dawFunctionLabelOf (17, 81), "Scrub");
    EXPECT_EQ (dawFunctionLabelOf (17, 110), "");
    EXPECT_EQ (dawFunctionLabelOf (17, 128), "Enter");
}

TEST (DawFunctionLabels, EveryRunHasAllItsLabels)
{
    const int expected[dawCount] = { 32, 32, 46, 32, 43, 43, 33, 48, 45, 22, 48, 0, 48, 32, 0, 0, 25, 0 };

    for (int daw = 1; daw <= dawCount; ++daw)
        EXPECT_EQ (labelCount (daw), expected[daw - 1]) << daw;

    for (int control = firstLabelledControl; control < firstLabelledControl + labelledControlCount; ++control)
        EXPECT_EQ (dawFunctionLabelOf (14, control), dawFunctionLabelOf (2, control)) << control;
}

TEST (DawFunctionLabels, EveryLabelFitsOneDisplayCell)
{
    for (const auto& layers : dawFunctionLabels)
        for (const auto* label : layers)
            EXPECT_LE (juce::String (label).length(), 16) << label;
}

TEST (DawFunctionLabels, OutsideTheTableThereIsNoLabel)
{
    EXPECT_EQ (dawFunctionLabelOf (0, 105), "");
    EXPECT_EQ (dawFunctionLabelOf (19, 105), "");
    EXPECT_EQ (dawFunctionLabelOf (-1, 105), "");
    EXPECT_EQ (dawFunctionLabelOf (1, 56), "");
    EXPECT_EQ (dawFunctionLabelOf (1, 153), "");
    EXPECT_EQ (dawFunctionLabelOf (8, 152), "Show Files");
    EXPECT_EQ (dawFunctionLabelOf (8, 57), "");
}
} // namespace
