#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
/** The editor's page tabs ("FUNCTION", "HOTKEY", "MIDI"): the tab shown is sky blue, every other
    tab cadet blue, so the user sees at a glance which page edits the control. The pages it shows
    belong to the editor. */
class DistinctTabComp final : public juce::TabbedComponent
{
public:
    static constexpr juce::uint32 idleTabColour = 0xff5f9ea0; // cadet blue
    static constexpr juce::uint32 currentTabColour = 0xff87ceeb; // sky blue

    DistinctTabComp();

    void currentTabChanged (int newCurrentTabIndex, const juce::String& newCurrentTabName) override;

    /** The tab shown last; -1 before the first one is shown. */
    int getLastTabIndex() const noexcept { return lastTabIndex; }

private:
    int lastTabIndex = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DistinctTabComp)
};
} // namespace NsOrvelA
