#include "map/DisplayTexts.h"

#include "map/AssignmentKinds.h"
#include "map/ControlLayout.h"
#include "map/MapIdentifiers.h"
#include "map/TextFitting.h"
#include "map/WorkstationFunctionNames.h"
#include "map/Workstations.h"

namespace NsOrvelA
{
namespace
{
constexpr int noteNibble = 9;
constexpr int controlChangeNibble = 11;
constexpr int programChangeNibble = 12;
constexpr int pitchBendNibble = 14;

juce::String keyText (const juce::String& keyName, int mode) { return mode == hotkeyKeyMode ? keyName.removeCharacters (" ") : keyName; }

struct Modifiers
{
    bool ctrl, shift, alt, cmd;

    int count() const noexcept { return int (cmd) + int (ctrl) + int (shift) + int (alt); }

    /** The words of the held modifiers joined, always in the order cmd, ctrl, shift, alt. */
    juce::String join (const char* cmdWord, const char* ctrlWord, const char* shiftWord, const char* altWord) const
    {
        return joinTexts (cmd ? cmdWord : "", ctrl ? ctrlWord : "", shift ? shiftWord : "", alt ? altWord : "");
    }
};

/** The HUI workstation names its functions by control class rather than by note. */
juce::String huiControlName (int controlClassIndex, int index)
{
    switch (controlClassIndex)
    {
        case buttonClass:
            return workstationFunctionNames (huiDawId, index);
        case faderClass:
            return huiFaderNames (index);
        case knobClass:
            return huiKnobNames (index);
        default:
            return {};
    }
}
} // namespace

juce::String assignmentDisplayName (int dawId, int nibbleOrClass, int code)
{
    if (! isDawId (dawId) || code < 0 || code >= functionCodeCount)
        return {};

    if (isNotHuiDaw (dawId))
        return nibbleOrClass == noteNibble ? workstationFunctionNames (dawId, code).trim() : juce::String();

    if (nibbleOrClass == buttonClass && code == 0)
        return {};

    return huiControlName (nibbleOrClass, code);
}

juce::String dawControlName (int dawId, int controlClassIndex, int index)
{
    if (isHuiDaw (dawId))
        return huiControlName (controlClassIndex, index);

    return workstationFunctionNames (dawId, index);
}

juce::String midiAssignmentText (int nibble, int channel, int data, const juce::String& name)
{
    if (name.isNotEmpty())
        return name;

    switch (nibble)
    {
        case controlChangeNibble:
            return "CC " + juce::String (data);
        case programChangeNibble:
            return "PC " + juce::String (data);
        case pitchBendNibble:
            return "PB " + juce::String (channel);
        default:
            return data < 0 ? juce::String ("Note") : "Note " + juce::String (data);
    }
}

juce::String hotkeyModifierText (bool ctrl, bool shift, bool alt, bool cmd, const juce::String& keyName, int mode)
{
    return Modifiers{ ctrl, shift, alt, cmd }.join ("cmd + ", "ctrl + ", "shift + ", "alt + ") + keyText (keyName, mode);
}

juce::String hotkeyEntryText (bool ctrl, bool shift, bool alt, bool cmd, const juce::String& keyName, int mode)
{
    return hotkeyModifierText (ctrl, shift, alt, cmd, keyName, mode).removeCharacters (" ");
}

juce::String hotkeyButtonText (bool ctrl, bool shift, bool alt, bool cmd, const juce::String& keyName, const juce::String& name, int mode)
{
    if (name.isNotEmpty())
        return name;

    const Modifiers held{ ctrl, shift, alt, cmd };
    const auto key = keyText (keyName, mode);

    if (held.count() == 0)
        return key;

    // Built from the modifiers alone, so that a key name holding " + " cannot cut the text short.
    return held.join ("cmd+", "ctrl+", "shift+", "alt+").dropLastCharacters (1) + " " + key;
}

juce::String shortHotkeyText (bool ctrl, bool shift, bool alt, bool cmd, const juce::String& keyName, const juce::String& name, int mode)
{
    if (name.isNotEmpty())
        return fitTextToCells (name);

    const Modifiers held{ ctrl, shift, alt, cmd };
    const auto key = keyText (keyName, mode);

    // The more modifiers are held, the shorter their words, so that the key keeps its room.
    switch (held.count())
    {
        case 0:
            return fitTextToCells (key);
        case 1:
            return fitTextToCells (held.join ("Cmd ", "Ctrl ", "Shift ", "Alt ") + key);
        case 2:
            return fitTextToCells (held.join ("Cmd+", "Ctl+", "Sft+", "Alt+").dropLastCharacters (1) + " " + key);
        case 3:
            return fitTextToCells (held.join ("Cm+", "Ct+", "Sf+", "Al+").dropLastCharacters (1) + fitTextToCells (key));
        default:
            return fitTextToCells ("CmCtSfAl" + fitTextToCells (key));
    }
}

juce::String hotkeyCellText (const ControlEntry& entry)
{
    const auto name = entry[mapIds::name].toString();

    if (assignmentTypeFromName (entry[mapIds::valueType].toString()) != hotkeyAssignment)
        return fitTextToCells (name);

    // Read from a file the flags are texts: var's conversion takes "1" and 1 alike.
    return shortHotkeyText (entry[mapIds::ctrl], entry[mapIds::shift], entry[mapIds::alt], entry[mapIds::cmd],
                            entry[mapIds::keyName].toString(), name, hotkeyKeyMode);
}
} // namespace NsOrvelA
