#include "link/Host.h"

#include "devices/PortNames.h"
#include "link/HostImpl.h"
#include "link/HostMidiInputHandler.h"
#include "link/ReplacedTreeRelease.h"
#include "map/SharedEditingState.h"
#include "platform/MessageLoopWait.h"

namespace NsOrvelA
{
JUCE_IMPLEMENT_SINGLETON (Host)

Host::Host() : impl (std::make_unique<Impl>()) { impl->loadState(); }

Host::~Host()
{
    if (midiHandler != nullptr)
        midiHandler->close();

    impl = nullptr;

    // Nothing of a replaced map outlives the Host that held it.
    waitForReplacedTreeReleases();

    if (getInstanceWithoutCreating() == this)
        clearSingletonInstance();

    if (hostInstance == this)
        hostInstance = nullptr;

    midiHandler = nullptr;
}

MapState Host::getStateTree() { return MapState (impl->state); }

juce::ValueTree Host::getState() { return impl->state; }

juce::String Host::getSelectedOutputName() const { return impl->selectedOutputName; }

void Host::setSelectedOutputName (const juce::String& name) { impl->selectedOutputName = name; }

juce::Result Host::saveState() { return impl->saveState(); }

Host::MidiInputHandler& Host::replaceMidiHandler()
{
    // The old handler's input is stopped before it goes, so its callback is never left running.
    midiHandler = nullptr;
    midiHandler = std::make_unique<MidiInputHandler>();
    return *midiHandler;
}

//==============================================================================
void Host::refreshEditorPanels()
{
    if (currentEditor != nullptr)
        currentEditor->refreshAllPanels();
}

void Host::refreshEditor()
{
    if (currentEditor != nullptr)
        currentEditor->refreshFromModel();
}

void Host::refreshEditorFull() { refreshEditor(); }
void Host::refreshAfterOptionChange() { refreshEditor(); }
void Host::refreshAfterDawChange() { refreshEditor(); }
void Host::refreshPanelsAfterHotkey() { refreshEditorPanels(); }
void Host::refreshPanelsAfterMidiEdit() { refreshEditorPanels(); }

void Host::setEditorModel (int productId)
{
    if (currentEditor != nullptr)
        currentEditor->applyModel (productId);
}

void Host::setCurrentSlot (int slotId)
{
    // A unit may report a slot outside 1..3 (0 included); the editor's slot stays a slot id.
    if (currentEditor == nullptr || ! isSlotId (slotId))
        return;

    currentSlotId = slotId;
    refreshEditorFull();
    refreshEditorPanels();
}

void Host::showControlMenuFromMixer()
{
    if (currentEditor != nullptr)
        currentEditor->showControlMenu();
}

void Host::showControlMenuFromButtons() { showControlMenuFromMixer(); }

void Host::showEditorText (const juce::String& text, bool enabled)
{
    if (currentEditor != nullptr && text.isNotEmpty())
        currentEditor->passTextToFuncPage (text, enabled);
}

void Host::showEditorTextFromMidiPage (const juce::String& text, bool enabled) { showEditorText (text, enabled); }

void Host::updateValueLists (ControlButton& control, MidiPageList list)
{
    if (currentEditor != nullptr)
        currentEditor->buildValueLists (control, list);
}

void Host::showEditorMessage (const juce::String& text)
{
    if (currentEditor != nullptr)
        currentEditor->showMessage (text);
}

//==============================================================================
bool setDeviceInputOpen (int productId, bool open)
{
    if (hostInstance == nullptr)
        return false;

    hostInstance->replaceMidiHandler();
    const auto name = talvor::findModelPort (talvor::midiPortBackend().getInputNames(), productId, false);

    if (name.isEmpty())
        return false;

    if (open)
        talvor::waitMs (3);

    // The wait ran the message loop: take the handler that is current now.
    auto* handler = hostInstance != nullptr ? hostInstance->getMidiHandler() : nullptr;

    if (handler == nullptr)
        return false;

    if (open)
        handler->openDevice (name);
    else
        handler->close();

    return handler->isOpen();
}
} // namespace NsOrvelA
