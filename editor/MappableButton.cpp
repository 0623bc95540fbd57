#include "editor/MappableButton.h"

#include "link/Host.h"
#include "map/AssignmentKinds.h"
#include "map/ControlLayout.h"
#include "map/DisplayTexts.h"
#include "map/HuiCodes.h"
#include "map/MapIdentifiers.h"
#include "map/MidiKinds.h"
#include "map/SharedEditingState.h"

namespace NsOrvelA
{
namespace
{
constexpr int customHuiCode = huiCodeCount - 1;
} // namespace

MappableButton::MappableButton (const juce::String& name) : juce::TextButton (name) {}

MappableButton::~MappableButton()
{
    // The selection must never name a button that is gone.
    if (currentControl == this)
        currentControl = nullptr;
}

void MappableButton::bindEntry (const juce::ValueTree& entry)
{
    controlNumber = static_cast<int> (entry.getProperty (mapIds::id));
    refreshCaption();
}

void MappableButton::refreshCaption() { setCaption (makeCaption()); }

juce::String MappableButton::makeCaption() const
{
    if (hostInstance == nullptr)
        return {};

    const auto state = hostInstance->getStateTree();
    const auto daw = state.currentDawId();

    if (! isDawId (daw))
        return {};

    const auto entry = state.controlEntryInCurrentSlot (controlNumber);
    const auto name = entry.getProperty (mapIds::name).toString();

    const auto flag = [&entry] (const juce::Identifier& id) { return static_cast<bool> (entry.getProperty (id)); };
    const auto number = [&entry] (const juce::Identifier& id) { return static_cast<int> (entry.getProperty (id)); };

    const auto assignment = assignmentTypeFromName (entry.getProperty (mapIds::valueType).toString());

    switch (assignment)
    {
        case hotkeyAssignment:
        case mouseAssignment:
            return hotkeyButtonText (flag (mapIds::ctrl), flag (mapIds::shift), flag (mapIds::alt), flag (mapIds::cmd),
                                     entry.getProperty (mapIds::keyName).toString(), name,
                                     assignment == hotkeyAssignment ? hotkeyKeyMode : mouseKeyMode);

        case midiAssignment:
            return midiAssignmentText (midiStatusNibbles (MidiKind::fromName (entry.getProperty (mapIds::type).toString())),
                                       number (mapIds::chan), number (mapIds::msgValue), name);

        case huiAssignment:
            // A (zone, port) pair without a function of its own is told apart by the label the
            // MIDI page gave it ("#" and the pair's number), not by the table's "(custom)".
            if (flag (mapIds::diyNameQ) || (number (mapIds::value) == customHuiCode && name.isNotEmpty()))
                return name;

            return dawControlName (daw, controlClass (controlNumber, isNotHuiDaw (daw)), number (mapIds::value));

        case nullAssignment:
            return {};

        default:
            return name;
    }
}

void MappableButton::setCaption (const juce::String& caption)
{
    if (captionLabel != nullptr)
        captionLabel->setText (caption, juce::dontSendNotification);
    else
        setButtonText (caption);
}

juce::String MappableButton::getShownCaption() const { return captionLabel != nullptr ? captionLabel->getText() : getButtonText(); }
} // namespace NsOrvelA
