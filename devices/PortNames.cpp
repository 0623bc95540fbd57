#include "devices/PortNames.h"

#include "devices/DeviceNamePatterns.h"
#include "platform/MidiPortBackend.h"

namespace talvor
{
namespace
{
constexpr auto windowsOutputPattern = "MIDIOUT? (*)";
constexpr auto windowsInputPattern = "MIDIIN? (*)";

PortNamingRules& activeRules() noexcept
{
#if defined(_WIN32)
    static PortNamingRules rules = PortNamingRules::windows;
#else
    static PortNamingRules rules = PortNamingRules::trailingDigit;
#endif
    return rules;
}

int digitValue (juce::juce_wchar c) noexcept { return (c >= '0' && c <= '9') ? static_cast<int> (c - '0') : -1; }
} // namespace

PortNamingRules portNamingRules() noexcept { return activeRules(); }

ScopedPortNamingRules::ScopedPortNamingRules (PortNamingRules rules) : setter (activeRules(), rules) {}

int portNumber (const juce::String& portName)
{
    if (portNamingRules() == PortNamingRules::windows)
    {
        if (portName.matchesWildcard (windowsOutputPattern, false))
            return digitValue (portName[7]);

        if (portName.matchesWildcard (windowsInputPattern, false))
            return digitValue (portName[6]);

        return 1;
    }

    return endsWithSingleDigit (portName) ? digitValue (portName.getLastCharacter()) : 1;
}

bool endsWithSingleDigit (const juce::String& text)
{
    const auto length = text.length();
    return length >= 2 && digitValue (text[length - 1]) >= 0 && digitValue (text[length - 2]) < 0;
}

juce::String pairPortName (const juce::String& portName, bool toInput)
{
    if (toInput && portName.matchesWildcard (windowsOutputPattern, false))
        return "MIDIIN" + portName.substring (7);

    if (! toInput && portName.matchesWildcard (windowsInputPattern, false))
        return "MIDIOUT" + portName.substring (6);

    return portName;
}

bool isControllerPortName (const juce::String& portName)
{
    for (auto* pattern : { windowsOutputPattern, "* *?", "*Orvel?*", "*TALVOR*Midi*" })
        if (portName.matchesWildcard (pattern, true))
            return true;

    return false;
}

bool isMakerGenericPortName (const juce::String& portName) { return portName.matchesWildcard ("TALVOR*Midi*", true); }

juce::StringArray listControllerOutputs()
{
    juce::StringArray outputs;

    for (const auto& name : midiPortBackend().getOutputNames())
        if (name.trim().isNotEmpty() && isControllerPortName (name))
            outputs.addIfNotAlreadyThere (name);

    return outputs;
}

int highestPortNumberOfModel (const juce::StringArray& deviceNames, int productId)
{
    int highest = -1;

    for (const auto& name : deviceNames)
        if (productIdFromDeviceName (name) == productId)
            highest = juce::jmax (highest, portNumber (name));

    return highest;
}

juce::String findModelPort (const juce::StringArray& deviceNames, int productId, bool fallbackToMakerPort)
{
    const juce::String* best = nullptr;
    int bestNumber = 0;

    for (const auto& name : deviceNames)
    {
        if (productIdFromDeviceName (name) != productId)
            continue;

        const auto number = portNumber (name);

        if (best == nullptr || number > bestNumber)
        {
            best = &name;
            bestNumber = number;
        }
    }

    if (best != nullptr)
        return *best;

    if (! fallbackToMakerPort)
        return {};

    for (int i = deviceNames.size(); --i >= 0;)
        if (isMakerGenericPortName (deviceNames[i]))
            return deviceNames[i];

    return {};
}
} // namespace talvor
