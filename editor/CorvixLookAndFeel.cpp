#include "editor/CorvixLookAndFeel.h"

CorvixLookAndFeel::CorvixLookAndFeel()
{
    accentFill = false;
    cornerSize = 5.0f;
    outlineThickness = 1.0f;
    activeOutlineThickness = 2.0f;
    accentColour = juce::Colour (skyBlue);
    outlineColour = findColour (juce::ComboBox::outlineColourId);
    setColour (juce::TreeView::selectedItemBackgroundColourId, juce::Colour (tooltipBackground));
}

void CorvixLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                                              bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const bool active = shouldDrawButtonAsDown || shouldDrawButtonAsHighlighted || button.getToggleState();
    const auto bounds = button.getLocalBounds().toFloat().reduced ((active ? activeOutlineThickness : outlineThickness) * 0.5f);

    auto base = backgroundColour.withMultipliedSaturation (button.hasKeyboardFocus (true) ? 1.3f : 0.9f)
                    .withMultipliedAlpha (button.isEnabled() ? 1.0f : 0.5f);

    if (shouldDrawButtonAsDown || shouldDrawButtonAsHighlighted)
        base = base.contrasting (shouldDrawButtonAsDown ? 0.2f : 0.05f);

    const auto fill = accentFill && active ? accentColour : base;

    const bool left = button.isConnectedOnLeft();
    const bool right = button.isConnectedOnRight();
    const bool top = button.isConnectedOnTop();
    const bool bottom = button.isConnectedOnBottom();

    if (left || right || top || bottom)
    {
        juce::Path path;
        path.addRoundedRectangle (bounds.getX(), bounds.getY(), bounds.getWidth(), bounds.getHeight(), cornerSize, cornerSize,
                                  ! (left || top), ! (right || top), ! (left || bottom), ! (right || bottom));
        g.setColour (fill);
        g.fillPath (path);
        g.setColour (active ? accentColour : outlineColour);
        g.strokePath (path, juce::PathStrokeType (active ? activeOutlineThickness : outlineThickness));
        return;
    }

    g.setColour (fill);
    g.fillRoundedRectangle (bounds, cornerSize);

    if (active)
        g.setColour (accentFill ? base : accentColour);
    else
        g.setColour (outlineColour);

    g.drawRoundedRectangle (bounds, cornerSize, active ? activeOutlineThickness : outlineThickness);
}

juce::TextLayout CorvixLookAndFeel::tooltipLayout (const juce::String& text, juce::Colour colour)
{
    juce::AttributedString attributed;
    attributed.setJustification (juce::Justification::centred);
    attributed.append (text, juce::Font (13.0f, juce::Font::bold), colour);

    juce::TextLayout layout;
    layout.createLayoutWithBalancedLineLengths (attributed, 400.0f);
    return layout;
}

void CorvixLookAndFeel::drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height)
{
    const juce::Rectangle<int> area (width, height);

    g.fillAll (juce::Colour (tooltipBackground));
    g.setColour (findColour (juce::TooltipWindow::outlineColourId));
    g.drawRect (area, 1);

    tooltipLayout (text, findColour (juce::TooltipWindow::textColourId)).draw (g, area.toFloat());
}

void CorvixLookAndFeel::drawStretchableLayoutResizerBar (juce::Graphics& g, int w, int h, bool /*isVerticalBar*/, bool isMouseOver,
                                                         bool isMouseDragging)
{
    float alpha = 0.5f;

    if (isMouseOver || isMouseDragging)
    {
        g.fillAll (juce::Colour (0xcc808080));
        alpha = 1.0f;
    }

    const auto cx = (float) w * 0.5f;
    const auto cy = (float) h * 0.5f;
    const auto cr = (float) juce::jmin (w, h) * 0.4f;

    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (alpha), cx + cr * 0.1f, cy + cr,
                                             juce::Colours::black.withAlpha (alpha), cx, cy - cr * 4.0f, true));
    g.fillEllipse (cx - cr, cy - cr, cr * 2.0f, cr * 2.0f);
}
