#include "map/ControlLayout.h"

#include "map/CheckedLookup.h"
#include "map/HuiCodes.h"
#include "map/Workstations.h"

namespace NsOrvelA
{
namespace
{
const char* const controlKindNames[] = { "keyboard", "pad", "knob", "fader", "button", "pedal", "other" };
} // namespace

int controlTableRow (int controlId) noexcept
{
    if (controlId >= 1 && controlId <= 32)
        return controlId - 1;
    if (isButtonControl (controlId))
        return controlId - firstButtonControl + 66;
    if (controlId >= 153 && controlId <= 160)
        return controlId - 153 + 186;
    if (controlId == 161)
        return 195;
    if (controlId == 162)
        return 194;
    if (controlId >= 163 && controlId <= 180)
        return controlId - 163 + 196; // the knobs 163..171, then the buttons 172..180
    if (isFaderControl (controlId))
        return controlId - 181 + 214;
    if (controlId == 190)
        return 223;
    if (controlId == 191)
        return 56;

    return -1;
}

juce::String controlKindName (int controlClassIndex) { return textAt (controlKindNames, controlClassIndex); }

int valueChoiceCount (int dawId, int controlClassIndex) noexcept
{
    if (! isHuiDaw (dawId))
        return 1;

    switch (controlClassIndex)
    {
        case knobClass:
            return 8;
        case faderClass:
            return 9;
        case buttonClass:
            return huiCodeCount;
        default:
            return 1;
    }
}
} // namespace NsOrvelA
