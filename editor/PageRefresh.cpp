#include "editor/PageRefresh.h"

#include "editor/FuncPage.h"
#include "editor/HotkeyPage.h"
#include "editor/MidiPage.h"
#include "editor/MidiValueNames.h"
#include "editor/PageEdits.h"
#include "link/Host.h"
#include "map/AssignmentKinds.h"
#include "map/ControlLayout.h"
#include "map/DisplayTexts.h"
#include "map/HuiCodes.h"
#include "map/MidiKinds.h"
#include "map/SharedEditingState.h"
#include "map/WorkstationFunctionNames.h"
#include "map/Workstations.h"

namespace NsOrvelA
{
namespace
{
const juce::Colour cadetBlue{ 0xff5f9ea0 };
constexpr int hotkeyTab = 1;
constexpr int huiZoneChoiceCount = 30;
constexpr int midiChannelCount = 16;
constexpr int rotationPatternCount = 2;

juce::String hexByte (int value) { return juce::String::formatted ("0x%02X", value); }

juce::String numbered (int position, const juce::String& name) { return juce::String (position) + ") " + name; }

void setShown (bool shown, std::initializer_list<juce::Component*> components)
{
    for (auto* component : components)
        component->setVisible (shown);
}

int intOf (const ControlEntry& entry, const juce::Identifier& property, int absent)
{
    return static_cast<int> (entry.getProperty (property, absent));
}

/** The page tab that shows an assignment of a kind. */
int tabOfKind (int kind, bool buttonControl)
{
    switch (kind)
    {
        case midiAssignment:
        case huiAssignment:
            return buttonControl ? 2 : 1;
        case hotkeyAssignment:
        case mouseAssignment:
            return hotkeyTab;
        default:
            return PageRefresh::functionTab;
    }
}
} // namespace

PageRefresh::PageRefresh (EditorHooks& editorToRefresh, juce::TabbedComponent& pageTabs, FuncPage& function, HotkeyPage& hotkey,
                          MidiPage& midi)
    : editor (editorToRefresh), tabs (pageTabs), funcPage (function), hotkeyPage (hotkey), midiPage (midi)
{
}

void PageRefresh::addPageTab (const juce::String& name, juce::Component& page, int index)
{
    tabs.addTab (name, cadetBlue, &page, false, index);
}

bool PageRefresh::setEditorTabsForControl (int controlId)
{
    if (! isControlIndex (controlId))
        return false;

    if (isButtonControl (controlId) && tabs.getNumTabs() <= 2)
    {
        tabs.removeTab (1);
        addPageTab ("HOTKEY", hotkeyPage, 1);
        addPageTab ("MIDI", midiPage, 2);
    }
    else if (! isButtonControl (controlId) && tabs.getNumTabs() >= 3)
    {
        tabs.removeTab (2);
        tabs.removeTab (1);
        addPageTab ("MIDI", midiPage, 1);
    }

    return true;
}

void PageRefresh::buildValueLists (ControlButton& control, MidiPageList list)
{
    auto* host = pageEdits::host();
    const auto id = control.getControlNumber();

    if (host == nullptr || ! isControlIndex (id))
        return;

    const auto daw = pageEdits::currentDawId();
    const auto hui = isHuiDaw (daw);
    const auto knob = isKnobControl (id, ! hui);
    const auto fader = isFaderControl (id);
    const auto other = ! knob && ! fader;

    // A linked control ("lockBy") shows the entry it shares; which lists it offers is still its own
    // kind's.
    const auto shownId = pageEdits::sharedControlOf (id);
    const auto entry = pageEdits::shownEntryOf (id);

    midiPage.resized();

    auto& typeList = midiPage.getTypeList();
    auto& channelList = midiPage.getChannelList();
    auto& valueList = midiPage.getValueList();
    auto& rotationList = midiPage.getRotationList();
    const auto midiKind = MidiKind::fromName (entry.getProperty (mapIds::type).toString());

    const auto showValueColumns = [&] (bool shown) {
        setShown (shown, { &channelList, &valueList, &midiPage.getChannelHeader(), &midiPage.getValueHeader() });
    };

    const auto showRotation = [&] (bool shown) { setShown (shown, { &rotationList, &midiPage.getRotationHeader() }); };

    switch (list)
    {
        case MidiPageList::messageType:
        {
            typeList.clear (juce::dontSendNotification);

            if (hui)
            {
                const auto count = fader ? huiFaderCount : (knob ? huiKnobCount : huiCodeCount);

                for (int i = 0; i < count; ++i)
                {
                    const auto name = fader ? huiFaderNames (i) : (knob ? huiKnobNames (i) : dawControlName (huiDawId, buttonClass, i));
                    typeList.addItem (numbered (i, name), i + 1);
                }

                const auto hotkey = entry.getProperty (mapIds::valueType).toString() == assignmentTypeName (hotkeyAssignment);
                typeList.setSelectedItemIndex (hotkey ? -1 : intOf (entry, mapIds::value, 0), juce::dontSendNotification);
                showValueColumns (other);
                showRotation (false);
            }
            else
            {
                for (int kind = 0; kind < midiKindCount; ++kind)
                    typeList.addItem (midiTypeDisplayNames (kind), kind + 1);

                typeList.setSelectedItemIndex (midiKind, juce::dontSendNotification);
                showValueColumns (true);
            }
            break;
        }

        case MidiPageList::channel:
        {
            channelList.clear (juce::dontSendNotification);

            if (hui)
            {
                for (int zone = 0; zone < huiZoneChoiceCount; ++zone)
                    channelList.addItem (hexByte (zone), zone + 1);

                channelList.setSelectedItemIndex (intOf (entry, mapIds::val1, -1), juce::dontSendNotification);
                showValueColumns (other);
                showRotation (false);
            }
            else
            {
                for (int channel = 1; channel <= midiChannelCount; ++channel)
                    channelList.addItem (juce::String (channel), channel);

                channelList.setSelectedId (intOf (entry, mapIds::chan, 0), juce::dontSendNotification);
                showValueColumns (true);
            }
            break;
        }

        case MidiPageList::messageValue:
        {
            valueList.clear (juce::dontSendNotification);

            if (hui)
            {
                for (int position = 0; position < huiPortChoiceCount; ++position)
                    valueList.addItem (hexByte (huiPortByte (position)), position + 1);

                const auto port = intOf (entry, mapIds::val2, -1);
                valueList.setSelectedItemIndex (port < 0 ? -1 : huiPortPosition (port), juce::dontSendNotification);
                valueList.setEnabled (true);
                showValueColumns (other);
                showRotation (false);
            }
            else
            {
                for (int value = 0; value < midiValueCount; ++value)
                    valueList.addItem (numbered (value, midiValueName (midiKind, value)), value + 1);

                // A pitch bend has no value of its own to choose.
                const auto pitch = midiKindName (midiKind) == "pitch";
                valueList.setSelectedItemIndex (pitch ? 0 : intOf (entry, mapIds::value, 0), juce::dontSendNotification);
                valueList.setEnabled (! pitch);
                showValueColumns (true);
            }
            break;
        }

        case MidiPageList::rotationPattern:
        {
            rotationList.clear (juce::dontSendNotification);

            if (hui)
            {
                showValueColumns (other);
                showRotation (false);
            }
            else
            {
                for (int pattern = 1; pattern <= rotationPatternCount; ++pattern)
                    rotationList.addItem (numbered (pattern, rotationPatternName (pattern)), pattern);

                rotationList.setSelectedId (intOf (entry, mapIds::rotate, 0), juce::dontSendNotification);
                showRotation (knob);
                showValueColumns (true);
            }
            break;
        }
    }

    const auto button = isButtonControl (shownId);
    midiPage.getNameTitle().setVisible (button);
    midiPage.getNameField().setVisible (button);
    midiPage.getNameField().setText (entry.getProperty (mapIds::name).toString(), juce::dontSendNotification);
}

void PageRefresh::showPagesForControl (ControlButton& control)
{
    auto* host = pageEdits::host();
    const auto id = control.getControlNumber();

    if (host == nullptr || ! isControlIndex (id))
        return;

    const auto entry = host->getStateTree().controlEntryInCurrentSlot (id);
    const auto kind = assignmentTypeFromName (entry.getProperty (mapIds::valueType).toString());
    const auto value = intOf (entry, mapIds::value, 0);
    const auto daw = pageEdits::currentDawId();

    if (! isDawId (daw))
        return;

    tabs.setCurrentTabIndex (tabOfKind (kind, isButtonControl (id)), true);

    for (auto list : { MidiPageList::messageType, MidiPageList::channel, MidiPageList::messageValue, MidiPageList::rotationPattern })
        buildValueLists (control, list);

    hotkeyPage.refreshFromControl (&control);

    if (kind == funcAssignment)
        funcPage.scrollToProportion (value / static_cast<double> (functionCodeCount));

    editor.refreshAllPanels();

    // A knob or a fader takes no button function.
    const auto takesFunctions = ! isKnobControl (id, isNotHuiDaw (daw)) && ! isFaderControl (id);
    auto& layer = funcPage.getLayer();

    for (int i = 0; i < FuncLayer::buttonCount; ++i)
    {
        auto& button = layer.getFunctionButton (i);

        if (! takesFunctions)
            button.setVisible (false);
        else if (button.getButtonText().isNotEmpty())
            button.setVisible (true);
    }
}

void PageRefresh::refreshFromModel (int dawId)
{
    funcPage.showWorkstation (dawId);
    midiPage.showHeadersFor (isHuiDaw (dawId));
    funcPage.fillFunctionButtons();

    if (auto* host = pageEdits::host())
        host->collectAssignedFunctionNames();

    funcPage.getLayer().disableListedFunctions();
}

void PageRefresh::refreshPanels()
{
    funcPage.getLayer().refreshSelection();

    if (currentControl != nullptr)
        hotkeyPage.refreshFromControl (currentControl);

    midiPage.refreshFromControl();
}

void PageRefresh::passTextToFuncPage (const juce::String& text, bool enabled) { funcPage.getLayer().setFunctionEnabled (text, enabled); }
} // namespace NsOrvelA
