#include "map/HuiCodes.h"
#include "map/WorkstationFunctionNames.h"
#include "map/Workstations.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
using namespace NsOrvelA;

int namedCodes (int dawId)
{
    int named = 0;

    for (int code = 0; code < functionCodeCount; ++code)
        named += workstationFunctionNames (dawId, code).isNotEmpty() ? 1 : 0;

    return named;
}

TEST (WorkstationFunctionNames, SharedEntriesOfEveryNoteWorkstation)
{
    for (int daw = 1; daw <= dawCount; ++daw)
    {
        if (isHuiDaw (daw))
            continue;

        SCOPED_TRACE (daw);
        EXPECT_EQ (workstationFunctionNames (daw, 0), "REC 1");
        EXPECT_EQ (workstationFunctionNames (daw, 15), "SOLO8");
        EXPECT_EQ (workstationFunctionNames (daw, 39), "MON 8");
        EXPECT_EQ (workstationFunctionNames (daw, 46), "<<8");
        EXPECT_EQ (workstationFunctionNames (daw, 50), "Flip");
        EXPECT_EQ (workstationFunctionNames (daw, 92), "Fast Forward");
        EXPECT_EQ (workstationFunctionNames (daw, 94), "Play");
        EXPECT_EQ (workstationFunctionNames (daw, 112), "TouchM");

        for (int code = 117; code < functionCodeCount; ++code)
            EXPECT_EQ (workstationFunctionNames (daw, code), "") << code;
    }
}

TEST (WorkstationFunctionNames, EveryWorkstationHasItsNumberOfNamedCodes)
{
    // 62 shared entries plus each workstation's own; a lost or doubled line shows here.
    const std::map<int, int> ownEntries{ { 1, 50 },  { 2, 53 },  { 4, 55 },  { 5, 55 },  { 6, 51 },  { 7, 50 },
                                         { 8, 40 },  { 9, 50 },  { 10, 50 }, { 11, 45 }, { 12, 43 }, { 13, 49 },
                                         { 14, 53 }, { 15, 45 }, { 16, 48 }, { 17, 54 }, { 18, 51 } };

    for (const auto& [daw, own] : ownEntries)
        EXPECT_EQ (namedCodes (daw), 62 + own) << "workstation " << daw;

    EXPECT_EQ (namedCodes (huiDawId), huiCodeCount);
}

TEST (WorkstationFunctionNames, Workstation14SharesTheTableOf2)
{
    for (int code = -1; code <= functionCodeCount; ++code)
        EXPECT_EQ (workstationFunctionNames (14, code), workstationFunctionNames (2, code)) << code;

    EXPECT_EQ (workstationFunctionNames (14, 45), "Dyn/ Fx/Aux");
    EXPECT_EQ (workstationFunctionNames (14, 114), "Beats LED");
}

TEST (WorkstationFunctionNames, OwnEntriesKeepTheirBlanksAndCase)
{
    EXPECT_EQ (workstationFunctionNames (1, 52), "Name/ Value");
    EXPECT_EQ (workstationFunctionNames (1, 87), "Dupli- cate");
    EXPECT_EQ (workstationFunctionNames (6, 52), "Name / Value");
    EXPECT_EQ (workstationFunctionNames (6, 87), "Dupli- cate");
    EXPECT_EQ (workstationFunctionNames (4, 114), "beats Led");
    EXPECT_EQ (workstationFunctionNames (4, 116), "relay Clock");
    EXPECT_EQ (workstationFunctionNames (7, 102), "User B"); // swapped on this workstation
    EXPECT_EQ (workstationFunctionNames (7, 103), "User A");
    EXPECT_EQ (workstationFunctionNames (11, 61), "TrkGroup Suspend");
    EXPECT_EQ (workstationFunctionNames (17, 51), "Inspect-or");
    EXPECT_EQ (workstationFunctionNames (18, 53), "Min:Sec/Bar/Beat");
    EXPECT_EQ (workstationFunctionNames (18, 54), "Timeline /Mixer");
    EXPECT_EQ (workstationFunctionNames (18, 103), "User B");

    // Codes a workstation leaves free.
    EXPECT_EQ (workstationFunctionNames (1, 79), "");
    EXPECT_EQ (workstationFunctionNames (7, 86), "");
    EXPECT_EQ (workstationFunctionNames (8, 101), "");
    EXPECT_EQ (workstationFunctionNames (12, 42), "");
    EXPECT_EQ (workstationFunctionNames (15, 40), "");
    EXPECT_EQ (workstationFunctionNames (1, 113), "");
}

TEST (WorkstationFunctionNames, HuiNamesByCode)
{
    EXPECT_EQ (workstationFunctionNames (huiDawId, 0), "(blank)");
    EXPECT_EQ (workstationFunctionNames (huiDawId, 16), "Trans- port");
    EXPECT_EQ (workstationFunctionNames (huiDawId, 50), "BeatDete -ctive");
    EXPECT_EQ (workstationFunctionNames (huiDawId, 64), "touchM");
    EXPECT_EQ (workstationFunctionNames (huiDawId, 112), "MON 8");
    EXPECT_EQ (workstationFunctionNames (huiDawId, 113), "(custom)");
    EXPECT_EQ (workstationFunctionNames (huiDawId, 114), "");
    EXPECT_EQ (workstationFunctionNames (huiDawId, 127), "");
    EXPECT_EQ (workstationFunctionNames (huiDawId, -1), "");

    EXPECT_EQ (huiFaderNames (0), "Volume 1");
    EXPECT_EQ (huiFaderNames (8), "volumeM");
    EXPECT_EQ (huiFaderNames (9), "");
    EXPECT_EQ (huiFaderNames (-1), "");
    EXPECT_EQ (huiKnobNames (0), "Pan 1");
    EXPECT_EQ (huiKnobNames (7), "Pan 8");
    EXPECT_EQ (huiKnobNames (8), "");
    EXPECT_EQ (huiKnobNames (-1), "");
}
} // namespace
