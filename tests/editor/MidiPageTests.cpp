#include "editor/MidiValueNames.h"
#include "link/Host.h"
#include "map/DisplayTexts.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "map/WorkstationFunctionNames.h"
#include "tests/editor/PagesHarness.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using Marks = std::array<juce::uint8, 3>;

class MidiPageTest : public corvix::testing::PagesTest
{
protected:
    MidiPageTest() { chooseWorkstation (2); }

    MidiPage& page() { return pages->midiPage; }

    /** The user picks a list's item at a position. */
    void pick (juce::ComboBox& list, int position) { list.setSelectedItemIndex (position, juce::sendNotificationSync); }

    juce::StringArray items (juce::ComboBox& list)
    {
        juce::StringArray texts;
        for (int i = 0; i < list.getNumItems(); ++i)
            texts.add (list.getItemText (i));
        return texts;
    }

    /** Every entry of the current slot but the given controls, as it is now. */
    std::vector<juce::ValueTree> othersThan (std::initializer_list<int> skipped)
    {
        std::vector<juce::ValueTree> copies;
        for (int id = 1; id <= 226; ++id)
            copies.push_back (std::find (skipped.begin(), skipped.end(), id) == skipped.end() ? entry (id).createCopy()
                                                                                              : juce::ValueTree());
        return copies;
    }

    void expectUnchanged (const std::vector<juce::ValueTree>& before)
    {
        for (int id = 1; id <= 226; ++id)
        {
            if (before[(size_t) id - 1].isValid())
            {
                EXPECT_TRUE (entry (id).isEquivalentTo (before[(size_t) id - 1])) << "control " << id;
            }
        }
    }
};

TEST_F (MidiPageTest, TheListsOfAMidiAssignment)
{
    setMidi (50, "cc", 3, 7);
    pages->select (50);

    EXPECT_EQ (items (page().getTypeList()), (juce::StringArray{ "Note", "CC", "Program Change", "Pitch Bend" }));
    EXPECT_EQ (page().getTypeList().getSelectedItemIndex(), 1);
    EXPECT_EQ (page().getChannelList().getNumItems(), 16);
    EXPECT_EQ (page().getChannelList().getSelectedId(), 3);
    ASSERT_EQ (page().getValueList().getNumItems(), 128);
    EXPECT_EQ (page().getValueList().getItemText (7), "7) Volume*(GM)");
    EXPECT_EQ (page().getValueList().getItemText (3), "3) --");
    EXPECT_EQ (page().getValueList().getSelectedItemIndex(), 7);
    EXPECT_TRUE (page().getValueList().isEnabled());
    EXPECT_FALSE (page().getRotationList().isVisible()) << "a button has no rotation";
    EXPECT_TRUE (page().getNameField().isVisible());
    EXPECT_EQ (page().getTypeHeader().getText(), "Message Type");

    setMidi (51, "note", 1, 60);
    pages->select (51);
    EXPECT_EQ (page().getValueList().getItemText (60), "60)  C4");
    EXPECT_EQ (page().getValueList().getItemText (61), "61) C#4");

    setMidi (52, "program", 1, 5);
    pages->select (52);
    EXPECT_EQ (page().getValueList().getItemText (5), "5) ---");
}

TEST_F (MidiPageTest, AKnobOfAnOrdinaryWorkstationHasARotationPatternAndNoName)
{
    setMidi (165, "cc", 1, 20);
    entry (165).setProperty (mapIds::rotate, 2, nullptr);
    pages->select (165);

    EXPECT_TRUE (page().getRotationList().isVisible());
    EXPECT_EQ (items (page().getRotationList()), (juce::StringArray{ "1) Incremental", "2) Numerical" }));
    EXPECT_EQ (page().getRotationList().getSelectedId(), 2);
    EXPECT_FALSE (page().getNameField().isVisible());
    EXPECT_EQ (page().getNameTitle().getY(), 392);

    pick (page().getRotationList(), 0);
    EXPECT_EQ (static_cast<int> (entry (165).getProperty (mapIds::rotate)), 1);

    pages->select (186);
    EXPECT_FALSE (page().getRotationList().isVisible()) << "a fader has none";
}

TEST_F (MidiPageTest, ChoosingATypeWithoutChannelTakesChannelOne)
{
    entry (53).setProperty (mapIds::valueType, "nil", nullptr).removeProperty (mapIds::chan, nullptr);
    pages->select (53);
    ASSERT_EQ (page().getChannelList().getSelectedId(), 0);

    page().getChannelList().setSelectedId (0, juce::dontSendNotification);
    pick (page().getTypeList(), 1);

    EXPECT_EQ (entry (53).getProperty (mapIds::type).toString(), "cc");
    EXPECT_EQ (static_cast<int> (entry (53).getProperty (mapIds::chan)), 1);
    EXPECT_EQ (page().getChannelList().getSelectedId(), 1);
}

TEST_F (MidiPageTest, AChangeAppliesTheAssignmentAndNamesItByItsCaption)
{
    setMidi (54, "note", 2, 10);
    auto& control = pages->select (54);

    pick (page().getTypeList(), 1);
    pick (page().getValueList(), 7);

    const auto e = entry (54);
    EXPECT_EQ (e.getProperty (mapIds::valueType).toString(), "midi");
    EXPECT_EQ (e.getProperty (mapIds::type).toString(), "cc");
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::value)), 7);
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::msgValue)), 7);
    EXPECT_EQ (e.getProperty (mapIds::name).toString(), "CC 7");
    EXPECT_EQ (control.getButtonText(), "CC 7");
    EXPECT_EQ (slotDirty, (Marks{ 1, 0, 0 }));
}

TEST_F (MidiPageTest, PitchBendKeepsTheValueAndOffersNoneToChoose)
{
    setMidi (55, "note", 1, 42);
    pages->select (55);

    pick (page().getTypeList(), 3);

    EXPECT_EQ (entry (55).getProperty (mapIds::type).toString(), "pitch");
    EXPECT_EQ (static_cast<int> (entry (55).getProperty (mapIds::value)), 42);
    EXPECT_EQ (static_cast<int> (entry (55).getProperty (mapIds::msgValue)), 42);
    EXPECT_EQ (page().getValueList().getSelectedItemIndex(), 0);
    EXPECT_FALSE (page().getValueList().isEnabled());
}

TEST_F (MidiPageTest, AUserNameSurvivesListEditsAndAnEmptyOneGivesWayToTheCaption)
{
    setMidi (56, "cc", 1, 1);
    auto& control = pages->select (56);

    page().getNameField().setText ("Filter", juce::sendNotificationSync);
    EXPECT_EQ (entry (56).getProperty (mapIds::name).toString(), "Filter");
    EXPECT_TRUE (static_cast<bool> (entry (56).getProperty (mapIds::diyNameQ)));

    pick (page().getValueList(), 74);
    EXPECT_EQ (entry (56).getProperty (mapIds::name).toString(), "Filter");
    EXPECT_EQ (control.getButtonText(), "Filter");

    page().getNameField().setText ("", juce::sendNotificationSync);
    pick (page().getValueList(), 75);
    EXPECT_EQ (entry (56).getProperty (mapIds::name).toString(), "CC 75");
}

TEST_F (MidiPageTest, ANameWithACharacterOf127OrMoreIsNotStored)
{
    setMidi (57, "cc", 1, 1);
    pages->select (57);
    page().getNameField().setText ("Good", juce::sendNotificationSync);

    page().getNameField().setText (juce::String::fromUTF8 ("Gr\xc3\xbcn"), juce::sendNotificationSync);
    EXPECT_EQ (entry (57).getProperty (mapIds::name).toString(), "Good");

    page().getNameField().setText (juce::String::charToString (127), juce::sendNotificationSync);
    EXPECT_EQ (entry (57).getProperty (mapIds::name).toString(), "Good");
}

//==============================================================================
class HuiMidiPage : public MidiPageTest
{
protected:
    HuiMidiPage() { chooseWorkstation (3); }
};

TEST_F (HuiMidiPage, FadersKnobsAndButtonsOfferTheirHuiChoices)
{
    pages->select (183);
    EXPECT_EQ (page().getTypeList().getNumItems(), 9);
    EXPECT_EQ (page().getTypeList().getItemText (8), "8) volumeM");
    EXPECT_FALSE (page().getChannelList().isVisible());
    EXPECT_EQ (page().getTypeHeader().getText(), "Function");

    pages->select (164);
    EXPECT_EQ (page().getTypeList().getNumItems(), 8);
    EXPECT_EQ (page().getTypeList().getItemText (0), "0) Pan 1");
    EXPECT_FALSE (page().getRotationList().isVisible());

    pages->select (60);
    ASSERT_EQ (page().getTypeList().getNumItems(), 114);
    EXPECT_EQ (page().getTypeList().getItemText (0), "0) (blank)");
    EXPECT_EQ (page().getChannelList().getNumItems(), 30);
    EXPECT_EQ (page().getChannelList().getItemText (29), "0x1D");
    EXPECT_EQ (items (page().getValueList()),
               (juce::StringArray{ "0x00", "0x01", "0x40", "0x41", "0x42", "0x43", "0x44", "0x45", "0x46", "0x47", "0x48" }));
    EXPECT_TRUE (page().getChannelList().isVisible());
    EXPECT_EQ (page().getChannelHeader().getText(), "Value 1");
}

TEST_F (HuiMidiPage, AFaderTakesAChannel)
{
    pages->select (183);
    pick (page().getTypeList(), 4);

    const auto e = entry (183);
    EXPECT_EQ (e.getProperty (mapIds::valueType).toString(), "hui");
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::val1)), 32);
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::val2)), 4);
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::value)), 4);
    EXPECT_EQ (e.getProperty (mapIds::name).toString(), "Volume 5");
    EXPECT_EQ (slotDirty, (Marks{ 1, 0, 0 }));
}

TEST_F (HuiMidiPage, PortsAtAndAbove0x40AreShownAtTheirListPositions)
{
    entry (61)
        .setProperty (mapIds::valueType, "hui", nullptr)
        .setProperty (mapIds::val1, 5, nullptr)
        .setProperty (mapIds::val2, 0x40, nullptr);
    pages->select (61);
    EXPECT_EQ (page().getValueList().getSelectedItemIndex(), 2);

    entry (61).setProperty (mapIds::val2, 0x48, nullptr);
    pages->select (61);
    EXPECT_EQ (page().getValueList().getSelectedItemIndex(), 10);
    EXPECT_EQ (page().getChannelList().getSelectedItemIndex(), 5);
}

TEST_F (HuiMidiPage, AZoneAndPortPairNamesItsFunctionOrACustomLabel)
{
    pages->select (62);

    pick (page().getChannelList(), 0x0E);
    pick (page().getValueList(), 5); // 0x43
    EXPECT_EQ (page().getTypeList().getSelectedItemIndex(), 1);
    EXPECT_EQ (static_cast<int> (entry (62).getProperty (mapIds::value)), 1);
    EXPECT_EQ (entry (62).getProperty (mapIds::name).toString(), workstationFunctionNames (3, 1).trim());

    pick (page().getValueList(), 9); // 0x47: no function has (0x0E, 0x47)
    EXPECT_EQ (page().getTypeList().getSelectedItemIndex(), 113);
    EXPECT_EQ (static_cast<int> (entry (62).getProperty (mapIds::value)), 113);
    // The pair's own label names it, on the button and for the unit's display.
    EXPECT_EQ (entry (62).getProperty (mapIds::name).toString(), "#3655");
    EXPECT_EQ (pages->control (62).getShownCaption(), "#3655");
    EXPECT_EQ (page().getNameField().getText(), "#3655");
    EXPECT_EQ (hotkeyCellText (entry (62)).trim(), "#3655") << "the unit's display cell";
    EXPECT_EQ (static_cast<int> (entry (62).getProperty (mapIds::val1)), 0x0E);
    EXPECT_EQ (static_cast<int> (entry (62).getProperty (mapIds::val2)), 0x47);
    EXPECT_EQ (entry (62).getProperty (mapIds::valueType).toString(), "hui");
}

TEST_F (HuiMidiPage, ChoosingAFunctionSelectsItsZoneAndPort)
{
    pages->select (63);
    pick (page().getTypeList(), 7); // (8, 64)

    EXPECT_EQ (page().getChannelList().getSelectedItemIndex(), 8);
    EXPECT_EQ (page().getValueList().getSelectedItemIndex(), 2);
    EXPECT_EQ (static_cast<int> (entry (63).getProperty (mapIds::val1)), 8);
    EXPECT_EQ (static_cast<int> (entry (63).getProperty (mapIds::val2)), 64);
    EXPECT_EQ (static_cast<int> (entry (63).getProperty (mapIds::value)), 7);
}

TEST_F (HuiMidiPage, BlankClearsTheZoneAndPortButStillAppliesTheEntry)
{
    pages->select (64);
    pick (page().getTypeList(), 7);
    pick (page().getTypeList(), 0);

    const auto e = entry (64);
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::val1)), -1);
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::val2)), -1);
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::value)), 0);
    EXPECT_EQ (e.getProperty (mapIds::valueType).toString(), "hui");
    EXPECT_EQ (page().getChannelList().getSelectedId(), 0);
    EXPECT_EQ (page().getValueList().getSelectedId(), 0);
}

TEST_F (HuiMidiPage, AFixedHuiButtonIsNotEditedNorThroughAButtonLinkedToItNorByItsColumn)
{
    entry (81).setProperty (mapIds::lockBy, 74, nullptr);
    const auto before = entry (74).createCopy();
    const auto linkedBefore = entry (81).createCopy();

    for (int id : { 74, 81 })
    {
        pages->select (id);
        pick (page().getTypeList(), 7);
        page().getNameField().setText ("Mine", juce::sendNotificationSync);
    }

    EXPECT_TRUE (entry (74).isEquivalentTo (before));
    EXPECT_TRUE (entry (81).isEquivalentTo (linkedBefore));
    EXPECT_EQ (slotDirty, (Marks{ 0, 0, 0 }));

    // A linked button whose column holds a fixed button passes its edit on to the column's other rows only.
    entry (70).setProperty (mapIds::lockBy, 71, nullptr);
    const auto fixedInColumn = entry (46).createCopy();
    pages->select (70);
    pick (page().getTypeList(), 7);

    EXPECT_TRUE (entry (46).isEquivalentTo (fixedInColumn));
    for (int id : { 70, 94, 118, 142 })
        EXPECT_EQ (static_cast<int> (entry (id).getProperty (mapIds::value)), 7) << id;
}

//==============================================================================
TEST_F (MidiPageTest, ALinkedButtonPassesItsEditOnToItsColumnOfTheFiveRows)
{
    setMidi (45, "cc", 1, 1);
    entry (69).setProperty (mapIds::lockBy, 45, nullptr);
    const auto untouched = othersThan ({ 45, 69, 93, 117, 141 });
    pages->select (69);

    pick (page().getValueList(), 30);

    for (int id : { 45, 69, 93, 117, 141 })
    {
        EXPECT_EQ (static_cast<int> (entry (id).getProperty (mapIds::id)), id);
        EXPECT_EQ (entry (id).getProperty (mapIds::valueType).toString(), "midi") << id;
        EXPECT_EQ (static_cast<int> (entry (id).getProperty (mapIds::msgValue)), 30) << id;
    }

    expectUnchanged (untouched);
}

TEST_F (MidiPageTest, ALinkedButtonShowsAndEditsTheEntryItShares)
{
    setMidi (45, "note", 9, 99);
    setMidi (69, "cc", 2, 11);
    entry (69).setProperty (mapIds::lockBy, 45, nullptr);
    pages->select (69);

    EXPECT_EQ (page().getTypeList().getSelectedItemIndex(), 0);
    EXPECT_EQ (page().getChannelList().getSelectedId(), 9);
    EXPECT_EQ (page().getValueList().getSelectedItemIndex(), 99);

    // The edit starts from what the page shows: the shared note, not the button's own controller.
    pick (page().getChannelList(), 4);

    for (int id : { 45, 69 })
    {
        EXPECT_EQ (entry (id).getProperty (mapIds::type).toString(), "note") << id;
        EXPECT_EQ (static_cast<int> (entry (id).getProperty (mapIds::chan)), 5) << id;
        EXPECT_EQ (static_cast<int> (entry (id).getProperty (mapIds::msgValue)), 99) << id;
    }

    EXPECT_EQ (static_cast<int> (entry (69).getProperty (mapIds::lockBy)), 45) << "the button stays linked";
    EXPECT_EQ (page().getChannelList().getSelectedId(), 5) << "after the rebuild the list shows what was stored";
    EXPECT_EQ (page().getValueList().getSelectedItemIndex(), 99);
}

TEST_F (MidiPageTest, ALinkOutsideTheButtonRowsReachesTheSharedEntryAndNoRow)
{
    for (int id : { 5, 160, 185, 200 })
    {
        setMidi (3, "cc", 1, 1);
        entry (id).setProperty (mapIds::lockBy, 3, nullptr);
        const auto untouched = othersThan ({ id, 3 });
        pages->select (id);

        pick (page().getValueList(), 12);

        for (int edited : { id, 3 })
            EXPECT_EQ (static_cast<int> (entry (edited).getProperty (mapIds::msgValue)), 12) << id;
        EXPECT_FALSE (entry (3).hasProperty (mapIds::lockBy)) << "the shared entry gains no link";
        expectUnchanged (untouched);
        page().getNameField().setText ("x" + juce::String (id), juce::sendNotificationSync);
        EXPECT_EQ (entry (3).getProperty (mapIds::name).toString(), "x" + juce::String (id));
        expectUnchanged (untouched);
    }
}

TEST_F (MidiPageTest, AnUnlinkedButtonTouchesNoOtherControl)
{
    setMidi (70, "cc", 1, 1);
    const auto untouched = othersThan ({ 70 });
    pages->select (70);
    pick (page().getValueList(), 40);
    page().getNameField().setText ("Alone", juce::sendNotificationSync);
    expectUnchanged (untouched);
}
} // namespace
