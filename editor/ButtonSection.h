#pragma once

#include "editor/FittedCaptionLookAndFeel.h"
#include "editor/MappableDragButton.h"

#include <array>
#include <memory>

namespace NsOrvelA
{
/** The grid of the main unit's 120 button controls (control ids 33 to 152), in five coloured
    groups of 24 (six columns by four rows), as the buttons sit on the unit. The editor selects a
    control by a click on its button; a button dragged onto another exchanges their assignments. */
class ButtonSection final : public juce::Component
{
public:
    static constexpr int buttonCount = 120;
    static constexpr int firstControl = 33;
    static constexpr int buttonsPerGroup = 24;
    static constexpr int columns = 6;

    ButtonSection();
    ~ButtonSection() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** A right click opens the editor's control menu; other clicks do nothing. */
    void mouseDown (const juce::MouseEvent& event) override;

    /** The tooltip and caption of every button, from the map. */
    void refreshCaptions();

    /** The button of control firstControl + index. */
    MappableDragButton& getButton (int index) const { return *buttons[(size_t) juce::jlimit (0, buttonCount - 1, index)]; }

    /** The colour of each group's frame, from the first group to the last. */
    static constexpr juce::uint32 groupColours[] = { 0xff87cefa, 0xff008000, 0xffffff00, 0xff9370db, 0xffff0000 };

private:
    /** Left edge of the groups' frames: the grid is centred in the section. */
    int gridLeft() const;

    // Workstation functions such as "Snapshot" or "MIDI Connections" do not fit a 63 x 37 button
    // in the framework's caption font.
    FittedCaptionLookAndFeel look;
    std::array<std::unique_ptr<MappableDragButton>, buttonCount> buttons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ButtonSection)
};
} // namespace NsOrvelA
