#pragma once

#include <juce_gui_extra/juce_gui_extra.h>

/** The tray entry: the maker's mark with the tooltip "Corvix"; a click opens a menu whose one
    item, "Quit", ends the program. */
class DemoTaskbarComponent final : public juce::SystemTrayIconComponent, private juce::Timer
{
public:
    DemoTaskbarComponent();
    ~DemoTaskbarComponent() override;

    void mouseDown (const juce::MouseEvent& event) override;

private:
    void timerCallback() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DemoTaskbarComponent)
};

/** The tray menu's result: 1 ("Quit") asks the application to quit; anything else does nothing. */
void trayMenuResult (int result, DemoTaskbarComponent* trayComponent);
