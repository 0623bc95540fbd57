#pragma once

#include "editor/ButtonSection.h"

#include <memory>

namespace NsOrvelA
{
/** The content of the editor's "BUTTON FUNCTIONS" tab: the name of the current slot's workstation
    over a framed, scrolling view of the unit's button grid. */
class FuncSection final : public juce::Component, public juce::Button::Listener
{
public:
    FuncSection();
    ~FuncSection() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button*) override {}

    /** The title names the current slot's workstation ("DAW" while it has none, or while no slot
        is selected); then every grid button's caption and tooltip follow the map. */
    void refreshTitle();

    ButtonSection& getButtonSection() noexcept { return *grid; }
    juce::Label& getTitle() noexcept { return *title; }
    juce::Viewport& getView() noexcept { return *view; }

private:
    std::unique_ptr<juce::TabbedComponent> frame;
    std::unique_ptr<juce::Viewport> view;
    std::unique_ptr<ButtonSection> grid;
    std::unique_ptr<juce::Label> title;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FuncSection)
};
} // namespace NsOrvelA
