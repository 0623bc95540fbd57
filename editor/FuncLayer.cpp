#include "editor/FuncLayer.h"

#include "editor/PageEdits.h"
#include "editor/ShownFunctions.h"
#include "link/Host.h"
#include "map/AssignmentKinds.h"
#include "map/ControlEntryReset.h"
#include "map/ControlLayout.h"
#include "map/DisplayTexts.h"
#include "map/MidiKinds.h"
#include "map/SharedEditingState.h"
#include "map/Workstations.h"

#include <algorithm>

namespace NsOrvelA
{
namespace
{
const juce::Colour buttonGrey{ 0xff484848 };
const juce::Colour panelDark{ 0xff252525 };
constexpr int noteKind = 0;
constexpr int maxListedNames = 226;
} // namespace

FuncLayer::FuncLayer()
{
    lookAndFeel.setOutlineThickness (2.0f);

    for (int i = 0; i < buttonCount; ++i)
    {
        auto& button = buttons[static_cast<size_t> (i)];
        button = std::make_unique<MappableButton> (juce::String());
        addAndMakeVisible (*button);
        button->setColour (juce::TextButton::buttonColourId, buttonGrey);
        button->setColour (juce::TextButton::buttonOnColourId, buttonGrey);
        button->setLookAndFeel (&lookAndFeel);
        button->setComponentID ("GOTCHA");
        button->setKind (0);
        button->setControlNumber (i);
        button->addListener (this);
    }
}

FuncLayer::~FuncLayer()
{
    for (auto& button : buttons)
        button->setLookAndFeel (nullptr);
}

void FuncLayer::paint (juce::Graphics& g) { g.fillAll (panelDark); }

void FuncLayer::resized()
{
    // Three columns that overlap by one pixel.
    for (int i = 0; i < buttonCount; ++i)
        buttons[static_cast<size_t> (i)]->setBounds (2 + 69 * (i % 3), 3 + 30 * (i / 3), 70, 27);
}

void FuncLayer::buttonClicked (juce::Button* clicked)
{
    auto* function = dynamic_cast<MappableButton*> (clicked);

    if (function == nullptr || function->getKind() != 0 || currentControl == nullptr)
        return;

    auto* host = pageEdits::host();
    const auto id = currentControl->getControlNumber();

    if (host == nullptr || host->isFixedHuiButton (id))
        return;

    // The unit and slot the map has selected, and that slot's workstation map.
    const auto state = host->getStateTree();
    const auto slot = state.slotNode();
    const auto slotId = static_cast<int> (slot.getProperty (mapIds::id, 0));
    const auto dawId = static_cast<int> (slot.getProperty (mapIds::current, 0));
    auto entry = childWithId (childWithId (slot, dawId), id);

    // No workstation in the slot (a map file may hold 0 there): nothing to assign, so the layer
    // must not show a function as chosen either.
    if (! entry.isValid())
        return;

    showAsChosen (function);

    const auto code = function->getValueAsInt();
    const auto nibbleOrClass = isHuiDaw (dawId) ? controlClass (id, false) : midiStatusNibbles (noteKind);
    const auto name = assignmentDisplayName (dawId, nibbleOrClass, code).trim();

    resetControlEntry (entry);
    entry.setProperty (mapIds::type, midiKindName (noteKind), nullptr);
    entry.setProperty (mapIds::value, code, nullptr);
    entry.setProperty (mapIds::msgValue, code, nullptr);
    entry.setProperty (mapIds::name, name, nullptr);
    entry.setProperty (mapIds::diyNameQ, 0, nullptr);
    entry.setProperty (mapIds::valueType, assignmentTypeName (funcAssignment), nullptr);

    pageEdits::refreshSelectedCaption();
    host->refreshEditorPanels();
    pageEdits::markSlotForUpload (slotId);
}

void FuncLayer::showAsChosen (MappableButton* button)
{
    if (selected != nullptr && selected->getToggleState())
    {
        selected->setToggleState (false, juce::dontSendNotification);
        selected->setEnabled (true);
    }

    selected = button;
    selected->setToggleState (true, juce::dontSendNotification);
    selected->setEnabled (false);
}

void FuncLayer::disableListedFunctions()
{
    if (usedFunctionNames.isEmpty())
        return;

    const auto listed = std::min (maxListedNames, usedFunctionNames.size());

    for (auto& button : buttons)
    {
        const auto text = button->getButtonText().trim();

        if (text.isEmpty())
            continue;

        button->setEnabled (true);

        for (int i = 0; i < listed; ++i)
        {
            if (text.equalsIgnoreCase (usedFunctionNames.getReference (i).trim()))
            {
                button->setEnabled (false);
                break;
            }
        }
    }
}

void FuncLayer::setFunctionEnabled (const juce::String& text, bool enabled)
{
    for (auto& button : buttons)
    {
        if (button->getButtonText().equalsIgnoreCase (text))
        {
            button->setEnabled (enabled);
            return;
        }
    }
}

void FuncLayer::refreshSelection()
{
    if (selected != nullptr)
        selected->setToggleState (false, juce::dontSendNotification);

    if (currentControl == nullptr)
        return;

    const auto entry = pageEdits::selectedEntry();

    if (entry.getProperty (mapIds::valueType).toString() != assignmentTypeName (funcAssignment) || currentControl->makeCaption().isEmpty())
        return;

    const auto code = static_cast<int> (entry.getProperty (mapIds::value));

    // Only the buttons the page filled for this workstation: one beyond them keeps the code it had
    // for another workstation, and taking it as the chosen one would leave the shown one lit after
    // the next click. Whether a button is visible says nothing here: a knob or a fader hides them
    // all, and the next button control is refreshed before they are shown again.
    const auto offered = std::min (buttonCount, shownFunctionCodes.size());

    for (int i = 0; i < offered; ++i)
    {
        auto& button = buttons[static_cast<size_t> (i)];

        if (button->getValueAsInt() == code)
        {
            button->setToggleState (true, juce::dontSendNotification);
            selected = button.get();
        }
    }
}
} // namespace NsOrvelA
