#include "editor/HotkeyPage.h"

#include "editor/KeyEntryWindow.h"
#include "editor/PageEdits.h"
#include "editor/PageLabels.h"
#include "editor/PressedKey.h"
#include "link/Host.h"
#include "map/AssignmentKinds.h"
#include "map/ControlLayout.h"
#include "map/DisplayTexts.h"
#include "map/HidKeyTables.h"
#include "map/SharedEditingState.h"
#include "ui/Dialogs.h"

namespace NsOrvelA
{
namespace
{
constexpr int rowHeight = 28;
const juce::String keySeparator{ " + " };

juce::String withoutBlanksAndPlus (const juce::String& text) { return text.removeCharacters (" +"); }

/** The key of a description: its last non-empty part between the three-character separators
    " + ". Key names hold blanks ("page down", "numpad 1") and the plus key is "+" itself, so the
    description is never cut at single blanks or plus signs. */
juce::String lastKeyPart (const juce::String& description)
{
    for (auto rest = description; rest.isNotEmpty(); rest = rest.upToLastOccurrenceOf (keySeparator, false, false))
    {
        if (! rest.contains (keySeparator))
            return rest;

        if (auto last = rest.fromLastOccurrenceOf (keySeparator, false, false); last.isNotEmpty())
            return last;
    }

    return {};
}

/** The key tables name only some of the keypad's keys as the framework describes them ("numpad 1"
    but not "numpad enter"); the others are found by the keypad's own usages. */
int hidUsageOfDescription (const juce::String& keyDescription)
{
    for (int usage = 0; usage < hidUsageCount; ++usage)
        if (hidUsageKeyDescriptions (usage) == keyDescription)
            return usage;

    return keypadUsageOfDescription (keyDescription);
}

/** Before a capture replaces a function, that function becomes choosable again. */
void releaseFunctionOf (const ControlEntry& entry, const juce::String& oldCaption)
{
    if (entry.getProperty (mapIds::valueType).toString().equalsIgnoreCase (assignmentTypeName (funcAssignment)))
        pageEdits::host()->showEditorText (oldCaption, true);
}
} // namespace

HotkeyPage::HotkeyPage()
    : nameTitle (pageLabels::makeTitle ("Name:", juce::Justification::centredLeft)),
      nameField (pageLabels::makeNameField ([this] { storeName(); })),
      hotkeyTitle (pageLabels::makeTitle ("Hotkey:", juce::Justification::centredLeft)),
      keyText (pageLabels::makeTitle (lastKeyPress.isValid() ? lastKeyDescription : juce::String())),
      changeButton (std::make_unique<juce::TextButton> ("Click To Change"))
{
    changeButton->addListener (this);

    addAndMakeVisible (*nameTitle);
    addAndMakeVisible (*nameField);
    addAndMakeVisible (*hotkeyTitle);
    addAndMakeVisible (*keyText);
    addAndMakeVisible (*changeButton);
}

HotkeyPage::~HotkeyPage() { changeButton->removeListener (this); }

void HotkeyPage::paint (juce::Graphics& g) { g.fillAll (pageLabels::pageGrey); }

void HotkeyPage::resized()
{
    const auto w = static_cast<int> (getWidth() * 0.8);
    const auto x = (getWidth() - w) / 2;
    const auto top = static_cast<int> (getHeight() * 0.2);

    nameTitle->setBounds (x, top - 33, w, rowHeight);
    nameField->setBounds (x, top, w, rowHeight);
    hotkeyTitle->setBounds (x, top + 42, w, rowHeight);
    keyText->setBounds (x, top + 75, w, rowHeight);
    changeButton->setBounds (x, top + 117, w, rowHeight);
}

void HotkeyPage::buttonClicked (juce::Button*)
{
    {
        KeyEntryWindow window;

        if (talvor::dialogs().runModalLoop (window) != KeyEntryWindow::okResult)
            return;
    }

    if (lastCaptureKind == hotkeyAssignment)
        storeKeyCapture();
    else if (lastCaptureKind == mouseAssignment)
        storeWheelCapture();

    // Confirmed, even without a capture: the panels follow and the slot goes to the units again.
    if (currentControl != nullptr && pageEdits::host() != nullptr)
    {
        pageEdits::host()->refreshPanelsAfterHotkey();

        if (pageEdits::editableEntry().isValid())
            pageEdits::markSlotForUpload (pageEdits::selectedSlotId());
    }
}

bool HotkeyPage::nameMirrorsKeyText() const
{
    return withoutBlanksAndPlus (nameField->getText()).equalsIgnoreCase (withoutBlanksAndPlus (keyText->getText()));
}

void HotkeyPage::storeKeyCapture()
{
    const auto description = lastKeyDescription;
    const auto& modifiers = lastKeyPress.getModifiers();
    const auto ctrl = modifiers.isCtrlDown();
    const auto shift = modifiers.isShiftDown();
    const auto alt = modifiers.isAltDown();
    const auto cmd = false; // this platform has no separate command key

    const auto usage = hidUsageOfDescription (lastKeyPart (description));
    const auto keyName = usage >= 0 ? hidUsageDisplayNames (usage) : juce::String();
    const auto captured = description.removeCharacters (" ").toUpperCase();
    const auto compactKeyName = keyName.removeCharacters (" ");
    const auto autoName = (ctrl || shift || alt || cmd)
                              ? description.upToLastOccurrenceOf (keySeparator, false, false).removeCharacters (" ") + " " + compactKeyName
                              : compactKeyName;

    // A button whose function the HUI workstation fixes keeps it: no capture reaches its entry.
    if (auto entry = pageEdits::editableEntry(); entry.isValid())
    {
        releaseFunctionOf (entry, currentControl->makeCaption());

        entry.setProperty (mapIds::valueType, assignmentTypeName (hotkeyAssignment), nullptr);
        entry.setProperty (mapIds::ctrl, ctrl, nullptr);
        entry.setProperty (mapIds::shift, shift, nullptr);
        entry.setProperty (mapIds::alt, alt, nullptr);
        entry.setProperty (mapIds::cmd, cmd, nullptr);
        entry.setProperty (mapIds::key, usage, nullptr);
        entry.setProperty (mapIds::keyName, keyName, nullptr);
        pageEdits::refreshSelectedCaption();

        if (nameMirrorsKeyText())
        {
            nameField->setText (autoName, juce::dontSendNotification);
            entry.setProperty (mapIds::name, juce::String(), nullptr);
        }
    }

    keyText->setText (captured, juce::dontSendNotification);
}

void HotkeyPage::storeWheelCapture()
{
    const auto wheelText = KeyEntryWindow::wheelStepText (lastWheel);
    const auto lower = wheelText.toLowerCase();

    if (auto entry = pageEdits::editableEntry(); entry.isValid())
    {
        releaseFunctionOf (entry, currentControl->makeCaption());

        entry.setProperty (mapIds::valueType, assignmentTypeName (mouseAssignment), nullptr);
        entry.setProperty (mapIds::ctrl, 0, nullptr);
        entry.setProperty (mapIds::shift, 0, nullptr);
        entry.setProperty (mapIds::alt, 0, nullptr);
        entry.setProperty (mapIds::cmd, 0, nullptr);
        entry.setProperty (mapIds::key, 0, nullptr);
        entry.setProperty (mapIds::keyName, lower, nullptr);
        pageEdits::refreshSelectedCaption();

        if (nameMirrorsKeyText())
        {
            nameField->setText (lower, juce::dontSendNotification);
            entry.setProperty (mapIds::name, juce::String(), nullptr);
        }
    }

    keyText->setText (wheelText.toUpperCase(), juce::dontSendNotification);
}

void HotkeyPage::storeName()
{
    const auto text = pageLabels::nameOf (*nameField);

    if (currentControl == nullptr || pageEdits::host() == nullptr)
        return;

    if (auto entry = pageEdits::editableEntry(); entry.isValid() && ! hasNonAsciiCharacter (text))
    {
        entry.setProperty (mapIds::name, text, nullptr);
        entry.setProperty (mapIds::valueType, assignmentTypeName (hotkeyAssignment), nullptr);
        pageEdits::refreshSelectedCaption();
        refreshFromControl (currentControl);
        pageEdits::markSlotForUpload (pageEdits::selectedSlotId());
    }

    pageEdits::host()->refreshPanelsAfterHotkey();
}

void HotkeyPage::refreshFromControl (ControlButton* control)
{
    juce::String nameText, keyDisplay;
    const auto id = control != nullptr ? control->getControlNumber() : 0;

    if (control != nullptr && pageEdits::host() != nullptr)
    {
        const auto entry = pageEdits::host()->getStateTree().controlEntryInCurrentSlot (id);
        const auto valueType = entry.getProperty (mapIds::valueType).toString();
        const auto kind = assignmentTypeFromName (valueType);

        if (valueType == assignmentTypeName (hotkeyAssignment) || valueType == assignmentTypeName (mouseAssignment))
        {
            const auto held = [&entry] (const juce::Identifier& modifier) { return static_cast<int> (entry.getProperty (modifier)) != 0; };
            const auto ctrl = held (mapIds::ctrl), shift = held (mapIds::shift), alt = held (mapIds::alt), cmd = held (mapIds::cmd);
            const auto keyDescription = hidUsageKeyDescriptions (static_cast<int> (entry.getProperty (mapIds::key)));

            // A wheel step has no key: its label shows the step, as right after the capture.
            keyDisplay = kind == mouseAssignment ? entry.getProperty (mapIds::keyName).toString()
                                                 : hotkeyEntryText (ctrl, shift, alt, cmd, keyDescription, kind);
            nameText = hotkeyButtonText (ctrl, shift, alt, cmd, entry.getProperty (mapIds::keyName).toString(),
                                         entry.getProperty (mapIds::name).toString(), kind);
        }
    }

    nameField->setText (nameText, juce::dontSendNotification);
    keyText->setText (keyDisplay.toUpperCase(), juce::dontSendNotification);

    const auto button = isButtonControl (id);
    nameTitle->setVisible (button);
    nameField->setVisible (button);
    nameField->setEditable (button, false, false);
}
} // namespace NsOrvelA
