#include "editor/DistinctTabComp.h"

namespace NsOrvelA
{
DistinctTabComp::DistinctTabComp() : juce::TabbedComponent (juce::TabbedButtonBar::TabsAtTop) {}

void DistinctTabComp::currentTabChanged (int newCurrentTabIndex, const juce::String&)
{
    // Tabs come and go with the selected control, so the remembered index may name a tab that is
    // gone; the tab bar ignores an index past its end.
    if (lastTabIndex != -1)
        setTabBackgroundColour (lastTabIndex, juce::Colour (idleTabColour));

    lastTabIndex = newCurrentTabIndex;
    setTabBackgroundColour (newCurrentTabIndex, juce::Colour (currentTabColour));
}
} // namespace NsOrvelA
