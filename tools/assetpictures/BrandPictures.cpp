#include "tools/assetpictures/BrandPictures.h"

#include "tools/assetpictures/PictureKit.h"

namespace talvor::pictures
{
juce::Image makeMakerLogo()
{
    constexpr int width = 500, height = 140;
    return paintOversampled (width, height, 2,
                             [] (juce::Graphics& g)
                             {
                                 drawBrandMark (g, { 8.0f, 10.0f, 120.0f, 120.0f });

                                 const juce::String name{ "TALVOR" };
                                 auto font = brandFont (104.0f).withExtraKerningFactor (0.04f);
                                 const auto textArea = juce::Rectangle<float> (146.0f, 8.0f, (float) width - 150.0f, 124.0f);
                                 font.setHorizontalScale (juce::jmin (1.0f, textArea.getWidth() / font.getStringWidthFloat (name)));
                                 g.setFont (font);
                                 g.setColour (colours::charcoal);
                                 g.drawText (name, textArea, juce::Justification::centredLeft, false);
                             });
}

juce::Image makeTrayIcon (bool asTemplate)
{
    return paintOversampled (256, 256, 2,
                             [asTemplate] (juce::Graphics& g) {
                                 drawBrandMark (g, { 16.0f, 12.0f, 224.0f, 224.0f }, asTemplate);
                             });
}
} // namespace talvor::pictures
