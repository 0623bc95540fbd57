#include "shell/SidePanelHeader.h"

#include "shell/MainComponent.h"

namespace
{
juce::Path houseShape()
{
    juce::Path house;
    house.startNewSubPath (0.0f, 5.0f);
    house.lineTo (5.0f, 0.0f);
    house.lineTo (10.0f, 5.0f);
    house.lineTo (8.5f, 5.0f);
    house.lineTo (8.5f, 10.0f);
    house.lineTo (6.0f, 10.0f);
    house.lineTo (6.0f, 7.0f);
    house.lineTo (4.0f, 7.0f);
    house.lineTo (4.0f, 10.0f);
    house.lineTo (1.5f, 10.0f);
    house.lineTo (1.5f, 5.0f);
    house.closeSubPath();
    return house;
}

juce::Path cogShape()
{
    juce::Path cog;
    cog.addStar ({ 5.0f, 5.0f }, 8, 3.6f, 5.0f);
    cog.addEllipse (3.5f, 3.5f, 3.0f, 3.0f);
    cog.setUsingNonZeroWinding (false);
    return cog;
}
} // namespace

SidePanelHeader::SidePanelHeader (MainComponent& ownerComponent) : owner (ownerComponent)
{
    setOpaque (true);

    titleLabel.setFont (juce::Font (18.0f));
    addAndMakeVisible (titleLabel);

    homeButton.setShape (houseShape(), true, true, false);
    homeButton.onClick = [this] { owner.homeButtonClicked(); };
    addAndMakeVisible (homeButton);

    settingsButton.setShape (cogShape(), true, true, false);
    settingsButton.onClick = [this] { owner.showSettings(); };
    addChildComponent (settingsButton);

    lookAndFeelChanged();
}

void SidePanelHeader::paint (juce::Graphics& g) { g.fillAll (getLookAndFeel().findColour (juce::SidePanel::backgroundColour)); }

void SidePanelHeader::resized()
{
    auto bounds = getLocalBounds().reduced (4);
    homeButton.setBounds (bounds.removeFromRight (bounds.getHeight()).reduced (2));
    settingsButton.setBounds (bounds.removeFromRight (bounds.getHeight()).reduced (2));
    titleLabel.setBounds (bounds);
}

void SidePanelHeader::lookAndFeelChanged()
{
    auto& lf = getLookAndFeel();
    if (auto* panel = findParentComponentOfClass<juce::SidePanel>())
        titleLabel.setText (panel->getTitleText(), juce::dontSendNotification);
    titleLabel.setColour (juce::Label::textColourId, lf.findColour (juce::SidePanel::titleTextColour));

    for (auto* button : { &homeButton, &settingsButton })
        button->setColours (lf.findColour (juce::SidePanel::dismissButtonNormalColour),
                            lf.findColour (juce::SidePanel::dismissButtonOverColour),
                            lf.findColour (juce::SidePanel::dismissButtonDownColour));
}
