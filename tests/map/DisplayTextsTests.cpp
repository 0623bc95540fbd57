#include "map/ControlLayout.h"
#include "map/DisplayTexts.h"
#include "map/MapIdentifiers.h"
#include "map/TextFitting.h"
#include "map/WorkstationFunctionNames.h"
#include "map/Workstations.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;

juce::String padded (const juce::String& text) { return text.paddedRight (' ', 16); }

juce::Array<juce::String> pieces (std::initializer_list<const char*> texts)
{
    juce::Array<juce::String> list;

    for (const auto* text : texts)
        list.add (text);

    return list;
}

TEST (TextFitting, SplitDropsEmptyPieces)
{
    EXPECT_EQ (splitAtSeparator ("  Fast   Forward ", " "), pieces ({ "Fast", "Forward" }));
    EXPECT_EQ (splitAtSeparator ("--a----b--", "--"), pieces ({ "a", "b" }));
    EXPECT_EQ (splitAtSeparator ("a-b", "--"), pieces ({ "a-b" }));
    EXPECT_EQ (splitAtSeparator ("   ", " "), pieces ({}));
    EXPECT_EQ (splitAtSeparator ("", " "), pieces ({}));
    EXPECT_EQ (splitAtSeparator ("a b", ""), pieces ({ "a b" })); // no endless loop
    EXPECT_EQ (splitAtSeparator ("", ""), pieces ({}));
}

TEST (TextFitting, JoinTexts)
{
    EXPECT_EQ (joinTexts ("cmd + ", "", "", ""), "cmd + ");
    EXPECT_EQ (joinTexts ("", "ctrl + ", "", "alt + "), "ctrl + alt + ");
    EXPECT_EQ (joinTexts (nullptr, "a", nullptr, "b"), "ab");
}

TEST (TextFitting, OneRowOrOneWord)
{
    EXPECT_EQ (fitTextToCells ("Play"), padded ("Play"));
    EXPECT_EQ (fitTextToCells (""), padded (""));
    EXPECT_EQ (fitTextToCells ("  Sel  1 "), padded ("Sel 1"));
    EXPECT_EQ (fitTextToCells ("abcdefghijklmnopqrst"), "abcdefghijklmnop");
    EXPECT_EQ (fitTextToCells ("Min:Sec/Bar/Beat"), "Min:Sec/Bar/Beat");
    EXPECT_EQ (fitTextToCells ("a verylongword"), padded ("a verylongword")); // runs on into the lower row
    EXPECT_EQ (fitTextToCells ("aaaa bbbb cccc dddd"), "aaaa bbbb cccc d"); // too long: cut
}

TEST (TextFitting, AHugeNameShowsItsFirstCellsWhateverItsLength)
{
    // A name of 200 KB from a map file froze the editor for seconds on every device-table build.
    EXPECT_EQ (fitTextToCells (juce::String::repeatedString ("ab ", 70000)), "ab ab ab ab ab a");
    EXPECT_EQ (fitTextToCells (juce::String::repeatedString ("x", 200000)), juce::String::repeatedString ("x", 16));
    EXPECT_EQ (fitTextToCells (juce::String::repeatedString ("  ", 100000) + "Play" + juce::String::repeatedString (" ", 100000)),
               padded ("Play"));

    // Only white space at the very end is trimmed, however long it is; the cut falls exactly at
    // the last cell.
    EXPECT_EQ (fitTextToCells ("abcdef ghij" + juce::String::repeatedString ("\t", 100)), "abcdef  ghij    ");
    EXPECT_EQ (fitTextToCells ("abcdefg hijklmno"), "abcdefg hijklmno");
    EXPECT_EQ (fitTextToCells ("abcdefg hijklmnop"), "abcdefg hijklmno");
    EXPECT_EQ (fitTextToCells ("a bb ccccccc dd"), "a bb ccccccc dd ");
    EXPECT_EQ (fitTextToCells ("a bb ccccccc ddd"), "a bb ccccccc ddd");
}

TEST (TextFitting, TwoWordsTakeOneRowEach)
{
    EXPECT_EQ (fitTextToCells ("  Fast   Forward "), "Fast    Forward ");
    EXPECT_EQ (fitTextToCells ("Name/ Value"), "Name/   Value   ");
    EXPECT_EQ (fitTextToCells ("Memory Location"), "Memory  Location");
    EXPECT_EQ (fitTextToCells ("Trans- port"), "Trans-  port    ");
}

TEST (TextFitting, ThreeWordsMoveOnlyWhenThereIsRoom)
{
    EXPECT_EQ (fitTextToCells ("ab cdefgh ij"), padded ("ab cdefgh ij")); // room 5 not below spare 4
    EXPECT_EQ (fitTextToCells ("a bb ccccccc"), "a bb    ccccccc ");
    EXPECT_EQ (fitTextToCells ("abc defg hi"), padded ("abc defghi")); // upper row full: no blank before "hi"
    EXPECT_EQ (fitTextToCells ("Read / Off"), "Read /  Off     ");
}

TEST (TextFitting, OtherSizesStayExact)
{
    EXPECT_EQ (fitTextToCells ("Name/ Value", 4, 1), "Name");
    EXPECT_EQ (fitTextToCells ("Name/ Value", 0, 2), "");
    EXPECT_EQ (fitTextToCells ("Name/ Value", -8, 2), "");
    EXPECT_EQ (fitTextToCells ("a b c", 8, 3), juce::String ("a b c").paddedRight (' ', 24));
    EXPECT_EQ (fitTextToCells ("Name/ Value", 8, 2, '/'), "Name//// Value//");
    EXPECT_EQ (fitTextToCells ("Play", 8, 2, 0), padded ("Play"));
    EXPECT_EQ (fitTextToCells ("Play", 100000, 100000).length(), 256 * 256);
}

TEST (DisplayTexts, AssignmentDisplayName)
{
    EXPECT_EQ (assignmentDisplayName (3, buttonClass, 0), "");
    EXPECT_EQ (assignmentDisplayName (2, 11, 5), "");
    EXPECT_EQ (assignmentDisplayName (0, 9, 5), "");
    EXPECT_EQ (assignmentDisplayName (19, 9, 5), "");
    EXPECT_EQ (assignmentDisplayName (1, 9, 52), "Name/ Value");
    EXPECT_EQ (assignmentDisplayName (14, 9, 94), "Play");
    EXPECT_EQ (assignmentDisplayName (1, 9, 128), "");
    EXPECT_EQ (assignmentDisplayName (1, 9, -1), "");
    EXPECT_EQ (assignmentDisplayName (3, buttonClass, 16), "Trans- port");
    EXPECT_EQ (assignmentDisplayName (3, buttonClass, 113), "(custom)");
    EXPECT_EQ (assignmentDisplayName (3, buttonClass, 114), "");
    EXPECT_EQ (assignmentDisplayName (3, faderClass, 8), "volumeM");
    EXPECT_EQ (assignmentDisplayName (3, faderClass, 9), "");
    EXPECT_EQ (assignmentDisplayName (3, knobClass, 7), "Pan 8");
    EXPECT_EQ (assignmentDisplayName (3, knobClass, 8), "");
    EXPECT_EQ (assignmentDisplayName (3, 9, 5), ""); // a nibble means nothing under HUI
    EXPECT_EQ (assignmentDisplayName (3, 5, 5), "");
}

TEST (DisplayTexts, DawControlName)
{
    EXPECT_EQ (dawControlName (3, buttonClass, 0), "(blank)");
    EXPECT_EQ (dawControlName (3, faderClass, 8), "volumeM");
    EXPECT_EQ (dawControlName (3, knobClass, 0), "Pan 1");
    EXPECT_EQ (dawControlName (3, 0, 1), "");
    EXPECT_EQ (dawControlName (1, knobClass, 94), "Play"); // the class does not matter off HUI
    EXPECT_EQ (dawControlName (2, 6, 45), "Dyn/ Fx/Aux");
    EXPECT_EQ (dawControlName (1, buttonClass, 128), "");
    EXPECT_EQ (dawControlName (0, buttonClass, 1), "");
    EXPECT_EQ (dawControlName (19, buttonClass, 1), "");
}

TEST (DisplayTexts, MidiAssignmentText)
{
    EXPECT_EQ (midiAssignmentText (9, 1, -1, {}), "Note");
    EXPECT_EQ (midiAssignmentText (9, 1, 60, {}), "Note 60");
    EXPECT_EQ (midiAssignmentText (8, 1, 0, {}), "Note 0");
    EXPECT_EQ (midiAssignmentText (14, 5, 0, {}), "PB 5");
    EXPECT_EQ (midiAssignmentText (11, 1, 7, {}), "CC 7");
    EXPECT_EQ (midiAssignmentText (12, 16, 3, {}), "PC 3");

    for (const int nibble : { 9, 11, 12, 14, 0 })
        EXPECT_EQ (midiAssignmentText (nibble, 1, 1, "Lead"), "Lead");
}

TEST (DisplayTexts, HotkeyEditorTexts)
{
    EXPECT_EQ (hotkeyModifierText (true, true, false, false, "F5", hotkeyKeyMode), "ctrl + shift + F5");
    EXPECT_EQ (hotkeyModifierText (true, true, true, true, "page up", hotkeyKeyMode), "cmd + ctrl + shift + alt + pageup");
    EXPECT_EQ (hotkeyModifierText (false, false, false, false, "page up", mouseKeyMode), "page up");

    EXPECT_EQ (hotkeyEntryText (false, false, true, true, "A", hotkeyKeyMode), "cmd+alt+A");
    EXPECT_EQ (hotkeyEntryText (true, false, false, false, "page up", mouseKeyMode), "ctrl+pageup");

    EXPECT_EQ (hotkeyButtonText (true, true, false, false, "page up", {}, hotkeyKeyMode), "ctrl+shift pageup");
    EXPECT_EQ (hotkeyButtonText (true, true, false, false, "page up", {}, mouseKeyMode), "ctrl+shift page up");
    EXPECT_EQ (hotkeyButtonText (false, false, true, true, "+", {}, hotkeyKeyMode), "cmd+alt +");
    EXPECT_EQ (hotkeyButtonText (false, false, false, false, "page up", {}, hotkeyKeyMode), "pageup");
    EXPECT_EQ (hotkeyButtonText (true, false, false, false, "A", "Copy", hotkeyKeyMode), "Copy");
}

TEST (DisplayTexts, ShortHotkeyTextsShrinkTheModifiers)
{
    EXPECT_EQ (shortHotkeyText (false, false, false, false, "page up", {}, hotkeyKeyMode), padded ("pageup"));
    EXPECT_EQ (shortHotkeyText (true, false, false, false, "F5", {}, hotkeyKeyMode), padded ("Ctrl F5"));
    EXPECT_EQ (shortHotkeyText (false, false, false, true, "Spacebar", {}, hotkeyKeyMode), "Cmd     Spacebar");
    EXPECT_EQ (shortHotkeyText (true, true, false, false, "Tab", {}, hotkeyKeyMode), padded ("Ctl+Sft Tab"));
    EXPECT_EQ (shortHotkeyText (false, false, true, true, "X", {}, hotkeyKeyMode), padded ("Cmd+Alt X"));
    EXPECT_EQ (shortHotkeyText (true, true, false, true, "F12", {}, hotkeyKeyMode), padded ("Cm+Ct+SfF12"));
    EXPECT_EQ (shortHotkeyText (true, true, true, false, "F12", {}, hotkeyKeyMode), padded ("Ct+Sf+AlF12"));
    EXPECT_EQ (shortHotkeyText (true, true, true, true, "F12", {}, hotkeyKeyMode), padded ("CmCtSfAlF12"));
    EXPECT_EQ (shortHotkeyText (true, true, true, true, "F12", "Mark In", hotkeyKeyMode), padded ("Mark In"));
    EXPECT_EQ (shortHotkeyText (true, false, false, false, "A", "Select All", hotkeyKeyMode), "Select  All     ");
}

TEST (DisplayTexts, CellTextOfAnEntry)
{
    juce::ValueTree entry (mapIds::ctl);
    EXPECT_EQ (hotkeyCellText (entry), padded ("")); // no properties at all
    EXPECT_EQ (hotkeyCellText (juce::ValueTree()), padded (""));

    entry.setProperty (mapIds::valueType, "nil", nullptr);
    EXPECT_EQ (hotkeyCellText (entry), padded (""));

    entry.setProperty (mapIds::valueType, "func", nullptr).setProperty (mapIds::name, "Name/ Value", nullptr);
    EXPECT_EQ (hotkeyCellText (entry), "Name/   Value   ");

    // A hotkey as a map file gives it back: every property a text.
    entry.setProperty (mapIds::valueType, "hotkey", nullptr)
        .setProperty (mapIds::name, "", nullptr)
        .setProperty (mapIds::ctrl, "1", nullptr)
        .setProperty (mapIds::shift, "1", nullptr)
        .setProperty (mapIds::alt, "0", nullptr)
        .setProperty (mapIds::cmd, "0", nullptr)
        .setProperty (mapIds::keyName, "page up", nullptr);
    EXPECT_EQ (hotkeyCellText (entry), "Ctl+Sft pageup  ");

    entry.setProperty (mapIds::ctrl, 0, nullptr).setProperty (mapIds::shift, 0, nullptr);
    EXPECT_EQ (hotkeyCellText (entry), padded ("pageup"));

    entry.setProperty (mapIds::name, "Select All", nullptr);
    EXPECT_EQ (hotkeyCellText (entry), "Select  All     ");
}

TEST (DisplayTexts, EveryCellTextIsSixteenCharacters)
{
    for (int daw = 1; daw <= dawCount; ++daw)
        for (int code = 0; code < functionCodeCount; ++code)
            EXPECT_EQ (fitTextToCells (workstationFunctionNames (daw, code)).length(), 16) << daw << " " << code;

    for (int held = 0; held < 16; ++held)
        for (const auto* key : { "", "A", "page up", "Spacebar", "cursor right", "numpad 1 and end" })
            for (const int mode : { hotkeyKeyMode, mouseKeyMode })
                EXPECT_EQ (shortHotkeyText (held & 1, held & 2, held & 4, held & 8, key, {}, mode).length(), 16) << held << key;
}

TEST (DisplayTexts, EveryLookupIsTotal)
{
    const int interesting[] = { -1000, -1, 0, 1, 2, 3, 4, 9, 11, 14, 18, 19, 113, 114, 127, 128, 1000 };

    for (int value = -1000; value <= 1000; ++value)
    {
        EXPECT_EQ (huiFaderNames (value).isNotEmpty(), value >= 0 && value < huiFaderCount);
        EXPECT_EQ (huiKnobNames (value).isNotEmpty(), value >= 0 && value < huiKnobCount);
        EXPECT_FALSE (midiAssignmentText (value, value, value, {}).isEmpty());

        for (const int other : interesting)
        {
            const auto someDaw = isDawId (value) || isDawId (other);
            EXPECT_TRUE (someDaw || workstationFunctionNames (value, other).isEmpty());
            EXPECT_TRUE (someDaw || workstationFunctionNames (other, value).isEmpty());
            EXPECT_TRUE (isDawId (value) || dawControlName (value, other, other).isEmpty());

            for (const int third : interesting)
            {
                const auto named =
                    assignmentDisplayName (value, other, third).isNotEmpty() || assignmentDisplayName (other, value, third).isNotEmpty()
                    || assignmentDisplayName (other, third, value).isNotEmpty() || dawControlName (other, value, third).isNotEmpty()
                    || dawControlName (other, third, value).isNotEmpty();
                EXPECT_TRUE (someDaw || isDawId (third) || ! named);
            }
        }

        for (const int rows : { -1, 0, 1, 2, 3 })
        {
            const auto expected = juce::jlimit (0, 256, value) * rows * (rows > 0 ? 1 : 0);
            EXPECT_EQ (fitTextToCells ("a bb ccccccc dd", value, rows).length(), expected);
            EXPECT_EQ (fitTextToCells ("Name/ Value", rows, value).length(), expected);
        }

        EXPECT_EQ (shortHotkeyText (true, false, true, false, "page up", {}, value).length(), 16);
    }
}
} // namespace
