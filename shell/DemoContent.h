#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** Holds the one page that the content area shows and gives it all of its room. */
class DemoContent final : public juce::Component
{
public:
    DemoContent() = default;

    /** Takes the page (nullptr drops the current one); the previous page is deleted after the new
        one has been added. */
    void setComponent (std::unique_ptr<juce::Component> newPage);
    void showHomeScreen();
    juce::Component* getPage() const { return page.get(); }

    void resized() override;

private:
    std::unique_ptr<juce::Component> page;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DemoContent)
};
