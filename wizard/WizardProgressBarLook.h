#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace talvor
{
/** The wizard's progress bar: a light track under the sky-blue fill, and the percentage in the
    one of black and white that stands out more against both, so that it reads wherever the fill
    has got to. The framework's own text colour sits half-way between the two and is faint. */
class WizardProgressBarLook final : public juce::LookAndFeel_V4
{
public:
    WizardProgressBarLook();

    static constexpr juce::uint32 trackColour = 0xfff4f4f4;

    void drawProgressBar (juce::Graphics&, juce::ProgressBar&, int width, int height, double progress,
                          const juce::String& textToShow) override;

    /** Black or white, whichever has the higher lower contrast against the two colours. */
    static juce::Colour textColourOver (juce::Colour track, juce::Colour fill);

    /** The contrast ratio of two colours by their relative luminance, 1 to 21. */
    static double contrastRatio (juce::Colour a, juce::Colour b);
};
} // namespace talvor
