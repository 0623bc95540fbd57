#include "editor/FittedCaptionLookAndFeel.h"
#include "tests/editor/DrawnText.h"

#include <gtest/gtest.h>

namespace
{
using corvix::testing::drawsWhole;

/** A button of the mixer's grid, 52 x 32, in the look. */
class FittedCaption : public ::testing::Test
{
protected:
    FittedCaption()
    {
        button.setBounds (0, 0, 52, 32);
        button.setLookAndFeel (&look);
    }

    ~FittedCaption() override { button.setLookAndFeel (nullptr); }

    float captionHeight (const juce::String& caption)
    {
        button.setButtonText (caption);
        return look.getTextButtonFont (button, button.getHeight()).getHeight();
    }

    FittedCaptionLookAndFeel look;
    juce::TextButton button;
};

TEST_F (FittedCaption, ACaptionThatFitsKeepsTheFrameworksFontAndOnlyOneThatDoesNotShrinks)
{
    juce::LookAndFeel_V4 framework;
    const auto standard = framework.getTextButtonFont (button, 32).getHeight();

    EXPECT_EQ (captionHeight ("REC 1"), standard);
    EXPECT_EQ (captionHeight (""), standard);

    button.setLookAndFeel (&framework);
    button.setButtonText ("MUTE1");
    ASSERT_FALSE (drawsWhole (button, "MUTE1")) << "cut short in the framework's font";
    button.setLookAndFeel (&look);

    EXPECT_LT (captionHeight ("MUTE1"), standard);
    EXPECT_GE (captionHeight ("MUTE1"), 12.0f) << "shrunk no further than it needs";
    EXPECT_TRUE (drawsWhole (button, "MUTE1"));
}

TEST_F (FittedCaption, ACaptionBreaksOnlyBetweenWordsAndALongWordShrinksInstead)
{
    // The function grid's 63 x 37 and the mixer's 52 x 32.
    for (auto size : { juce::Point<int> (63, 37), juce::Point<int> (52, 32) })
    {
        button.setSize (size.x, size.y);

        for (auto caption : { "ctrl+shift F5", "BeatDete -ctive", "ctrl+alt PageDown", "Snapshot" })
        {
            captionHeight (caption);
            EXPECT_TRUE (drawsWhole (button, caption)) << caption << " on " << size.x << " x " << size.y;
        }
    }

    // What the check guards against: the framework's own layout splits a word it cannot fit.
    juce::LookAndFeel_V4 framework;
    button.setLookAndFeel (&framework);
    button.setSize (63, 37);
    button.setButtonText ("ctrl+shift F5");
    EXPECT_FALSE (drawsWhole (button, "ctrl+shift F5"));
    button.setLookAndFeel (&look);
}

TEST_F (FittedCaption, ACaptionTooLongForTheSmallestFontIsCutShortInIt)
{
    EXPECT_EQ (captionHeight ("Pneumonoultramicroscopicsilicovolcanoconiosis"), FittedCaptionLookAndFeel::smallestCaptionHeight);
    EXPECT_FALSE (drawsWhole (button, "Pneumonoultramicroscopicsilicovolcanoconiosis"));

    button.setSize (0, 32);
    EXPECT_EQ (captionHeight ("A"), FittedCaptionLookAndFeel::smallestCaptionHeight) << "no room for any text";
}

TEST (FittedCaptionChooser, TheChoosersTextIsSmallerAndKeepsANarrowMargin)
{
    FittedCaptionLookAndFeel look;
    juce::ComboBox chooser;
    chooser.setLookAndFeel (&look);
    chooser.addItem ("Master", 1);
    chooser.setSelectedId (1, juce::dontSendNotification);
    chooser.setBounds (0, 0, 71, 28);

    auto* label = dynamic_cast<juce::Label*> (chooser.getChildComponent (0));
    ASSERT_NE (label, nullptr);
    EXPECT_EQ (label->getFont().getHeight(), FittedCaptionLookAndFeel::largestChooserTextHeight);
    EXPECT_EQ (label->getBounds(), juce::Rectangle<int> (1, 1, 41, 26)) << "the arrow keeps its 30 pixels";
    EXPECT_EQ (label->getBorderSize(), juce::BorderSize<int> (1, 2, 1, 2));
    EXPECT_TRUE (drawsWhole (chooser, "Master"));

    chooser.setBounds (0, 0, 71, 12);
    EXPECT_FLOAT_EQ (label->getFont().getHeight(), 12 * 0.85f) << "a low chooser's text follows its height";
    chooser.setLookAndFeel (nullptr);
}
} // namespace
