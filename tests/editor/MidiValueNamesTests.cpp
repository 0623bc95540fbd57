#include "editor/MidiValueNames.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;

TEST (MidiValueNames, NoteNamesLineUpNaturalsWithABlank)
{
    EXPECT_EQ (midiNoteName (0), " C-1");
    EXPECT_EQ (midiNoteName (1), "C#-1");
    EXPECT_EQ (midiNoteName (60), " C4");
    EXPECT_EQ (midiNoteName (70), "A#4");
    EXPECT_EQ (midiNoteName (127), " G9");
    EXPECT_EQ (midiNoteName (128), "");
    EXPECT_EQ (midiNoteName (-1), "");
}

TEST (MidiValueNames, ControllersWithoutANameReadTwoDashes)
{
    EXPECT_EQ (midiControllerName (0), "Bank MSB*(GS)");
    EXPECT_EQ (midiControllerName (3), "--");
    EXPECT_EQ (midiControllerName (10), "Pan(GM)");
    EXPECT_EQ (midiControllerName (121), "Reset All Contorllers(GM)");
    EXPECT_EQ (midiControllerName (127), "Poly Mode On");

    int named = 0;
    for (int cc = 0; cc < midiValueCount; ++cc)
        named += midiControllerName (cc) != "--" ? 1 : 0;
    EXPECT_EQ (named, 55);
}

TEST (MidiValueNames, ProgramAndPitchShareOneTableFilledByTheEditor)
{
    programValueNames.fill ({});
    EXPECT_EQ (midiValueName (2, 5), "");

    fillProgramValueNames();
    EXPECT_EQ (midiValueName (2, 0), "---");
    EXPECT_EQ (midiValueName (3, 127), "---");
    EXPECT_EQ (midiValueName (0, 60), " C4");
    EXPECT_EQ (midiValueName (1, 7), "Volume*(GM)");
    EXPECT_EQ (midiValueName (4, 7), "");
    EXPECT_EQ (midiValueName (1, 128), "");
}

TEST (MidiValueNames, HuiPortBytesAndTheirPositions)
{
    const int bytes[] = { 0x00, 0x01, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48 };

    for (int position = 0; position < huiPortChoiceCount; ++position)
    {
        EXPECT_EQ (huiPortByte (position), bytes[position]);
        EXPECT_EQ (huiPortPosition (bytes[position]), position);
    }

    EXPECT_EQ (huiPortByte (11), -1);
    EXPECT_EQ (huiPortByte (-1), -1);
}

TEST (MidiValueNames, TheCustomHuiLabelNumbersZoneAndPort)
{
    EXPECT_EQ (huiCustomLabel (0x0E, 0x43), "#3651");
    EXPECT_EQ (huiCustomLabel (0, 0), "#0");
    EXPECT_EQ (rotationPatternName (1), "Incremental");
    EXPECT_EQ (rotationPatternName (2), "Numerical");
    EXPECT_EQ (rotationPatternName (0), "");
}
} // namespace
