#include "editor/MappableButton.h"
#include "tests/editor/EditorTestSupport.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
namespace ids = NsOrvelA::mapIds;

class Caption : public corvix::testing::EditorTest
{
protected:
    Caption() { chooseWorkstation (1, 1); }

    juce::String captionOf (int controlId)
    {
        MappableButton button;
        button.setControlNumber (controlId);
        return button.makeCaption();
    }

    void assign (int controlId, const juce::String& valueType, std::initializer_list<std::pair<juce::Identifier, juce::var>> properties)
    {
        auto e = entry (controlId);
        e.setProperty (ids::valueType, valueType, nullptr);

        for (auto& [name, v] : properties)
            e.setProperty (name, v, nullptr);
    }
};

TEST_F (Caption, UnassignedAndFunctionEntriesShowTheirName)
{
    assign (40, "nil", { { ids::name, "" } });
    EXPECT_EQ (captionOf (40), "");

    assign (40, "func", { { ids::name, "Play" } });
    EXPECT_EQ (captionOf (40), "Play");

    assign (41, "something else", { { ids::name, "Stop" } });
    EXPECT_EQ (captionOf (41), "Stop");
}

TEST_F (Caption, ANullEntryShowsNothingWhateverItsName)
{
    assign (40, "null", { { ids::name, "Play" } });
    EXPECT_EQ (captionOf (40), "");
}

TEST_F (Caption, HotkeysDropTheBlanksOfTheKeyNameAndMouseActionsKeepThem)
{
    assign (40, "hotkey", { { ids::ctrl, 1 }, { ids::shift, 1 }, { ids::keyName, "page up" }, { ids::name, "" } });
    EXPECT_EQ (captionOf (40), "ctrl+shift pageup");

    assign (41, "mouse", { { ids::keyName, "wheel up" }, { ids::name, "" } });
    EXPECT_EQ (captionOf (41), "wheel up");

    assign (42, "hotkey", { { ids::ctrl, 1 }, { ids::keyName, "F5" }, { ids::name, "Save" } });
    EXPECT_EQ (captionOf (42), "Save");
}

TEST_F (Caption, MidiEntriesShowTheirMessageUnlessNamed)
{
    assign (40, "midi", { { ids::type, "cc" }, { ids::chan, 1 }, { ids::msgValue, 7 }, { ids::name, "" } });
    EXPECT_EQ (captionOf (40), "CC 7");

    assign (41, "midi", { { ids::type, "note" }, { ids::chan, 1 }, { ids::msgValue, 60 }, { ids::name, "Kick" } });
    EXPECT_EQ (captionOf (41), "Kick");
}

TEST_F (Caption, HuiEntriesShowTheWorkstationsNameUnlessTheUserNamedThem)
{
    chooseWorkstation (1, huiDawId);

    assign (163, "hui", { { ids::value, 2 }, { ids::name, "My pan" }, { ids::diyNameQ, false } });
    EXPECT_EQ (captionOf (163), "Pan 3");

    assign (163, "hui", { { ids::diyNameQ, true } });
    EXPECT_EQ (captionOf (163), "My pan");

    // Under the HUI workstation control 171 is a button, not a knob.
    assign (171, "hui", { { ids::value, 2 }, { ids::diyNameQ, false } });
    EXPECT_EQ (captionOf (171), "Play");
}

TEST_F (Caption, NoWorkstationMeansNoCaption)
{
    assign (40, "func", { { ids::name, "Play" } });
    chooseWorkstation (1, 0);
    EXPECT_EQ (captionOf (40), "");
    chooseWorkstation (1, 19);
    EXPECT_EQ (captionOf (40), "");
}

TEST_F (Caption, FollowsTheCurrentSlotWithoutRebinding)
{
    chooseWorkstation (2, 4);
    assign (40, "func", { { ids::name, "Play" } });
    map().controlEntry (40, 2).setProperty (ids::name, "Rewind", nullptr);

    MappableButton button;
    button.bindEntry (entry (40));
    EXPECT_EQ (button.getControlNumber(), 40);
    EXPECT_EQ (button.getButtonText(), "Play");

    host->setUnitCurrentSlot (2);
    button.refreshCaption();
    EXPECT_EQ (button.getButtonText(), "Rewind");
}

TEST_F (Caption, AUnitOrSlotThatNamesNothingShowsNothing)
{
    assign (40, "func", { { ids::name, "Play" } });

    map().deviceNode().setProperty (ids::current, 0, nullptr);
    EXPECT_EQ (captionOf (40), "");

    map().getTree().setProperty (ids::current, 0, nullptr);
    EXPECT_EQ (captionOf (40), "");

    map().getTree().setProperty (ids::current, 9, nullptr);
    EXPECT_EQ (captionOf (40), "");
}

TEST_F (Caption, GoesOntoTheCaptionLabelWhenThereIsOne)
{
    assign (181, "func", { { ids::name, "Volume" } });
    juce::Label label;
    MappableButton button ("fader");
    button.setCaptionLabel (&label);
    button.setControlNumber (181);
    button.refreshCaption();

    EXPECT_EQ (label.getText(), "Volume");
    EXPECT_EQ (button.getButtonText(), "fader");
    EXPECT_EQ (button.getShownCaption(), "Volume");

    button.setCaptionLabel (nullptr);
    button.setCaption ("Pan");
    EXPECT_EQ (button.getButtonText(), "Pan");
    EXPECT_EQ (label.getText(), "Volume");
}

TEST_F (Caption, TheSelectionForgetsAButtonThatGoes)
{
    {
        MappableButton button;
        currentControl = &button;
    }
    EXPECT_EQ (currentControl, nullptr);
}
} // namespace
