#include "wizard/WizardProgressBarLook.h"

#include <cmath>

namespace talvor
{
namespace
{
double linearChannel (juce::uint8 value)
{
    const auto c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow ((c + 0.055) / 1.055, 2.4);
}

double relativeLuminance (juce::Colour colour)
{
    return 0.2126 * linearChannel (colour.getRed()) + 0.7152 * linearChannel (colour.getGreen())
           + 0.0722 * linearChannel (colour.getBlue());
}
} // namespace

WizardProgressBarLook::WizardProgressBarLook() { setColour (juce::ProgressBar::backgroundColourId, juce::Colour (trackColour)); }

double WizardProgressBarLook::contrastRatio (juce::Colour a, juce::Colour b)
{
    const auto la = relativeLuminance (a);
    const auto lb = relativeLuminance (b);
    return (juce::jmax (la, lb) + 0.05) / (juce::jmin (la, lb) + 0.05);
}

juce::Colour WizardProgressBarLook::textColourOver (juce::Colour track, juce::Colour fill)
{
    const auto worst = [track, fill] (juce::Colour text) { return juce::jmin (contrastRatio (text, track), contrastRatio (text, fill)); };
    return worst (juce::Colours::black) >= worst (juce::Colours::white) ? juce::Colours::black : juce::Colours::white;
}

void WizardProgressBarLook::drawProgressBar (juce::Graphics& g, juce::ProgressBar& bar, int width, int height, double progress,
                                             const juce::String& textToShow)
{
    juce::LookAndFeel_V4::drawProgressBar (g, bar, width, height, progress, {});

    if (textToShow.isEmpty())
        return;

    g.setColour (
        textColourOver (bar.findColour (juce::ProgressBar::backgroundColourId), bar.findColour (juce::ProgressBar::foregroundColourId)));
    g.setFont ((float) height * 0.6f);
    g.drawText (textToShow, 0, 0, width, height, juce::Justification::centred, false);
}
} // namespace talvor
