#include "editor/EditorRefresh.h"

#include "editor/CommandCaptions.h"
#include "editor/MainComp.h"
#include "link/Host.h"
#include "map/ControlLayout.h"
#include "map/SharedEditingState.h"
#include "map/UnitModels.h"
#include "map/Workstations.h"

namespace NsOrvelA
{
namespace
{
constexpr juce::uint32 buttonFunctionsTabColour = 0xffffa500;
const char* const buttonFunctionsTab = "BUTTON FUNCTIONS";
constexpr int buttonFunctionsTabIndex = 1;
} // namespace

void EditorRefresh::refreshFromModel()
{
    const bool isMainUnit = isOrvelA (currentModelId);
    mixerStripCount = isMainUnit ? 9 : 8;

    // The slot workstations and the selected slot are the editor's, the same for every unit.
    if (hostInstance != nullptr)
    {
        auto state = hostInstance->getStateTree();

        for (int slotId = 1; slotId <= slotCount; ++slotId)
            for (int unitId = 1; unitId <= unitCount; ++unitId)
                state.slotNode (slotId, unitId).setProperty (mapIds::current, slotDawIds[(size_t) idToIndex (slotId)], nullptr);

        for (int unitId = 1; unitId <= unitCount; ++unitId)
            hostInstance->setUnitCurrentSlot (currentSlotId, unitId);
    }

    auto& mixer = editor.getMixerSection();
    mixer.showSlots();

    const auto daw = hostInstance != nullptr ? hostInstance->getStateTree().slotDawId (currentSlotId) : 0;
    mixer.showStrips (isMainUnit, isHuiDaw (daw));
    editor.getPageRefresh().refreshFromModel (daw);

    showFaderLock();
}

void EditorRefresh::showFaderLock()
{
    if (! isSlotId (currentSlotId))
        return;

    const bool locked = slotFaderUnlocked[(size_t) idToIndex (currentSlotId)].load() == 0;
    auto& faderButton = editor.getCommandButton (MainComp::Command::fader);
    faderButton.setEnabled (! locked);
    faderButton.setButtonText (locked ? commandCaptions::faderLocked : commandCaptions::faderUnlocked);
}

bool EditorRefresh::applyModel (int productId)
{
    auto& tabs = editor.getSectionTabs();

    // The button grid is the main unit's: the extenders have no button controls.
    if (isOrvelA (productId) && tabs.getNumTabs() <= buttonFunctionsTabIndex)
        tabs.addTab (buttonFunctionsTab, juce::Colour (buttonFunctionsTabColour), &editor.getFuncSection(), false, buttonFunctionsTabIndex);

    if (! isOrvelA (productId))
    {
        auto shown = tabs.getCurrentTabIndex();
        tabs.removeTab (buttonFunctionsTabIndex);

        if (shown == buttonFunctionsTabIndex)
            shown = 0;

        tabs.setCurrentTabIndex (shown, true);
    }

    // A product id that is none of the units names no unit: the tree's current unit stays.
    if (const auto unitId = unitIdOfProduct (productId); unitId != 0)
    {
        editor.getModelChooser().setSelectedId (unitId, juce::dontSendNotification);

        if (hostInstance != nullptr)
            hostInstance->getState().setProperty (mapIds::current, unitId, nullptr);
    }

    return true;
}

void EditorRefresh::refreshAllPanels()
{
    editor.getMixerSection().refreshPanel();
    editor.getFuncSection().refreshTitle();
    editor.getPageRefresh().refreshPanels();
}

void EditorRefresh::selectControl (MappableButton& button)
{
    editor.deselectCurrentControl();
    editor.selectCurrentControl (button);

    // The page tabs follow the control; the pages show its assignment only while the current slot
    // of a valid unit has a workstation, otherwise there is nothing to edit.
    auto& pages = editor.getPageRefresh();

    if (pages.setEditorTabsForControl (button.getControlNumber()))
        pages.showPagesForControl (button);
}
} // namespace NsOrvelA
