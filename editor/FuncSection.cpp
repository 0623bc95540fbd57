#include "editor/FuncSection.h"

#include "map/SharedEditingState.h"
#include "map/Workstations.h"

namespace NsOrvelA
{
namespace
{
constexpr juce::uint32 panelDark = 0xff252525;
constexpr juce::uint32 pageGrey = 0xff484848;
const char* const noWorkstationTitle = "DAW";
} // namespace

FuncSection::FuncSection()
    : frame (std::make_unique<juce::TabbedComponent> (juce::TabbedButtonBar::TabsAtTop)), view (std::make_unique<juce::Viewport>()),
      grid (std::make_unique<ButtonSection>()), title (std::make_unique<juce::Label>())
{
    frame->setTabBarDepth (0);
    frame->setOutline (0);
    frame->setIndent (3);
    frame->setColour (juce::TabbedComponent::backgroundColourId, juce::Colour (pageGrey));
    frame->setColour (juce::TabbedComponent::outlineColourId, juce::Colour (pageGrey));
    frame->addTab ("Cubase", juce::Colour (pageGrey), view.get(), false);
    view->setViewedComponent (grid.get(), false);

    frame->setComponentID ("GO");
    view->setComponentID ("VIEW");
    grid->setComponentID ("GO");
    addAndMakeVisible (*frame);

    title->setText (noWorkstationTitle, juce::dontSendNotification);
    title->setFont (juce::Font (18.0f, juce::Font::plain));
    title->setJustificationType (juce::Justification::centred);
    addAndMakeVisible (*title);
}

FuncSection::~FuncSection() = default;

void FuncSection::paint (juce::Graphics& g) { g.fillAll (juce::Colour (panelDark)); }

void FuncSection::resized()
{
    const auto area = getLocalBounds().reduced (4);
    const auto width = area.getWidth();
    const auto height = area.getHeight();
    const auto q = (int) (width / 2.06);

    title->setBounds ((int) (width / 2 - 97.2), 12, 194, 39);
    frame->setBounds (4, 60, width, height - 56);
    grid->setSize (2 * q, (int) (5 * q * 0.62));
}

void FuncSection::refreshTitle()
{
    const auto daw = isSlotId (currentSlotId) ? slotDawIds[(size_t) (currentSlotId - 1)] : 0;
    title->setText (isDawId (daw) ? dawDisplayName (daw).removeCharacters ("\r\n") : juce::String (noWorkstationTitle),
                    juce::dontSendNotification);
    grid->refreshCaptions();
}
} // namespace NsOrvelA
