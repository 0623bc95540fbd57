#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The editor's own look: text buttons drawn as rounded rectangles whose corner size, outline
    thicknesses and colours each owner sets, so one class serves every differently styled button
    group; tooltips on translucent white; a round knob on the resizer bar of a stretchable layout.
    Components use it through setLookAndFeel; it is never the process-wide default. An owner keeps
    it as a member and must detach every component from it before it goes (see LookAndFeelUsers). */
class CorvixLookAndFeel : public juce::LookAndFeel_V4
{
public:
    CorvixLookAndFeel();

    /** When on, an active button (pressed, hovered or toggled on) is filled with the accent colour
        and outlined in its own colour. */
    void setAccentFill (bool shouldFill) noexcept { accentFill = shouldFill; }
    void setCornerSize (float size) noexcept { cornerSize = size; }
    void setOutlineThickness (float thickness) noexcept { outlineThickness = thickness; }
    void setActiveOutlineThickness (float thickness) noexcept { activeOutlineThickness = thickness; }
    void setAccentColour (juce::Colour colour) noexcept { accentColour = colour; }
    void setOutlineColour (juce::Colour colour) noexcept { outlineColour = colour; }

    bool getAccentFill() const noexcept { return accentFill; }
    float getCornerSize() const noexcept { return cornerSize; }
    float getOutlineThickness() const noexcept { return outlineThickness; }
    float getActiveOutlineThickness() const noexcept { return activeOutlineThickness; }
    juce::Colour getAccentColour() const noexcept { return accentColour; }
    juce::Colour getOutlineColour() const noexcept { return outlineColour; }

    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour, bool shouldDrawButtonAsHighlighted,
                               bool shouldDrawButtonAsDown) override;

    void drawTooltip (juce::Graphics&, const juce::String& text, int width, int height) override;

    void drawStretchableLayoutResizerBar (juce::Graphics&, int w, int h, bool isVerticalBar, bool isMouseOver,
                                          bool isMouseDragging) override;

    /** The tooltip's text: centred, bold 13, lines of balanced length at most 400 pixels wide. */
    static juce::TextLayout tooltipLayout (const juce::String& text, juce::Colour colour);

    static constexpr juce::uint32 skyBlue = 0xff87ceeb;
    static constexpr juce::uint32 tooltipBackground = 0x99ffffff;

private:
    bool accentFill = false;
    float cornerSize = 5.0f;
    float outlineThickness = 1.0f;
    float activeOutlineThickness = 2.0f;
    juce::Colour outlineColour;
    juce::Colour accentColour{ skyBlue };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CorvixLookAndFeel)
};
