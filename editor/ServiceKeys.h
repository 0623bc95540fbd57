#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace NsOrvelA
{
/** The editor's service keys, by the modifier keys held:
    - none: I shows "CPU model: " and the processor family word;
    - Ctrl: 1 and 2 make the first or second section tab current, Q asks the application to quit;
    - Alt: nothing;
    - any other combination: M starts the manual System Exclusive send.
    True when the key was one of them. The editor still passes every key on. */
bool handleServiceKey (const juce::KeyPress& key, juce::TabbedComponent& sectionTabs, const std::function<void()>& quit);
} // namespace NsOrvelA
