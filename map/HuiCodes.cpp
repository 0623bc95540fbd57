#include "map/HuiCodes.h"

#include "map/CheckedLookup.h"

namespace NsOrvelA
{
namespace
{
constexpr HuiZonePort huiCodes[huiCodeCount] = {
    { -1, -1 }, { 14, 67 }, { 14, 68 }, { 14, 65 }, { 14, 66 }, { 14, 69 }, // 0..5
    { 15, 67 }, { 8, 64 },  { 8, 65 },  { 8, 66 },  { 8, 67 },  { 8, 68 }, // 6..11
    { 8, 69 },  { 8, 71 },  { 9, 64 },  { 9, 65 },  { 9, 66 },  { 9, 67 }, // 12..17
    { 9, 69 },  { 10, 64 }, { 10, 65 }, { 10, 66 }, { 10, 67 }, { 11, 71 }, // 18..23
    { 11, 70 }, { 11, 69 }, { 11, 68 }, { 11, 67 }, { 11, 66 }, { 11, 65 }, // 24..29
    { 11, 64 }, { 12, 64 }, { 12, 65 }, { 12, 66 }, { 12, 67 }, { 13, 64 }, // 30..35
    { 13, 65 }, { 13, 66 }, { 13, 67 }, { 13, 68 }, { 15, 64 }, { 15, 65 }, // 36..41
    { 15, 66 }, { 15, 68 }, { 16, 65 }, { 16, 66 }, { 16, 67 }, { 16, 68 }, // 42..47
    { 20, 64 }, { 21, 64 }, { 21, 65 }, { 21, 66 }, { 25, 66 }, { 26, 64 }, // 48..53
    { 26, 65 }, { 26, 67 }, { 26, 68 }, { 26, 69 }, { 27, 71 }, { 28, 65 }, // 54..59
    { 28, 70 }, { 28, 71 }, { 29, 0 },  { 29, 1 },  { 0, 0 },   { 0, 64 }, // 60..65
    { 1, 64 },  { 2, 64 },  { 3, 64 },  { 4, 64 },  { 5, 64 },  { 6, 64 }, // 66..71
    { 7, 64 },  { 0, 65 },  { 1, 65 },  { 2, 65 },  { 3, 65 },  { 4, 65 }, // 72..77
    { 5, 65 },  { 6, 65 },  { 7, 65 },  { 0, 66 },  { 1, 66 },  { 2, 66 }, // 78..83
    { 3, 66 },  { 4, 66 },  { 5, 66 },  { 6, 66 },  { 7, 66 },  { 0, 67 }, // 84..89
    { 1, 67 },  { 2, 67 },  { 3, 67 },  { 4, 67 },  { 5, 67 },  { 6, 67 }, // 90..95
    { 7, 67 },  { 0, 71 },  { 1, 71 },  { 2, 71 },  { 3, 71 },  { 4, 71 }, // 96..101
    { 5, 71 },  { 6, 71 },  { 7, 71 },  { 0, 69 },  { 1, 69 },  { 2, 69 }, // 102..107
    { 3, 69 },  { 4, 69 },  { 5, 69 },  { 6, 69 },  { 7, 69 },  { -1, -1 }, // 108..113
};
} // namespace

const char* const pluginFunctionLabels[huiSpecialControlCount] = { "Plug-in*", "Plug-in Assign*", "Compare*", "Bypass*",
                                                                   "Insert*",  "Scrub*",          "TouchM",   "VolumeM" };

HuiZonePort huiZonePort (int huiCode) noexcept { return lookupOr (huiCodes, huiCode, HuiZonePort{ -1, -1 }); }

int huiCodeIndex (int zone, int port) noexcept
{
    if (zone >= 32)
        return port;

    for (int code = 0; code < huiCodeCount; ++code)
        if (huiCodes[code].zone == zone && huiCodes[code].port == port)
            return code;

    return 0;
}

juce::String pluginFunctionLabelOf (int controlId)
{
    for (int i = 0; i < huiSpecialControlCount; ++i)
        if (huiSpecialControls[i] == controlId)
            return pluginFunctionLabels[i];

    return {};
}
} // namespace NsOrvelA
