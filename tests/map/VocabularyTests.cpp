#include "map/AssignmentKinds.h"
#include "map/ControlLayout.h"
#include "map/HidKeyTables.h"
#include "map/HuiCodes.h"
#include "map/MidiKinds.h"
#include "map/UnitModels.h"
#include "map/Workstations.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
using namespace NsOrvelA;

TEST (ControlLayout, TableRowsOfTheControls)
{
    EXPECT_EQ (controlTableRow (1), 0);
    EXPECT_EQ (controlTableRow (32), 31);
    EXPECT_EQ (controlTableRow (33), 66);
    EXPECT_EQ (controlTableRow (152), 185);
    EXPECT_EQ (controlTableRow (153), 186);
    EXPECT_EQ (controlTableRow (160), 193);
    EXPECT_EQ (controlTableRow (161), 195);
    EXPECT_EQ (controlTableRow (162), 194);
    EXPECT_EQ (controlTableRow (163), 196);
    EXPECT_EQ (controlTableRow (171), 204);
    EXPECT_EQ (controlTableRow (172), 205);
    EXPECT_EQ (controlTableRow (180), 213);
    EXPECT_EQ (controlTableRow (181), 214);
    EXPECT_EQ (controlTableRow (189), 222);
    EXPECT_EQ (controlTableRow (190), 223);
    EXPECT_EQ (controlTableRow (191), 56);
    EXPECT_EQ (controlTableRow (192), -1);
    EXPECT_EQ (controlTableRow (226), -1);
    EXPECT_EQ (controlTableRow (0), -1);
    EXPECT_EQ (controlTableRow (227), -1);
}

TEST (ControlLayout, EveryRowHasAtMostOneControlAndOnlyTheSharedRowsHaveNone)
{
    std::set<int> owned;

    for (int control = 1; control <= controlCount; ++control)
    {
        if (const auto row = controlTableRow (control); row >= 0)
        {
            EXPECT_TRUE (owned.insert (row).second) << "row " << row << " owned twice";
        }
    }

    EXPECT_EQ (owned.size(), 191u);

    for (int row = 0; row < 224; ++row)
    {
        const bool shared = (row >= 32 && row <= 55) || (row >= 57 && row <= 65);
        EXPECT_NE (owned.count (row) == 1, shared) << "row " << row;
    }
}

TEST (ControlLayout, ClassesAndKindNames)
{
    EXPECT_EQ (controlClass (171, true), 2);
    EXPECT_EQ (controlClass (171, false), 4);
    EXPECT_EQ (controlClass (170, false), 2);
    EXPECT_EQ (controlClass (190, true), 4);
    EXPECT_EQ (controlClass (190, false), 4);
    EXPECT_EQ (controlKindName (controlClass (185, true)), "fader");
    EXPECT_EQ (controlKindName (controlClass (165, true)), "knob");
    EXPECT_EQ (controlKindName (controlClass (40, true)), "button");
    EXPECT_EQ (controlKindName (0), "keyboard");
    EXPECT_EQ (controlKindName (6), "other");
    EXPECT_EQ (controlKindName (7), "");
    EXPECT_EQ (controlKindName (-1), "");

    EXPECT_EQ (valueChoiceCount (3, 4), 114);
    EXPECT_EQ (valueChoiceCount (3, 3), 9);
    EXPECT_EQ (valueChoiceCount (3, 2), 8);
    EXPECT_EQ (valueChoiceCount (3, 0), 1);
    EXPECT_EQ (valueChoiceCount (1, 4), 1);
}

TEST (UnitModels, UnitIdsFollowTheOrderOfTheModels)
{
    EXPECT_EQ (unitIdOfProduct (2057), 1);
    EXPECT_EQ (unitIdOfProduct (2058), 2);
    EXPECT_EQ (unitIdOfProduct (2073), 3);
    EXPECT_EQ (unitIdOfProduct (2078), 8);
    EXPECT_EQ (unitIdOfProduct (2000), 0);
    EXPECT_STREQ (modelNames[2], "Orvel-B2");

    for (auto id : deviceModelIds)
        EXPECT_TRUE (isSupportedModel (id));

    EXPECT_TRUE (isExtender (2058));
    EXPECT_FALSE (isExtenderB2to7 (2058));
    EXPECT_FALSE (isSupportedModel (2059));
    EXPECT_FALSE (isSupportedModel (2072));
}

TEST (Workstations, NamesAndTextIds)
{
    EXPECT_EQ (dawTextId (0), "");
    EXPECT_EQ (dawTextId (19), "");
    EXPECT_EQ (dawTextId (18), "luna");
    EXPECT_EQ (dawTextId (3), "pro-tools");
    EXPECT_EQ (dawDisplayName (11), "Digital Performer");
    EXPECT_EQ (dawDisplayName (15), "Adobe Audition");
    EXPECT_TRUE (isHuiDaw (3));
    EXPECT_TRUE (isNotHuiDaw (14));
}

TEST (AssignmentKinds, NamesReadBackTrimmedAndUnknownOnesAsFunc)
{
    EXPECT_EQ (assignmentTypeFromName (" hotkey "), 1);
    EXPECT_EQ (assignmentTypeFromName ("nil"), 0);
    EXPECT_EQ (assignmentTypeFromName ("HOTKEY"), 0) << "case counts";
    EXPECT_EQ (assignmentTypeFromName ("null"), 5);

    for (int kind = 0; kind < assignmentKindCount; ++kind)
        EXPECT_EQ (assignmentTypeFromName (assignmentTypeName (kind)), kind);

    EXPECT_EQ (assignmentTypeName (6), "");
}

TEST (MidiKinds, NamesNibblesAndTheirInverse)
{
    EXPECT_EQ (MidiKind::fromName ("CC"), 1);
    EXPECT_EQ (MidiKind::fromName (" Pitch "), 3);
    EXPECT_EQ (MidiKind::fromName ("sysex"), 0);
    EXPECT_EQ (midiKindOfStatusNibble (8), -1);
    EXPECT_EQ (midiKindOfStatusNibble (12), 2);
    EXPECT_EQ (midiKindName (-1), "");
    EXPECT_EQ (midiTypeDisplayNames (2), "Program Change");
    EXPECT_EQ (midiStatusNibbles (3), 14);
    EXPECT_EQ (midiStatusNibbles (4), 0);
}

TEST (HuiCodes, LookupsBothWays)
{
    EXPECT_EQ (huiCodeIndex (0x30, 5), 5);
    EXPECT_EQ (huiCodeIndex (29, 1), 63);
    EXPECT_EQ (huiCodeIndex (3, 3), 0);
    EXPECT_EQ (huiCodeIndex (-1, -1), 0) << "the first entry with the pair wins";
    EXPECT_EQ (huiCodeIndex (14, 67), 1);
    EXPECT_EQ (huiCodeIndex (7, 69), 112);
    EXPECT_EQ (huiZonePort (113).zone, -1);
    EXPECT_EQ (huiZonePort (114).port, -1);

    // Every code but the two blanks is found again from its own pair.
    for (int code = 1; code < 113; ++code)
        EXPECT_EQ (huiCodeIndex (huiZonePort (code).zone, huiZonePort (code).port), code);

    EXPECT_EQ (pluginFunctionLabelOf (46), "Insert*");
    EXPECT_EQ (pluginFunctionLabelOf (189), "VolumeM");
    EXPECT_EQ (pluginFunctionLabelOf (47), "");
}

TEST (HidKeyTables, NamesAndDescriptions)
{
    EXPECT_EQ (hidUsageDisplayNames (4), "A");
    EXPECT_EQ (hidUsageDisplayNames (39), "0");
    EXPECT_EQ (hidUsageDisplayNames (49), "\\");
    EXPECT_EQ (hidUsageDisplayNames (58), "F1");
    EXPECT_EQ (hidUsageDisplayNames (75), "PageUp");
    EXPECT_EQ (hidUsageDisplayNames (70), "#46");
    EXPECT_EQ (hidUsageDisplayNames (115), "F24");
    EXPECT_EQ (hidUsageDisplayNames (127), "Mute");
    EXPECT_EQ (hidUsageKeyDescriptions (0), "");
    EXPECT_EQ (hidUsageKeyDescriptions (40), "return");
    EXPECT_EQ (hidUsageKeyDescriptions (75), "page up");
    EXPECT_EQ (hidUsageKeyDescriptions (98), "numpad 0");
    EXPECT_EQ (hidUsageKeyDescriptions (72), "#3");
    EXPECT_EQ (hidUsageKeyDescriptions (4), "A");
    EXPECT_EQ (hidUsageKeyDescriptions (127), "mute");
    EXPECT_EQ (hidUsageDisplayNames (-1), "");
    EXPECT_EQ (hidUsageKeyDescriptions (128), "");
}

TEST (HidKeyTables, KeyboardCharactersAreEveryPrintableAsciiCharacterOnce)
{
    const std::string chars (keyboardLayoutChars);
    EXPECT_EQ (chars.size(), 95u);
    EXPECT_EQ (std::set<char> (chars.begin(), chars.end()).size(), 95u);

    for (auto c : chars)
        EXPECT_TRUE (c >= 32 && c <= 126);

    EXPECT_FALSE (hasNonAsciiCharacter (chars));
    EXPECT_TRUE (hasNonAsciiCharacter (juce::String (juce::CharPointer_UTF8 ("caf\xc3\xa9"))));
    EXPECT_TRUE (hasNonAsciiCharacter (juce::String::charToString (127)));
}
} // namespace

namespace
{
using namespace NsOrvelA;

// Numbers reach these lookups from files, units and the editor: none may read outside a table.
TEST (Vocabulary, EveryLookupIsTotalOverAWideRangeOfNumbers)
{
    int valid = 0;

    for (int n = -1000; n <= 1000; ++n)
    {
        valid += controlTableRow (n) >= 0;
        valid += controlKindName (n).isNotEmpty();
        valid += controlClass (n, true) + controlClass (n, false) > 0;
        valid += valueChoiceCount (n, n) > 1;
        valid += dawDisplayName (n).isNotEmpty() + dawTextId (n).isNotEmpty();
        valid += assignmentTypeName (n).isNotEmpty();
        valid += midiKindName (n).isNotEmpty() + midiTypeDisplayNames (n).isNotEmpty();
        valid += midiStatusNibbles (n) != 0;
        valid += midiKindOfStatusNibble (n) >= 0;
        valid += huiZonePort (n).zone >= 0;
        valid += (huiCodeIndex (n, n) != 0) + (huiCodeIndex (n & 31, n) != 0);
        valid += hidUsageDisplayNames (n).isNotEmpty() + hidUsageKeyDescriptions (n).isNotEmpty();
        valid += unitIdOfProduct (n) != 0;
        valid += pluginFunctionLabelOf (n).isNotEmpty();
    }

    EXPECT_GT (valid, 0);
}
} // namespace
