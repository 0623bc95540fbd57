#include "tables/DeviceTableBuilder.h"

#include "map/ControlLayout.h"
#include "map/DisplayTexts.h"
#include "map/MapState.h"
#include "map/SharedEditingState.h"
#include "platform/Digest.h"
#include "tables/DefaultDeviceTables.h"
#include "tables/DeviceTableEncoding.h"
#include "tables/SlotSignatures.h"

namespace NsOrvelA
{
namespace
{
constexpr int mainUnitId = 1;

bool isMarkedForUpload (size_t slotIndex) noexcept { return slotDirty[slotIndex] != 0 && slotSending[slotIndex] == 0; }

void encodeSlot (const juce::ValueTree& root, int unitId, int slotIndex, int dawId, DeviceTableRows& rows)
{
    const auto hui = isHuiDaw (dawId);
    const MapState state (root);
    const auto slotNode = state.slotNode (slotIndex + 1, unitId);
    const auto workstationMap = childWithId (slotNode, dawId);
    auto& labels = slotLabelTexts[static_cast<size_t> (slotIndex)];

    for (int controlId = 1; controlId <= controlCount; ++controlId)
    {
        const auto entry = childWithId (workstationMap, controlId);

        if (const auto row = controlTableRow (controlId); row >= 0)
            encodeControlEntry (rows[static_cast<size_t> (row)], entry, slotIndex, hui, controlClass (controlId, ! hui));

        // Only the main unit has displays; its texts follow unit 1.
        if (unitId == mainUnitId && isButtonControl (controlId))
        {
            const auto cell = controlId - firstButtonControl;
            labels[static_cast<size_t> (cell / labelsPerGroup)].set (cell % labelsPerGroup, hotkeyCellText (entry));
        }
    }
}

int slotSignature (const juce::ValueTree& root, int unitId, int slotIndex)
{
    const auto s = static_cast<size_t> (slotIndex);
    const auto options = (slotOptionFlags[s][0] << 2) | (slotOptionFlags[s][1] << 1) | slotOptionFlags[s][2];
    const auto& buffer = deviceTableBuffers[static_cast<size_t> (unitId - 1)][s];
    const auto tableDigest = talvor::digestOfBytes (talvor::ByteList (buffer.data(), static_cast<int> (buffer.size())));

    int textSignature = 0;

    if (unitId == mainUnitId)
    {
        juce::StringArray texts;

        for (const auto& group : slotLabelTexts[s])
            texts.addArray (group);

        textSignature = layerSignature (texts);
    }

    // The workstation is that of the root's current unit, as the unit is told in the slot messages.
    const auto slotDaw = slotDawIdOfUnit (root, slotIndex + 1, -1);
    return digestOfInts ({ options, tableDigest, textSignature, slotDaw });
}
} // namespace

void buildDeviceTables (const juce::ValueTree& root, int unitId)
{
    if (unitId < 1 || unitId > unitCount)
        return;

    const auto unitIndex = static_cast<size_t> (unitId - 1);

    for (int slotIndex = 0; slotIndex < slotCount; ++slotIndex)
    {
        const auto s = static_cast<size_t> (slotIndex);

        if (! isMarkedForUpload (s))
            continue;

        auto& rows = deviceTables[unitIndex][s];
        const auto dawId = slotDawIdOfUnit (root, slotIndex + 1, unitId);

        if (const auto* defaults = defaultDeviceTable (dawId))
        {
            rows = *defaults;

            for (auto& row : rows)
                stampRowWithSlot (row, slotIndex);

            encodeSlot (root, unitId, slotIndex, dawId, rows);
        }

        auto* transfer = deviceTableBuffers[unitIndex][s].data();

        for (size_t r = 0; r < rows.size(); ++r)
            writeTransferForm (rows[r], transfer + r * deviceTableTransferRowSize);
    }

    for (int slotIndex = 0; slotIndex < slotCount; ++slotIndex)
        if (isMarkedForUpload (static_cast<size_t> (slotIndex)))
            slotSignatures[unitIndex][static_cast<size_t> (slotIndex)] = slotSignature (root, unitId, slotIndex);
}
} // namespace NsOrvelA
