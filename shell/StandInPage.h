#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A STAND-IN, NOT THE MAP EDITOR: the page the shell shows until the map editor is part of the
    build. It only says so, over the program's own pictures. */
class StandInPage final : public juce::Component
{
public:
    StandInPage();

    void paint (juce::Graphics& g) override;

private:
    juce::Image logo, unit, mixer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StandInPage)
};
