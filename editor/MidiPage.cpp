#include "editor/MidiPage.h"

#include "editor/MidiValueNames.h"
#include "editor/PageEdits.h"
#include "editor/PageLabels.h"
#include "link/Host.h"
#include "map/AssignmentKinds.h"
#include "map/ControlLayout.h"
#include "map/DisplayTexts.h"
#include "map/HidKeyTables.h"
#include "map/HuiCodes.h"
#include "map/MidiKinds.h"
#include "map/SharedEditingState.h"
#include "map/WorkstationFunctionNames.h"
#include "map/Workstations.h"

namespace NsOrvelA
{
namespace
{
constexpr int rowHeight = 28;
constexpr int customHuiCode = 113;
constexpr int faderZone = 32;
constexpr int knobZone = 64;

juce::String huiFunctionName (int code) { return dawControlName (huiDawId, buttonClass, code); }
} // namespace

MidiPage::MidiPage()
    : typeList (std::make_unique<juce::ComboBox>()), channelList (std::make_unique<juce::ComboBox>()),
      valueList (std::make_unique<juce::ComboBox>()), rotationList (std::make_unique<juce::ComboBox>()),
      typeHeader (pageLabels::makeTitle ("Message Type")), channelHeader (pageLabels::makeTitle ("Channel")),
      valueHeader (pageLabels::makeTitle ("Message Value")), rotationHeader (pageLabels::makeTitle ("Rotation Pattern")),
      nameTitle (pageLabels::makeTitle ("Name")), nameField (pageLabels::makeNameField ([this] { storeName(); }))
{
    for (int kind = 0; kind < midiKindCount; ++kind)
        typeList->addItem (midiTypeDisplayNames (kind), kind + 1);

    for (auto* list : { typeList.get(), channelList.get(), valueList.get(), rotationList.get() })
    {
        list->addListener (this);
        addAndMakeVisible (*list);
    }

    for (auto* label : { typeHeader.get(), channelHeader.get(), valueHeader.get(), rotationHeader.get(), nameTitle.get(), nameField.get() })
        addAndMakeVisible (*label);
}

MidiPage::~MidiPage()
{
    for (auto* list : { typeList.get(), channelList.get(), valueList.get(), rotationList.get() })
        list->removeListener (this);
}

void MidiPage::paint (juce::Graphics& g) { g.fillAll (pageLabels::pageGrey); }

void MidiPage::resized()
{
    const auto width = static_cast<float> (getWidth());
    const auto w = width * 0.8f;
    const auto x = static_cast<int> ((width - w) / 2.0f);
    const auto rowWidth = static_cast<int> (w);
    const auto place = [x, rowWidth] (juce::Component& child, int y) { child.setBounds (x, y, rowWidth, rowHeight); };

    place (*typeHeader, 33);
    place (*typeList, 61);
    place (*channelHeader, 123);
    place (*channelList, 151);
    place (*valueHeader, 212);
    place (*valueList, 240);

    // A knob of an ordinary workstation has a rotation pattern: it takes the fourth row and the
    // name rows move down by one row.
    const auto daw = pageEdits::currentDawId();
    const auto knobRow = isNotHuiDaw (daw) && isKnobControl (pageEdits::selectedControlId(), true);
    place (*rotationHeader, 302);
    place (*rotationList, 330);
    place (*nameTitle, knobRow ? 392 : 302);
    place (*nameField, knobRow ? 420 : 330);
}

void MidiPage::showHeadersFor (bool huiWorkstation)
{
    typeHeader->setText (huiWorkstation ? "Function" : "Message Type", juce::dontSendNotification);
    channelHeader->setText (huiWorkstation ? "Value 1" : "Channel", juce::dontSendNotification);
    valueHeader->setText (huiWorkstation ? "Value 2" : "Message Value", juce::dontSendNotification);
}

bool MidiPage::allListsChosen() const
{
    return typeList->getSelectedId() > 0 && channelList->getSelectedId() > 0 && valueList->getSelectedId() > 0;
}

void MidiPage::comboBoxChanged (juce::ComboBox* comboBox)
{
    auto* host = pageEdits::host();

    if (host == nullptr)
        return;

    // A linked control's edit starts from the entry the page shows, the one it shares.
    auto entry = pageEdits::editableLinkedEntry();

    // Without an entry (no control, a fixed HUI button, or a slot that a map file left at 0)
    // there is nothing to edit.
    if (currentControl == nullptr || ! entry.isValid())
    {
        host->refreshPanelsAfterMidiEdit();
        return;
    }

    const auto id = currentControl->getControlNumber();
    const auto hui = isHuiDaw (pageEdits::currentDawId());
    const auto channelStrip = hui && (isFaderControl (id) || isKnobControl (id, ! hui));
    auto cleared = false;

    if (comboBox == typeList.get())
        cleared = storeTypeChoice (entry, id, hui);
    else if (comboBox == channelList.get())
    {
        if (hui)
            storeZoneChoice (entry);
        else
            entry.setProperty (mapIds::chan, channelList->getSelectedId(), nullptr);
    }
    else if (comboBox == valueList.get())
    {
        if (hui)
            storePortChoice (entry);
        else
        {
            const auto value = valueList->getSelectedItemIndex();
            entry.setProperty (mapIds::value, value, nullptr);
            entry.setProperty (mapIds::msgValue, value, nullptr);
        }
    }
    else if (comboBox == rotationList.get())
    {
        entry.setProperty (mapIds::rotate, rotationList->getSelectedId(), nullptr);
    }

    if (cleared || channelStrip || allListsChosen())
    {
        host->showEditorTextFromMidiPage (currentControl->makeCaption(), true);
        entry.setProperty (mapIds::valueType, assignmentTypeName (hui ? huiAssignment : midiAssignment), nullptr);

        // A name the user typed survives; otherwise the caption is the name.
        if (! static_cast<bool> (entry.getProperty (mapIds::diyNameQ, false)) && ! hui)
            entry.setProperty (mapIds::name, juce::String(), nullptr);

        entry.setProperty (mapIds::name, currentControl->makeCaption(), nullptr);
        host->refreshEditorFull();
        pageEdits::refreshSelectedCaption();
        pageEdits::copyToLinkedButtons (id, entry);
        pageEdits::markSlotForUpload (pageEdits::selectedSlotId());
    }

    pageEdits::passEditToSharedControl (entry);
    rebuildLists();
    host->refreshPanelsAfterMidiEdit();
}

bool MidiPage::storeTypeChoice (juce::ValueTree& entry, int controlId, bool hui)
{
    const auto t = typeList->getSelectedItemIndex();

    if (t < 0)
        return false;

    if (! hui)
    {
        entry.setProperty (mapIds::type, midiKindName (t), nullptr);

        if (channelList->getSelectedId() == 0)
        {
            entry.setProperty (mapIds::chan, 1, nullptr);
            channelList->setSelectedId (1, juce::dontSendNotification);
        }

        return false;
    }

    auto cleared = false;

    if (isFaderControl (controlId))
    {
        entry.setProperty (mapIds::val1, faderZone, nullptr);
        entry.setProperty (mapIds::val2, t, nullptr);
        entry.setProperty (mapIds::name, huiFaderNames (t), nullptr);
    }
    else if (isKnobControl (controlId, false))
    {
        entry.setProperty (mapIds::val1, knobZone, nullptr);
        entry.setProperty (mapIds::val2, t, nullptr);
        entry.setProperty (mapIds::name, huiKnobNames (t), nullptr);
    }
    else if (t == 0)
    {
        channelList->setSelectedId (0, juce::dontSendNotification);
        valueList->setSelectedId (0, juce::dontSendNotification);
        entry.setProperty (mapIds::val1, -1, nullptr);
        entry.setProperty (mapIds::val2, -1, nullptr);
        cleared = true;
    }
    else if (t < customHuiCode)
    {
        const auto pair = huiZonePort (t);
        const auto name = huiFunctionName (t);
        channelList->setSelectedItemIndex (pair.zone, juce::dontSendNotification);
        valueList->setSelectedItemIndex (huiPortPosition (pair.port), juce::dontSendNotification);
        nameField->setText (name, juce::dontSendNotification);
        entry.setProperty (mapIds::val1, pair.zone, nullptr);
        entry.setProperty (mapIds::val2, pair.port, nullptr);
        entry.setProperty (mapIds::name, name, nullptr);
    }
    else
    {
        // "(custom)" names no pair of its own: the zone and port lists make it.
        return false;
    }

    entry.setProperty (mapIds::value, t, nullptr);
    return cleared;
}

void MidiPage::showHuiFunction (juce::ValueTree& entry, int zone, int port)
{
    auto code = huiCodeIndex (zone, port);
    const auto name = code > 0 ? huiFunctionName (code) : huiCustomLabel (zone, port);

    if (code <= 0)
        code = customHuiCode;

    nameField->setText (name, juce::dontSendNotification);
    entry.setProperty (mapIds::val1, zone, nullptr);
    entry.setProperty (mapIds::val2, port, nullptr);
    entry.setProperty (mapIds::value, code, nullptr);
    entry.setProperty (mapIds::name, name, nullptr);
    typeList->setSelectedItemIndex (code, juce::dontSendNotification);
}

void MidiPage::storeZoneChoice (juce::ValueTree& entry)
{
    const auto zone = channelList->getSelectedItemIndex();
    entry.setProperty (mapIds::val1, zone, nullptr);

    const auto position = valueList->getSelectedItemIndex();

    if (position < 0)
    {
        typeList->setSelectedItemIndex (customHuiCode, juce::dontSendNotification);
        return;
    }

    showHuiFunction (entry, zone, huiPortByte (position));
}

void MidiPage::storePortChoice (juce::ValueTree& entry)
{
    const auto zone = channelList->getSelectedItemIndex();
    const auto port = huiPortByte (valueList->getSelectedItemIndex());
    entry.setProperty (mapIds::val2, port, nullptr);

    if (zone == -1)
    {
        typeList->setSelectedItemIndex (customHuiCode, juce::dontSendNotification);
        return;
    }

    showHuiFunction (entry, zone, port);
}

void MidiPage::storeName()
{
    const auto text = pageLabels::nameOf (*nameField);
    auto* host = pageEdits::host();

    if (currentControl == nullptr || host == nullptr)
        return;

    // A fixed HUI button, or a slot that a map file left at 0, has no entry to name.
    auto entry = pageEdits::editableLinkedEntry();

    if (! entry.isValid())
    {
        host->refreshPanelsAfterMidiEdit();
        return;
    }

    if (! hasNonAsciiCharacter (text))
    {
        const auto hui = isHuiDaw (pageEdits::currentDawId());
        const auto userName = text.isNotEmpty();

        if (allListsChosen())
        {
            entry.setProperty (mapIds::valueType, assignmentTypeName (hui ? huiAssignment : midiAssignment), nullptr);
            entry.setProperty (mapIds::name, text, nullptr);
            entry.setProperty (mapIds::type, midiKindName (typeList->getSelectedItemIndex()), nullptr);
            entry.setProperty (mapIds::chan, channelList->getSelectedId(), nullptr);
            entry.setProperty (mapIds::msgValue, valueList->getSelectedItemIndex(), nullptr);
            entry.setProperty (mapIds::diyNameQ, userName, nullptr);
        }
        else if (hui && typeList->getSelectedItemIndex() == 0)
        {
            entry.setProperty (mapIds::valueType, assignmentTypeName (huiAssignment), nullptr);
            entry.setProperty (mapIds::name, text, nullptr);
            entry.setProperty (mapIds::diyNameQ, userName, nullptr);
        }
    }

    pageEdits::refreshSelectedCaption();
    host->refreshPanelsAfterMidiEdit();
    pageEdits::copyToLinkedButtons (currentControl->getControlNumber(), entry);
    pageEdits::passEditToSharedControl (entry);
    pageEdits::markSlotForUpload (pageEdits::selectedSlotId());
}

void MidiPage::rebuildLists()
{
    auto* host = pageEdits::host();

    if (currentControl == nullptr || host == nullptr)
        return;

    for (auto list : { MidiPageList::messageType, MidiPageList::channel, MidiPageList::messageValue, MidiPageList::rotationPattern })
        host->updateValueLists (*currentControl, list);
}

void MidiPage::refreshFromControl()
{
    if (isHuiDaw (pageEdits::currentDawId()))
        typeList->clear (juce::dontSendNotification);

    rebuildLists();
}
} // namespace NsOrvelA
