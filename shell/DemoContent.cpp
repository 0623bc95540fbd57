#include "shell/DemoContent.h"

#include "shell/IntroScreen.h"

void DemoContent::setComponent (std::unique_ptr<juce::Component> newPage)
{
    auto previous = std::move (page);
    page = std::move (newPage);
    if (page != nullptr)
        addAndMakeVisible (*page);
    previous.reset();
    resized();
}

void DemoContent::showHomeScreen() { setComponent (createIntroScreen()); }

void DemoContent::resized()
{
    if (page != nullptr)
        page->setBounds (getLocalBounds());
}
