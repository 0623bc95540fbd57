#include "editor/MidiValueNames.h"

#include "map/CheckedLookup.h"

namespace NsOrvelA
{
namespace
{
const char* const pitchClasses[12] = { " C", "C#", " D", "D#", " E", " F", "F#", " G", "G#", " A", "A#", " B" };

struct NamedController
{
    int number;
    const char* name;
};

// Only the controllers with a name of their own; every other one reads "--".
constexpr NamedController namedControllers[] = {
    { 0, "Bank MSB*(GS)" },
    { 1, "Modulation(GM)" },
    { 2, "Breath" },
    { 4, "Foot Pedal" },
    { 5, "Portamento Time(GM)" },
    { 6, "Data Entry MSB(GM)" },
    { 7, "Volume*(GM)" },
    { 8, "Balance(GM)" },
    { 10, "Pan(GM)" },
    { 11, "Expression*(GM)" },
    { 16, "Gp Control #1" },
    { 17, "Gp Control #2" },
    { 18, "Gp Control #3" },
    { 19, "Gp Control #4" },
    { 38, "Data Entry LSB" },
    { 64, "Hold Pedal #1*(GM)" },
    { 65, "Portamento(Gs)" },
    { 66, "Sostenuto(Gs)" },
    { 67, "Soft Pedal(Gs)" },
    { 68, "Legato Pedal" },
    { 69, "Hold Pedal #2" },
    { 70, "Sound Variation" },
    { 71, "Sound Timbre" },
    { 72, "Sound Release Time" },
    { 73, "Sound Attack Time" },
    { 74, "Sound Brightness" },
    { 75, "Sound Control #6" },
    { 76, "Sound Control #7" },
    { 77, "Sound Control #8" },
    { 78, "Sound Control #9" },
    { 79, "Sound Control #10" },
    { 80, "GP Control #5" },
    { 81, "GP Control #6" },
    { 82, "GP Control #7" },
    { 83, "GP Control #8" },
    { 84, "Portamento Control(GS)" },
    { 91, "Reverb Level(GS)" },
    { 92, "Tremolo Depth" },
    { 93, "Chorus Level(GS)" },
    { 94, "Celeste Depth" },
    { 95, "Phaser Depth" },
    { 96, "Data Increment" },
    { 97, "Data Decrement" },
    { 98, "Non-RPN*Param LSB(GS)" },
    { 99, "Non-RPN*Param MSB(GS)" },
    { 100, "RPN*Parameter LSB(GM)" },
    { 101, "RPN*Parameter MSB(GM)" },
    { 120, "All Sound Off*(GS)" },
    { 121, "Reset All Contorllers(GM)" },
    { 122, "Local On/Off" },
    { 123, "All Notes Off*(GM)" },
    { 124, "Omni Mode Off" },
    { 125, "Omni Mode On" },
    { 126, "Mono Mode On" },
    { 127, "Poly Mode On" },
};

constexpr int huiPortBytes[huiPortChoiceCount] = { 0x00, 0x01, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48 };

const char* const rotationPatterns[2] = { "Incremental", "Numerical" };

constexpr bool isMidiValue (int value) noexcept { return value >= 0 && value < midiValueCount; }
} // namespace

juce::String midiNoteName (int value)
{
    if (! isMidiValue (value))
        return {};

    return juce::String (pitchClasses[value % 12]) + juce::String (value / 12 - 1);
}

juce::String midiControllerName (int value)
{
    if (! isMidiValue (value))
        return {};

    for (const auto& controller : namedControllers)
        if (controller.number == value)
            return controller.name;

    return "--";
}

void fillProgramValueNames() { programValueNames.fill ("---"); }

juce::String midiValueName (int midiKind, int value)
{
    if (! isMidiValue (value))
        return {};

    switch (midiKind)
    {
        case 0:
            return midiNoteName (value);
        case 1:
            return midiControllerName (value);
        case 2:
        case 3:
            return programValueNames[static_cast<size_t> (value)];
        default:
            return {};
    }
}

int huiPortByte (int position) noexcept { return lookupOr (huiPortBytes, position, -1); }

int huiPortPosition (int portByte) noexcept { return portByte < 0x40 ? portByte : (portByte & 0x0F) + 2; }

juce::String huiCustomLabel (int zone, int port) { return "#" + juce::String (zone * 256 + port); }

juce::String rotationPatternName (int patternId) { return textAt (rotationPatterns, patternId - 1); }
} // namespace NsOrvelA
