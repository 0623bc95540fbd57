#include "editor/ButtonSection.h"

#include "link/Host.h"

namespace NsOrvelA
{
namespace
{
constexpr juce::uint32 panelDark = 0xff252525;
constexpr juce::uint32 buttonGrey = 0xff484848;
constexpr int margin = 4;
constexpr int groupWidth = 408; // six buttons of 60 with their margins
constexpr int groupHeight = 170;
constexpr int groupPitch = 174;
constexpr int buttonPitchX = 67;
constexpr int buttonPitchY = 41;
constexpr int groupGap = 10;
constexpr int buttonWidth = 63;
constexpr int buttonHeight = 37;
} // namespace

ButtonSection::ButtonSection()
{
    for (int i = 0; i < buttonCount; ++i)
    {
        auto& button = buttons[(size_t) i];
        button = std::make_unique<MappableDragButton>();
        addAndMakeVisible (*button);
        button->setColour (juce::TextButton::buttonColourId, juce::Colour (buttonGrey));
        button->setColour (juce::TextButton::buttonOnColourId, juce::Colour (buttonGrey));
        button->setLookAndFeel (&look);
        button->setComponentID ("GOTCHA");
        button->setKind (MappableButton::controlKind);
        button->setControlNumber (firstControl + i);
    }
}

ButtonSection::~ButtonSection()
{
    for (auto& button : buttons)
        button->setLookAndFeel (nullptr);
}

int ButtonSection::gridLeft() const { return (getLocalBounds().reduced (margin).getWidth() - groupWidth) / 2; }

void ButtonSection::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (panelDark));

    for (int group = 0; group < (int) std::size (groupColours); ++group)
    {
        g.setColour (juce::Colour (groupColours[group]));
        g.drawRoundedRectangle ((float) gridLeft(), (float) (margin + groupPitch * group), (float) groupWidth, (float) groupHeight, 12.0f,
                                1.0f);
    }
}

void ButtonSection::resized()
{
    const auto left = gridLeft();

    for (int i = 0; i < buttonCount; ++i)
        buttons[(size_t) i]->setBounds (left + 5 + buttonPitchX * (i % columns),
                                        9 + buttonPitchY * (i / columns) + groupGap * (i / buttonsPerGroup), buttonWidth, buttonHeight);
}

void ButtonSection::mouseDown (const juce::MouseEvent& event)
{
    if (event.mods.isRightButtonDown() && hostInstance != nullptr)
        hostInstance->showControlMenuFromButtons();
}

void ButtonSection::refreshCaptions()
{
    for (auto& button : buttons)
    {
        if (hostInstance != nullptr)
            hostInstance->refreshButtonTooltip (*button);

        button->refreshCaption();
    }
}
} // namespace NsOrvelA
