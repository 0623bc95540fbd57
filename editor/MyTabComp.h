#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
/** The editor's section tabs ("GENERAL SETTINGS", "BUTTON FUNCTIONS"). It remembers the tab last
    shown and repaints the editor around it when the tab changes, so that nothing of the previous
    section is left on the editor's background. The sections it shows belong to the editor. */
class MyTabComp final : public juce::TabbedComponent
{
public:
    MyTabComp();

    void currentTabChanged (int newCurrentTabIndex, const juce::String& newCurrentTabName) override;

    /** The tab shown last; -1 before the first one is shown. */
    int getLastTabIndex() const noexcept { return lastTabIndex; }

private:
    int lastTabIndex = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MyTabComp)
};
} // namespace NsOrvelA
