#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace talvor::test
{
/** The first child of the given type (and, for buttons, caption) inside a chooser. */
template <typename ChildType>
ChildType& childOf (juce::Component& parent, const juce::String& buttonText = {})
{
    for (auto* child : parent.getChildren())
        if (auto* typed = dynamic_cast<ChildType*> (child))
        {
            if constexpr (std::is_base_of_v<juce::Button, ChildType>)
                if (typed->getButtonText() != buttonText)
                    continue;

            return *typed;
        }

    throw std::runtime_error (("no such child: " + buttonText).toStdString());
}

/** Lets posted clicks and notifications arrive. */
inline void pumpMessages (int milliseconds = 50) { juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds); }

/** True while the chooser's dialog is still waiting for the user. */
inline bool dialogStillOpen (juce::Component& content)
{
    auto* window = content.findParentComponentOfClass<juce::DialogWindow>();
    return window != nullptr && window->isCurrentlyModal (false);
}

/** Presses a button as the user would, and lets the click arrive. */
inline void press (juce::Component& content, const juce::String& buttonText)
{
    childOf<juce::TextButton> (content, buttonText).triggerClick();
    pumpMessages();
}
} // namespace talvor::test
