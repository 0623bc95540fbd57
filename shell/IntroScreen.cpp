#include "shell/IntroScreen.h"

#include "ui/AssetImages.h"

namespace
{
const juce::String applicationName{ "Orvel-A Corvix" };
const juce::String makerHost{ "talvor.example" };
const juce::URL makerAddress{ "https://talvor.example/" };

juce::String versionText()
{
    return juce::String ("{version}  {build}, {date}")
        .replace ("{version}", "V1.00")
        .replace ("{build}", "Build 43")
        .replace ("{date}", juce::String ("Dec 22 2023").replace ("  ", " "));
}
} // namespace

IntroScreen::IntroScreen() : linkButton (makerHost, makerAddress)
{
    setOpaque (true);

    greetingLabel.setText ("Hello! You could choose a view from the menu on your left-hand side for getting started.",
                           juce::dontSendNotification);
    greetingLabel.setColour (juce::Label::textColourId, juce::Colours::white);

    titleLabel.setText (juce::String ("{name}").replace ("{name}", applicationName), juce::dontSendNotification);
    titleLabel.setColour (juce::Label::textColourId, juce::Colour::greyLevel (0.8f));
    titleLabel.setFont (juce::Font ("YaHei", 60.0f, juce::Font::bold));

    versionLabel.setText (versionText(), juce::dontSendNotification);

    linkButton.setColour (juce::HyperlinkButton::textColourId, juce::Colour (0xffadd8e6));

    logoImage.setImage (talvor::loadAssetImage ("Talvor Logo.png"));

    for (auto* child :
         std::initializer_list<juce::Component*>{ &greetingLabel, &titleLabel, &versionLabel, &linkButton, &logoImage, &animation })
        addAndMakeVisible (child);
}

IntroScreen::~IntroScreen() = default;

void IntroScreen::paint (juce::Graphics& g) { g.fillAll (juce::Colour::greyLevel (0.11f)); }

void IntroScreen::resized()
{
    if (auto* window = getTopLevelComponent(); window != nullptr && window != this)
    {
        window->setSize (850, 600);
        window->setName (applicationName);
    }

    const auto w = getWidth(), h = getHeight();
    greetingLabel.setBounds (250, 50, 600, 32);
    titleLabel.setBounds ((w - 450) / 2, 200, 450, 64);

    auto area = getLocalBounds().reduced (10);
    const auto bottomStrip = area.removeFromBottom (24);
    versionLabel.setBounds (bottomStrip);
    linkButton.setBounds (bottomStrip.withTrimmedLeft (bottomStrip.getWidth() - w / 4));
    animation.setBounds (area);
    logoImage.setBounds (50, (int) (h * 0.05), 120, 60);
}

IntroScreen::LogoDrawComponent::LogoDrawComponent() { startTimerHz (30); }

IntroScreen::LogoDrawComponent::~LogoDrawComponent() { stopTimer(); }

void IntroScreen::LogoDrawComponent::timerCallback()
{
    repaint();
    elapsed += 0.01f;
}

void IntroScreen::LogoDrawComponent::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth(), h = (float) getHeight();
    const auto y0 = h * 0.7f;
    constexpr float spacing = 10.0f;

    juce::Path wave;
    int i = 0;
    for (float x = spacing / 2; x < w; x += spacing, ++i)
    {
        const auto y1 = y0 + h * 0.05f * std::sin ((float) i * 0.38f + elapsed);
        const auto y2 = y0 + h * 0.1f * std::sin ((float) i * 0.2f + 2.0f * elapsed);
        wave.addLineSegment ({ x, y1, x, y2 }, 2.0f);
        wave.addEllipse (x - 3.0f, y1 - 3.0f, 6.0f, 6.0f);
        wave.addEllipse (x - 3.0f, y2 - 3.0f, 6.0f, 6.0f);
    }

    g.setColour (juce::Colour::greyLevel (0.18f));
    g.fillPath (wave);
}

std::unique_ptr<juce::Component> createIntroScreen() { return std::make_unique<IntroScreen>(); }

bool isIntroScreen (const juce::Component* component) { return dynamic_cast<const IntroScreen*> (component) != nullptr; }
