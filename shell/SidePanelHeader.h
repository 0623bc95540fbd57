#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MainComponent;

/** The side panel's title bar: its title and the "Home" button ("Settings" is kept hidden). */
class SidePanelHeader final : public juce::Component
{
public:
    explicit SidePanelHeader (MainComponent& owner);

    void paint (juce::Graphics& g) override;
    void resized() override;
    void lookAndFeelChanged() override;

private:
    MainComponent& owner;
    juce::Label titleLabel;
    juce::ShapeButton homeButton{ "Home", {}, {}, {} };
    juce::ShapeButton settingsButton{ "Settings", {}, {}, {} };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SidePanelHeader)
};
