#include "tests/editor/PagesHarness.h"

#include "editor/ControlMenu.h"
#include "editor/KeyEntryWindow.h"
#include "editor/MidiValueNames.h"
#include "link/Host.h"
#include "map/SharedEditingState.h"
#include "map/UnitModels.h"
#include "map/Workstations.h"

namespace corvix::testing
{
using namespace NsOrvelA;

PagesHarness::PagesHarness()
{
    currentEditor = this;
    fillProgramValueNames();
    tabs.addTab ("FUNCTION", juce::Colours::cadetblue, &funcPage, false);
    tabs.addTab ("MIDI", juce::Colours::cadetblue, &midiPage, false);
    addAndMakeVisible (tabs);
    setSize (480, 620);
}

PagesHarness::~PagesHarness()
{
    if (currentEditor == this)
        currentEditor = nullptr;

    if (currentControl != nullptr && controls.count (currentControl->getControlNumber()) != 0)
        currentControl = nullptr;

    tabs.clearTabs();
}

void PagesHarness::resized() { tabs.setBounds (getLocalBounds()); }

MappableButton& PagesHarness::control (int controlId)
{
    auto& button = controls[controlId];

    if (button == nullptr)
    {
        button = std::make_unique<MappableButton> (juce::String());
        button->setKind (1);
        button->setControlNumber (controlId);
    }

    return *button;
}

MappableButton& PagesHarness::select (int controlId)
{
    auto& button = control (controlId);
    currentControl = &button;

    if (refresh.setEditorTabsForControl (controlId))
        refresh.showPagesForControl (button);

    return button;
}

void PagesHarness::refreshFromModel()
{
    ++fullRefreshes;

    // The editor's truth about the slots goes into every unit, as its full refresh does.
    auto state = hostInstance->getStateTree();

    for (int slot = 1; slot <= slotCount; ++slot)
        for (int unit = 1; unit <= unitCount; ++unit)
            state.slotNode (slot, unit).setProperty (mapIds::current, slotDawIds[static_cast<size_t> (slot - 1)], nullptr);

    for (int unit = 1; unit <= unitCount; ++unit)
        hostInstance->setUnitCurrentSlot (currentSlotId, unit);

    refresh.refreshFromModel (state.currentDawId());
}

void PagesHarness::refreshAllPanels()
{
    ++panelRefreshes;

    for (auto& [id, button] : controls)
        button->refreshCaption();

    refresh.refreshPanels();
}

void PagesHarness::buildValueLists (ControlButton& button, MidiPageList list) { refresh.buildValueLists (button, list); }

void PagesHarness::showControlMenu() { ControlMenu::show (*this); }

void PagesHarness::passTextToFuncPage (const juce::String& text, bool enabled) { refresh.passTextToFuncPage (text, enabled); }

//==============================================================================
PagesTest::PagesTest() : pages (std::make_unique<PagesHarness>()), frame (std::make_unique<GuiHarness> (*pages))
{
    lastCaptureKind = 0;
    lastKeyPress = {};
    lastKeyDescription = {};
    lastWheel = {};
}

PagesTest::~PagesTest()
{
    frame = nullptr;
    pages = nullptr;
}

void PagesTest::chooseWorkstation (int dawId, int slotId)
{
    slotDawIds[static_cast<size_t> (slotId - 1)] = dawId;
    currentSlotId = slotId;
    pages->refreshFromModel();
    pages->refreshAllPanels();
}

ControlEntry PagesTest::entry (int controlId) { return host->getStateTree().controlEntryInCurrentSlot (controlId); }

void PagesTest::setMidi (int controlId, const juce::String& type, int channel, int value)
{
    entry (controlId)
        .setProperty (mapIds::valueType, "midi", nullptr)
        .setProperty (mapIds::type, type, nullptr)
        .setProperty (mapIds::chan, channel, nullptr)
        .setProperty (mapIds::value, value, nullptr)
        .setProperty (mapIds::msgValue, value, nullptr)
        .setProperty (mapIds::name, "", nullptr)
        .setProperty (mapIds::diyNameQ, false, nullptr);
}
} // namespace corvix::testing
