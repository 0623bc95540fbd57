#include "editor/MyTabComp.h"

namespace NsOrvelA
{
MyTabComp::MyTabComp() : juce::TabbedComponent (juce::TabbedButtonBar::TabsAtTop) {}

void MyTabComp::currentTabChanged (int newCurrentTabIndex, const juce::String&)
{
    lastTabIndex = newCurrentTabIndex;

    if (auto* parent = getParentComponent())
        parent->repaint();
}
} // namespace NsOrvelA
