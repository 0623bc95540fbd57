#include "shell/StandInPage.h"

#include "ui/AssetImages.h"

StandInPage::StandInPage()
    : logo (talvor::loadAssetImage ("Talvor Logo.png")), unit (talvor::loadAssetImage ("orvel-a.png")),
      mixer (talvor::loadAssetImage ("bkg/Orvel-A.jpg"))
{
    setName ("Stand-in page");
}

void StandInPage::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xffd3d3d3));
    g.drawImageWithin (logo, 8, 8, 100, 28, juce::RectanglePlacement::centred);
    g.drawImageAt (unit, (getWidth() - unit.getWidth()) / 2, 8);
    g.drawImageWithin (mixer, 10, 52, 598, 598, juce::RectanglePlacement::stretchToFit);

    g.setColour (juce::Colour (0xff484848));
    g.setFont (16.0f);
    g.drawFittedText ("Stand-in page.\nThe map editor is not part of this build yet.",
                      getLocalBounds().withTrimmedLeft (620).reduced (16, 80), juce::Justification::centredTop, 4);
}
