#include "editor/CorvixLookAndFeel.h"
#include "editor/LookAndFeelUsers.h"
#include "editor/ModeComboBox.h"
#include "map/SharedEditingState.h"
#include "tests/support/GuiHarness.h"

#include <gtest/gtest.h>

namespace
{
using corvix::testing::GuiHarness;

constexpr juce::uint32 grey = 0xff484848;

/** Draws a button's background alone into a transparent image, as the look paints it. */
class ButtonPicture : public ::testing::Test
{
protected:
    ButtonPicture()
    {
        button.setBounds (0, 0, 60, 30);
        button.setLookAndFeel (&look);
    }

    ~ButtonPicture() override { button.setLookAndFeel (nullptr); }

    juce::Image draw (bool highlighted = false, bool down = false, juce::Colour colour = juce::Colour (grey))
    {
        juce::Image image (juce::Image::ARGB, 60, 30, true);
        juce::Graphics g (image);
        look.drawButtonBackground (g, button, colour, highlighted, down);
        return image;
    }

    static juce::Colour centre (const juce::Image& image) { return image.getPixelAt (30, 15); }
    static juce::Colour topEdge (const juce::Image& image, int row) { return image.getPixelAt (30, row); }

    CorvixLookAndFeel look;
    juce::TextButton button;
};

TEST_F (ButtonPicture, AnIdleButtonIsItsLessSaturatedColourWithAThinOutline)
{
    look.setOutlineColour (juce::Colours::yellow);
    const auto picture = draw (false, false, juce::Colour (0xff3060c0));

    EXPECT_EQ (centre (picture), juce::Colour (0xff3060c0).withMultipliedSaturation (0.9f));
    EXPECT_EQ (topEdge (picture, 0).getRed(), 255) << "a 1-pixel outline centred half a pixel in";
    EXPECT_EQ (topEdge (picture, 0).getGreen(), 255);
    EXPECT_EQ (topEdge (picture, 2), centre (picture)) << "nothing but fill below the outline";
}

TEST_F (ButtonPicture, AToggledButtonGetsTheThickAccentOutlineButNoContrast)
{
    button.setToggleState (true, juce::dontSendNotification);
    const auto picture = draw();

    EXPECT_EQ (centre (picture), juce::Colour (grey).withMultipliedSaturation (0.9f)) << "no contrast step";
    EXPECT_EQ (topEdge (picture, 1), juce::Colour (CorvixLookAndFeel::skyBlue));
    EXPECT_NE (topEdge (picture, 3), juce::Colour (CorvixLookAndFeel::skyBlue));
}

TEST_F (ButtonPicture, PressedAndHoveredButtonsContrast)
{
    const auto base = juce::Colour (grey).withMultipliedSaturation (0.9f);
    EXPECT_EQ (centre (draw (false, true)), base.contrasting (0.2f));
    EXPECT_EQ (centre (draw (true, false)), base.contrasting (0.05f));
    EXPECT_EQ (topEdge (draw (true, false), 1), juce::Colour (CorvixLookAndFeel::skyBlue));
}

TEST_F (ButtonPicture, ADisabledButtonIsHalfTransparentAndAFocusedOneMoreSaturated)
{
    const auto colour = juce::Colour (0xff3060c0);
    button.setEnabled (false);
    EXPECT_NEAR (centre (draw (false, false, colour)).getAlpha(), 128, 1);

    button.setEnabled (true);
    juce::Component parent;
    parent.setBounds (0, 0, 100, 100);
    parent.addAndMakeVisible (button);
    GuiHarness window (parent);
    button.setWantsKeyboardFocus (true);
    button.grabKeyboardFocus();
    GuiHarness::pump (10);

    if (! button.hasKeyboardFocus (true))
        GTEST_SKIP() << "the virtual display gave the window no focus";

    EXPECT_EQ (centre (draw (false, false, colour)), colour.withMultipliedSaturation (1.3f));
    parent.removeChildComponent (&button);
}

TEST_F (ButtonPicture, WithoutOutlineAnIdleButtonIsNotInset)
{
    look.setOutlineThickness (0.0f);
    look.setOutlineColour (juce::Colours::yellow);
    const auto picture = draw();
    EXPECT_EQ (picture.getPixelAt (30, 0), centre (picture));
}

TEST_F (ButtonPicture, AccentFillMakesAnActiveButtonSolidAccentOutlinedInItsOwnColour)
{
    look.setAccentFill (true);
    look.setAccentColour (juce::Colours::red);
    button.setToggleState (true, juce::dontSendNotification);

    const auto picture = draw();
    EXPECT_EQ (centre (picture), juce::Colours::red);
    EXPECT_EQ (topEdge (picture, 1), juce::Colour (grey).withMultipliedSaturation (0.9f));

    button.setToggleState (false, juce::dontSendNotification);
    EXPECT_EQ (centre (draw()), juce::Colour (grey).withMultipliedSaturation (0.9f));
}

TEST_F (ButtonPicture, ConnectedEdgesHaveSquareCorners)
{
    look.setCornerSize (8.0f);
    const auto rounded = draw();
    EXPECT_EQ (rounded.getPixelAt (1, 1).getAlpha(), 0) << "a rounded corner leaves the corner empty";

    button.setConnectedEdges (juce::Button::ConnectedOnLeft);
    const auto connected = draw();
    EXPECT_GT (connected.getPixelAt (1, 1).getAlpha(), 0) << "top-left is square when the left edge is connected";
    EXPECT_EQ (connected.getPixelAt (58, 1).getAlpha(), 0) << "top-right stays round";
}

TEST (LookAndFeelDefaults, AreThoseOfTheEditor)
{
    CorvixLookAndFeel look;
    juce::LookAndFeel_V4 plain;
    EXPECT_FALSE (look.getAccentFill());
    EXPECT_EQ (look.getCornerSize(), 5.0f);
    EXPECT_EQ (look.getOutlineThickness(), 1.0f);
    EXPECT_EQ (look.getActiveOutlineThickness(), 2.0f);
    EXPECT_EQ (look.getAccentColour(), juce::Colour (0xff87ceeb));
    EXPECT_EQ (look.getOutlineColour(), plain.findColour (juce::ComboBox::outlineColourId));
    EXPECT_EQ (look.findColour (juce::TreeView::selectedItemBackgroundColourId), juce::Colour (0x99ffffff));
}

TEST (Tooltip, IsTranslucentWhiteWithAnOutlineAndBalancedCentredLines)
{
    CorvixLookAndFeel look;
    look.setColour (juce::TooltipWindow::outlineColourId, juce::Colours::red);
    juce::Image image (juce::Image::ARGB, 200, 40, true);
    {
        juce::Graphics g (image);
        look.drawTooltip (g, "x", 200, 40);
    }
    EXPECT_EQ (image.getPixelAt (0, 0), juce::Colours::red);
    EXPECT_EQ (image.getPixelAt (5, 5).getAlpha(), 0x99);

    const juce::String longText ("A tooltip that is far too long for one line of four hundred pixels in a bold font of thirteen points");
    const auto layout = CorvixLookAndFeel::tooltipLayout (longText, juce::Colours::black);
    ASSERT_GE (layout.getNumLines(), 2);
    EXPECT_LE (layout.getWidth(), 400.0f);

    const auto first = layout.getLine (0).getLineBoundsX();
    const auto second = layout.getLine (1).getLineBoundsX();
    EXPECT_LT (std::abs ((first.getEnd() - first.getStart()) - (second.getEnd() - second.getStart())), 120.0f) << "balanced lengths";
    EXPECT_NEAR ((first.getStart() + first.getEnd()) * 0.5f, layout.getWidth() * 0.5f, 2.0f) << "centred";
}

TEST (ResizerBar, IsGreyUnderTheMouseAndHasAKnob)
{
    CorvixLookAndFeel look;
    juce::Image image (juce::Image::ARGB, 10, 100, true);
    {
        juce::Graphics g (image);
        look.drawStretchableLayoutResizerBar (g, 10, 100, true, true, false);
    }
    // Stored premultiplied, so the grey comes back within one step.
    EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0xcc);
    EXPECT_NEAR (image.getPixelAt (0, 0).getRed(), 0x80, 1);
    EXPECT_NE (image.getPixelAt (5, 50), image.getPixelAt (0, 0)) << "the knob in the middle";

    juce::Image idle (juce::Image::ARGB, 10, 100, true);
    {
        juce::Graphics g (idle);
        look.drawStretchableLayoutResizerBar (g, 10, 100, true, false, false);
    }
    EXPECT_EQ (idle.getPixelAt (0, 0).getAlpha(), 0);
    EXPECT_GT (idle.getPixelAt (5, 50).getAlpha(), 0);
    EXPECT_LT (idle.getPixelAt (5, 50).getAlpha(), 255) << "half alpha at rest";
}

TEST (LookAndFeelUsers, DetachingLeavesNoComponentOnTheLook)
{
    auto look = std::make_unique<CorvixLookAndFeel>();
    CorvixLookAndFeel other;
    juce::Component parent, child, grandChild, elsewhere;
    parent.addAndMakeVisible (child);
    child.addAndMakeVisible (grandChild);
    parent.addAndMakeVisible (elsewhere);
    child.setLookAndFeel (look.get());
    grandChild.setLookAndFeel (look.get());
    elsewhere.setLookAndFeel (&other);

    NsOrvelA::detachLookAndFeel (parent, { look.get() });

    EXPECT_NE (&child.getLookAndFeel(), look.get());
    EXPECT_NE (&grandChild.getLookAndFeel(), look.get());
    EXPECT_EQ (&elsewhere.getLookAndFeel(), &other) << "other looks stay";
    elsewhere.setLookAndFeel (nullptr);
}

TEST (ModeChooser, AMouseDownWithAnItemSelectedAsksForTheSlotCaptions)
{
    NsOrvelA::slotCaptionRefresh = false;
    NsOrvelA::ModeComboBox box;
    box.setSize (120, 24);
    box.addItem ("one", 1);
    box.addItem ("two", 2);
    int changes = 0;
    box.onChange = [&changes] { ++changes; };

    GuiHarness window (box);
    window.mouseDown (box, { 10, 10 });
    window.mouseUp (box, { 10, 10 });
    EXPECT_FALSE (NsOrvelA::slotCaptionRefresh) << "nothing selected";

    box.setSelectedId (2, juce::dontSendNotification);
    window.mouseDown (box, { 10, 10 });
    window.mouseUp (box, { 10, 10 });
    GuiHarness::pump (10);
    EXPECT_TRUE (NsOrvelA::slotCaptionRefresh);
    EXPECT_EQ (box.getSelectedId(), 2);
    EXPECT_EQ (changes, 0) << "the same item again is no change";

    juce::PopupMenu::dismissAllActiveMenus();
    GuiHarness::pump (10);
    NsOrvelA::slotCaptionRefresh = false;
}
} // namespace
