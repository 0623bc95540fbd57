#include "editor/FuncPage.h"

#include "editor/PageEdits.h"
#include "editor/PageLabels.h"
#include "editor/ShownFunctions.h"
#include "link/Host.h"
#include "map/SharedEditingState.h"
#include "map/UnitModels.h"
#include "map/WorkstationFunctionNames.h"
#include "map/Workstations.h"

namespace NsOrvelA
{
namespace
{
const juce::Colour panelDark{ 0xff252525 };
constexpr int rowHeight = 28;
constexpr int listTop = 95;

/** The workstation of the current slot as the editor knows it; 0 for a slot id outside 1..3. */
int dawOfCurrentSlot() noexcept { return isSlotId (currentSlotId) ? slotDawIds[static_cast<size_t> (currentSlotId - 1)] : 0; }

} // namespace

FuncPage::FuncPage()
    : dawChooser (std::make_unique<ModeComboBox>()), frame (std::make_unique<juce::TabbedComponent> (juce::TabbedButtonBar::TabsAtTop)),
      view (std::make_unique<juce::Viewport>()), layer (std::make_unique<FuncLayer>()), dawTitle (pageLabels::makeTitle ("DAW")),
      functionTitle (pageLabels::makeTitle ("Function"))
{
    frame->setTabBarDepth (0);
    frame->setOutline (0);
    frame->setIndent (1);
    frame->setColour (juce::TabbedComponent::backgroundColourId, panelDark);
    frame->setColour (juce::TabbedComponent::outlineColourId, panelDark);
    frame->addTab ("Functions", panelDark, view.get(), false);
    frame->setComponentID ("GO");
    view->setComponentID ("VIEW");
    view->setViewedComponent (layer.get(), false);
    layer->setComponentID ("GO");

    for (int dawId = 1; dawId <= dawCount; ++dawId)
        dawChooser->addItem (juce::String (dawId) + ") " + dawDisplayName (dawId).removeCharacters ("\r\n"), dawId);

    showWorkstation (dawOfCurrentSlot());
    dawChooser->addListener (this);

    addAndMakeVisible (*dawChooser);
    addAndMakeVisible (*frame);
    addAndMakeVisible (*dawTitle);
    addAndMakeVisible (*functionTitle);
}

FuncPage::~FuncPage()
{
    dawChooser->removeListener (this);
    view->setViewedComponent (nullptr, false);
    frame->clearTabs();
}

void FuncPage::paint (juce::Graphics& g) { g.fillAll (pageLabels::pageGrey); }

void FuncPage::resized()
{
    const auto width = getWidth();
    const auto w = static_cast<float> (width) * 0.8f;
    const auto x = static_cast<int> ((static_cast<float> (width) - w) / 2.0f);
    const auto rowWidth = static_cast<int> (w);

    dawTitle->setBounds (x, 5, rowWidth, rowHeight);
    dawChooser->setBounds (x, 33, rowWidth, rowHeight);
    functionTitle->setBounds (x, 67, rowWidth, rowHeight);
    frame->setBounds (0, listTop, width, juce::jmax (0, getHeight() - listTop));

    // Tall enough for all 128 buttons in three columns at the frame's height ratio.
    layer->setSize (juce::jmax (0, width - 10), juce::jmax (0, static_cast<int> ((getHeight() - listTop) * 2.7234042)));
}

void FuncPage::fillFunctionButtons()
{
    for (int i = 0; i < FuncLayer::buttonCount; ++i)
    {
        auto& button = layer->getFunctionButton (i);
        button.setVisible (false);
        button.setEnabled (true);
    }

    shownFunctionNames.clear();
    shownFunctionCodes.clear();

    const auto dawId = dawOfCurrentSlot();

    if (! isDawId (dawId))
        return;

    // The HUI workstation's "(blank)" and "(custom)" at both ends are never offered.
    const auto first = isHuiDaw (dawId) ? 1 : 0;
    const auto last = isHuiDaw (dawId) ? 112 : 127;
    int next = 0;

    for (int code = first; code <= last && next < FuncLayer::buttonCount; ++code)
    {
        const auto name = workstationFunctionNames (dawId, code).trim();

        if (name.isEmpty())
            continue;

        auto& button = layer->getFunctionButton (next++);
        button.getValueObject() = code;
        button.setButtonText (name);
        button.setVisible (true);
        shownFunctionNames.add (name);
        shownFunctionCodes.add (code);
    }

    // The buttons left over keep no caption of another workstation's: selecting a button control
    // shows every captioned function button again.
    while (next < FuncLayer::buttonCount)
        layer->getFunctionButton (next++).setButtonText ({});
}

void FuncPage::showWorkstation (int dawId)
{
    if (isDawId (dawId))
        dawChooser->setSelectedId (dawId, juce::dontSendNotification);
    else
        dawChooser->setSelectedId (0, juce::dontSendNotification);
}

void FuncPage::scrollToProportion (double proportion) { view->setViewPositionProportionately (0.0, proportion); }

void FuncPage::comboBoxChanged (juce::ComboBox* comboBox)
{
    if (comboBox != dawChooser.get() || comboBox->getSelectedItemIndex() < 0)
        return;

    auto* host = pageEdits::host();

    if (host == nullptr)
        return;

    const auto newDaw = comboBox->getSelectedItemIndex() + 1;
    const auto oldDaw = host->getSlotDawId (host->getCurrentSlotId(), unitIdOfProduct (currentModelId));

    if (oldDaw == newDaw)
        return;

    host->getStateTree().slotNode().setProperty (mapIds::current, newDaw, nullptr);

    if (isSlotId (currentSlotId))
        slotDawIds[static_cast<size_t> (currentSlotId - 1)] = newDaw;

    host->refreshAfterDawChange();
    host->refreshEditorPanels();
    pageEdits::markSlotForUpload (currentSlotId);
}
} // namespace NsOrvelA
