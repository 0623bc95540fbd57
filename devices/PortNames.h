#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** How the system numbers the ports of a multi-port unit. Windows lists them as
    "MIDIOUT4 (Orvel-A)" and "MIDIIN4 (Orvel-A)"; other systems end a port's name with its number. */
enum class PortNamingRules
{
    windows,
    trailingDigit,
};

/** The rules of the system the program runs on, unless a test chose others. */
PortNamingRules portNamingRules() noexcept;

/** Applies the given rules for the lifetime of the object, then restores the previous ones. */
class ScopedPortNamingRules
{
public:
    explicit ScopedPortNamingRules (PortNamingRules rules);

private:
    juce::ScopedValueSetter<PortNamingRules> setter;
};

/** The instance number of a port of a multi-port unit. Windows: the digit after "MIDIOUT" or
    "MIDIIN" (-1 when it is not a digit), 1 for any other name. Elsewhere: the single trailing
    digit, or 1. Status messages go to port 4, uploads to port 4 and above. */
int portNumber (const juce::String& portName);

/** True when the text has at least two characters, ends with a digit and the one before is not. */
bool endsWithSingleDigit (const juce::String& text);

/** The other member of a Windows port pair: "MIDIOUT3 (x)" <-> "MIDIIN3 (x)" (case-sensitive).
    Other names are returned unchanged: there, input and output share a name. */
juce::String pairPortName (const juce::String& portName, bool toInput);

/** True for names a unit's output may carry: "MIDIOUT? (*)", "* *?", "*Orvel?*" or
    "*TALVOR*Midi*", ignoring case. */
bool isControllerPortName (const juce::String& portName);

/** The MIDI outputs that may be units, in order, without duplicates, empty or blank names. */
juce::StringArray listControllerOutputs();

/** The largest port number among the names of the given product, -1 when none is. */
int highestPortNumberOfModel (const juce::StringArray& deviceNames, int productId);

/** The port of the given product with the largest number (the first of equals). When there is
    none and the fallback is asked for, the last of the maker's generic "TALVOR*Midi*" ports.
    Empty when nothing fits. */
juce::String findModelPort (const juce::StringArray& deviceNames, int productId, bool fallbackToMakerPort);

/** True for the maker's generic port names, "TALVOR*Midi*", ignoring case. */
bool isMakerGenericPortName (const juce::String& portName);
} // namespace talvor
