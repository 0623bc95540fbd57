#include "map/ControlLayout.h"
#include "map/DawFunctionLabels.h"
#include "map/HidKeyTables.h"
#include "map/HuiCodes.h"
#include "map/WorkstationFunctionNames.h"
#include "tables/DefaultDeviceTableLayout.h"
#include "tables/DefaultDeviceTables.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

namespace NsOrvelA
{
void PrintTo (const DeviceTableRow& row, std::ostream* os)
{
    for (const auto byte : row.bytes)
        *os << juce::String::toHexString (static_cast<int> (byte)).paddedLeft ('0', 2) << ' ';
}
} // namespace NsOrvelA

namespace
{
using namespace NsOrvelA;

DeviceTableRow bytes (int b0, int b1, int b2, int b3, int b4 = 0, int b5 = 0, int b6 = 0)
{
    auto byte = [] (int value) { return static_cast<std::uint8_t> (value); };
    return { { byte (b0), byte (b1), byte (b2), byte (b3), byte (b4), byte (b5), byte (b6) } };
}

const DeviceTableRows& tableOf (int dawId) { return *defaultDeviceTable (dawId); }

DeviceTableRow rowOfControl (int dawId, int controlId) { return tableOf (dawId)[static_cast<std::size_t> (controlTableRow (controlId))]; }

bool isNoteRow (const DeviceTableRow& row) { return row.rowKind() < emptyRowKind && row.lowNibble() == 9; }

bool isHuiButtonRow (const DeviceTableRow& row) { return row[0] == 0x0B && row[1] == 0xB0 && row[2] == 0x0F; }

template <typename Check>
void forEveryNoteWorkstation (Check check)
{
    for (int daw = 1; daw <= dawCount; ++daw)
    {
        if (isHuiDaw (daw))
            continue;

        SCOPED_TRACE (dawDisplayName (daw));
        check (daw, tableOf (daw));
    }
}

TEST (DefaultDeviceTables, OneTablePerWorkstationAndCubaseSharesWithNuendo)
{
    EXPECT_EQ (defaultDeviceTables[0], nullptr);
    EXPECT_EQ (defaultDeviceTable (0), nullptr);
    EXPECT_EQ (defaultDeviceTable (19), nullptr);
    EXPECT_EQ (defaultDeviceTable (-1), nullptr);
    EXPECT_EQ (defaultDeviceTable (2), defaultDeviceTable (14));

    std::set<const DeviceTableRows*> tables;

    for (int daw = 1; daw <= dawCount; ++daw)
    {
        ASSERT_NE (defaultDeviceTable (daw), nullptr);
        EXPECT_EQ (defaultDeviceTable (daw), defaultDeviceTables[daw]);
        tables.insert (defaultDeviceTable (daw));
    }

    EXPECT_EQ (tables.size(), 17u);
}

TEST (DefaultDeviceTables, RowsSharedByEveryNoteWorkstation)
{
    forEveryNoteWorkstation (
        [] (int, const DeviceTableRows& table)
        {
            for (int row = 0; row < 32; ++row)
                EXPECT_EQ (table[row], bytes (0x09, 0x90, row, 0x7F)) << "row " << row;

            const std::map<int, int> noteRows{ { 32, 0x30 }, { 33, 0x31 }, { 34, 0x2E }, { 35, 0x2F }, { 36, 0x32 },  { 44, 0x5B },
                                               { 45, 0x5C }, { 47, 0x5D }, { 48, 0x5E }, { 49, 0x5F }, { 194, 0x67 }, { 195, 0x66 } };

            for (const auto& [row, note] : noteRows)
                EXPECT_EQ (table[row], bytes (0x09, 0x90, note, 0x7F)) << "row " << row;

            EXPECT_EQ (table[50], bytes (0x40, 0x00, 0x50, 0x00, 0x4F, 0x00, 0x00));
            EXPECT_EQ (table[51], bytes (0x58, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00));
            EXPECT_EQ (table[52], bytes (0x09, 0x90, 0x63, 0x7F, 0x00, 0x62, 0x00));
            EXPECT_EQ (table[53], bytes (0x09, 0x90, 0x63, 0x7F, 0x00, 0x62, 0x00));
            EXPECT_EQ (table[54], bytes (0x09, 0x90, 0x61, 0x7F, 0x00, 0x60, 0x00));
            EXPECT_EQ (table[55], bytes (0x09, 0x90, 0x61, 0x7F, 0x00, 0x60, 0x00));
            EXPECT_EQ (table[57], bytes (0x09, 0x90, 0x2F, 0x7F, 0x00, 0x2E, 0x00));

            for (int k = 0; k < 8; ++k)
            {
                EXPECT_EQ (table[186 + k], bytes (0x09, 0x90, 0x20 + k, 0x7F));
                EXPECT_EQ (table[196 + k], bytes (0x0B, 0xB0, 0x10 + k, 0x01, 0x41));
            }

            EXPECT_EQ (table[204], bytes (0x0B, 0xB0, 0x3C, 0x41, 0x01));

            for (int k = 0; k < 9; ++k)
            {
                EXPECT_EQ (table[205 + k], bytes (0x09, 0x90, 0x68 + k, 0x7F));
                EXPECT_EQ (table[214 + k], bytes (0x0E, 0xE0 + k, 0, 0));
            }

            EXPECT_EQ (table[223], bytes (0x0B, 0xBA, 0, 0));

            // Rows without a control, other than the side keys, are the same in every table.
            for (int row = 32; row < 66; ++row)
            {
                if ((row < 37 || row > 43) && row != 46 && row != 56)
                {
                    EXPECT_EQ (table[row], tableOf (1)[row]) << "row " << row;
                }
            }
        });
}

TEST (DefaultDeviceTables, TellingRowsOfBitwig)
{
    const auto& table = tableOf (1);

    for (int row = 66; row <= 71; ++row)
        EXPECT_EQ (table[row], bytes (0x09, 0x90, 0x28 + row - 66, 0x7F)) << "row " << row;

    EXPECT_EQ (table[107], bytes (0x30, 0x00, 0x00, 0x7F));
    EXPECT_EQ (table[138], bytes (0x40, 0x00, 0x1E, 0x00));
    EXPECT_EQ (table[151], bytes (0x43, 0x00, 0x0A, 0x00));
}

TEST (DefaultDeviceTables, ProToolsSpeaksHuiWithItsFixedKeys)
{
    const auto& table = tableOf (3);

    EXPECT_EQ (table[66], bytes (0x0B, 0xB0, 0x0F, 0x0B, 0x2F, 0x42, 0x02));
    EXPECT_EQ (table[50], tableOf (1)[50]);
    EXPECT_EQ (table[51], tableOf (1)[51]);

    for (int k = 0; k < 9; ++k)
        EXPECT_EQ (table[214 + k], bytes (0x0B, 0xB0, k, 0x20 + k));

    EXPECT_EQ (table[223], bytes (0x0B, 0xB0, 8, 0x28));

    for (int k = 0; k < 8; ++k)
        EXPECT_EQ (table[196 + k], bytes (0x0B, 0xB0, 0x40 + k, 0, 0x40));

    // The fixed HUI keys: Plug-in is a plain zero row; Insert and Scrub press keys the HUI code
    // table does not list, so that the map names them by their labels; the others press the key
    // their label names.
    EXPECT_EQ (rowOfControl (3, 34), bytes (0, 0, 0, 0));

    for (const int control : { 46, 74 })
    {
        const auto row = rowOfControl (3, control);
        EXPECT_TRUE (isHuiButtonRow (row)) << control;
        EXPECT_EQ (huiCodeIndex (row[3], row[5]), 0) << control;
    }

    for (const int control : { 35, 36, 37 })
    {
        const auto row = rowOfControl (3, control);
        EXPECT_EQ (workstationFunctionNames (3, huiCodeIndex (row[3], row[5])), pluginFunctionLabelOf (control)) << control;
    }

    EXPECT_EQ (workstationFunctionNames (3, huiCodeIndex (rowOfControl (3, 180)[3], rowOfControl (3, 180)[5])), "touchM");
}

TEST (DefaultDeviceTables, ProToolsKeysPressKnownHuiFunctions)
{
    const auto& table = tableOf (3);
    int huiKeys = 0;

    for (int row = 0; row < deviceTableRowCount; ++row)
    {
        SCOPED_TRACE (row);
        EXPECT_FALSE (isNoteRow (table[row]));

        if (! isHuiButtonRow (table[row]) || row == controlTableRow (46) || row == controlTableRow (74))
            continue;

        ++huiKeys;
        const auto code = huiCodeIndex (table[row][3], table[row][5]);
        ASSERT_GT (code, 0);
        ASSERT_LT (code, huiCodeCount - 1);
        EXPECT_EQ (table[row], huiButtonRow (huiZonePort (code))) << "the row is not what the device-table builder writes";
        EXPECT_TRUE (workstationFunctionNames (3, code).isNotEmpty());
    }

    EXPECT_GT (huiKeys, 100);
}

TEST (DefaultDeviceTables, NoteRowsSendFunctionsTheWorkstationNames)
{
    forEveryNoteWorkstation (
        [] (int daw, const DeviceTableRows& table)
        {
            for (int row = 0; row < deviceTableRowCount; ++row)
            {
                if (! isNoteRow (table[row]))
                    continue;

                EXPECT_EQ (table[row][1], 0x90) << "row " << row;
                EXPECT_EQ (table[row][3], 0x7F) << "row " << row;
                EXPECT_TRUE (workstationFunctionNames (daw, table[row][2]).isNotEmpty()) << "row " << row;

                if (table[row][5] != 0)
                {
                    EXPECT_TRUE (workstationFunctionNames (daw, table[row][5]).isNotEmpty()) << "row " << row;
                }
            }
        });
}

TEST (DefaultDeviceTables, HotkeysSitExactlyOnTheLabelledButtons)
{
    for (int daw = 1; daw <= dawCount; ++daw)
    {
        SCOPED_TRACE (dawDisplayName (daw));
        std::map<std::pair<int, int>, juce::String> labelOfKey;

        for (int control = 1; control <= 191; ++control)
        {
            const auto row = rowOfControl (daw, control);
            const auto label = dawFunctionLabelOf (daw, control);

            if (row.rowKind() != hotkeyRowKind)
            {
                EXPECT_TRUE (label.isEmpty()) << "control " << control << " is labelled " << label << " but types no key";
                continue;
            }

            EXPECT_TRUE (label.isNotEmpty()) << "control " << control << " types a key without a label";
            EXPECT_EQ (row, hotkeyRow (row.lowNibble(), row[2])) << "control " << control;
            EXPECT_TRUE (hidUsageKeyDescriptions (row[2]).isNotEmpty()) << "control " << control;

            // With ctrl and cmd alone, the map would take the key for a function code and name it so.
            if (isNotHuiDaw (daw))
            {
                EXPECT_NE (row.lowNibble(), hotkeyCtrl | hotkeyCmd) << "control " << control;
            }

            const auto [entry, added] = labelOfKey.emplace (std::make_pair (row.lowNibble(), static_cast<int> (row[2])), label);
            EXPECT_TRUE (added || entry->second == label) << label << " and " << entry->second << " type the same key";
        }
    }
}

TEST (DefaultDeviceTables, OnlyTheStatusByteUsesBitSeven)
{
    for (int daw = 1; daw <= dawCount; ++daw)
    {
        SCOPED_TRACE (dawDisplayName (daw));
        const auto& table = tableOf (daw);

        for (int row = 0; row < deviceTableRowCount; ++row)
        {
            for (int b = 0; b < deviceTableRowSize; ++b)
            {
                if (b != 1)
                {
                    EXPECT_LT (table[row][b], 0x80) << "row " << row << " byte " << b;
                }
            }

            // A message row's status byte agrees with its nibble; other rows carry none.
            const bool message = table[row].rowKind() < emptyRowKind && table[row].lowNibble() != 0;
            EXPECT_EQ (table[row][1] >> 4, message ? table[row].lowNibble() : 0) << "row " << row;
        }
    }
}

TEST (DefaultDeviceTables, EveryRowIsFilled)
{
    for (int daw = 1; daw <= dawCount; ++daw)
    {
        for (int row = 0; row < deviceTableRowCount; ++row)
        {
            if (! (daw == 3 && row == controlTableRow (34)))
            {
                EXPECT_NE (tableOf (daw)[row], zeroRow()) << dawDisplayName (daw) << " row " << row;
            }
        }
    }
}

TEST (DefaultDeviceTables, KeyNamesOfTheTablesAreTheUsageIds)
{
    using namespace DefaultTableLayout;
    EXPECT_EQ (hidUsageDisplayNames (Key::a), "A");
    EXPECT_EQ (hidUsageDisplayNames (Key::z), "Z");
    EXPECT_EQ (hidUsageDisplayNames (Key::digit1), "1");
    EXPECT_EQ (hidUsageDisplayNames (Key::digit0), "0");
    EXPECT_EQ (hidUsageDisplayNames (Key::enter), "Enter");
    EXPECT_EQ (hidUsageDisplayNames (Key::slash), "/");
    EXPECT_EQ (hidUsageDisplayNames (Key::f12), "F12");
    EXPECT_EQ (hidUsageDisplayNames (Key::insert), "Ins");
    EXPECT_EQ (hidUsageDisplayNames (Key::up), "Up");
    EXPECT_EQ (hidUsageDisplayNames (Key::num1), "Num1");
    EXPECT_EQ (hidUsageDisplayNames (Key::num0), "Num0");
}
} // namespace
