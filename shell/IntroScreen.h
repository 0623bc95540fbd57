#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The home screen: a greeting, the program's name and version, the maker's link and logo over
    a slow wave animation. The content area shows it when its page is cleared. */
class IntroScreen final : public juce::Component
{
public:
    IntroScreen();
    ~IntroScreen() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** The wave of dots along the bottom, animated at 30 frames a second. */
    class LogoDrawComponent final : public juce::Component, private juce::Timer
    {
    public:
        LogoDrawComponent();
        ~LogoDrawComponent() override;

        void paint (juce::Graphics& g) override;
        float getElapsed() const { return elapsed; }

    private:
        void timerCallback() override;

        float elapsed{ 0.0f };

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LogoDrawComponent)
    };

private:
    juce::Label greetingLabel, titleLabel, versionLabel;
    juce::HyperlinkButton linkButton;
    juce::ImageComponent logoImage;
    LogoDrawComponent animation;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (IntroScreen)
};

std::unique_ptr<juce::Component> createIntroScreen();
bool isIntroScreen (const juce::Component* component);
