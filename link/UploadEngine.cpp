#include "link/UploadEngine.h"

#include "devices/DeviceNamePatterns.h"
#include "devices/PortNames.h"
#include "link/Host.h"
#include "link/UploadConversation.h"
#include "map/SharedEditingState.h"
#include "platform/MidiPortBackend.h"
#include "platform/ScopedFlagToggle.h"
#include "tables/DeviceTableBuilder.h"

namespace NsOrvelA
{
namespace
{
/** A list of outputs that changes on every look would restart the walk for ever. */
constexpr int maximumWalkRestarts = 8;

bool walking = false;

bool anySlotSending() noexcept
{
    for (auto sending : slotSending)
        if (sending != 0)
            return true;

    return false;
}

/** The product to upload for when the output belongs to a unit, 0 when it takes no upload:
    port 4 and above of a supported product, or the maker's generic port 0 or 1, which is taken
    for the model being edited. */
int uploadTargetOf (const juce::String& outputName)
{
    const auto productId = talvor::productIdFromDeviceName (outputName);
    const auto supported = isSupportedModel (productId);
    const auto port = talvor::portNumber (outputName);

    if ((supported && port >= 4) || (talvor::isMakerGenericPortName (outputName) && port <= 1))
        return supported ? productId : currentModelId;

    return 0;
}
} // namespace

void buildDeviceTables (int unitId)
{
    if (hostInstance != nullptr)
        buildDeviceTables (hostInstance->getState(), unitId);
}

void uploadMappings()
{
    if (walking || hostInstance == nullptr)
        return;

    const talvor::ScopedFlagToggle walk (walking);

    for (int unitId = 1; unitId <= unitCount; ++unitId)
        buildDeviceTables (unitId);

    for (size_t slot = 0; slot < slotCount; ++slot)
    {
        if (slotDirty[slot] != 0 && slotSending[slot] == 0)
        {
            slotSending[slot] = 1;
            slotDirty[slot] = 0;
        }
    }

    if (! anySlotSending())
        return;

    auto& ports = talvor::midiPortBackend();
    auto outputCount = ports.getOutputNames().size();
    int restarts = 0;

    for (int j = 0; j < outputCount; ++j)
    {
        const auto outputs = ports.getOutputNames();

        // A unit came or went meanwhile: the walk starts again over the new list.
        if (outputs.size() != outputCount)
        {
            outputCount = outputs.size();

            if (restarts++ < maximumWalkRestarts)
            {
                j = -1;
                continue;
            }
        }

        if (j >= outputs.size())
            break;

        const auto& name = outputs[j];

        if (const auto target = uploadTargetOf (name); target != 0 && hostInstance != nullptr)
        {
            hostInstance->setSelectedOutputName (name);
            hostInstance->sendMapsToDevice (target);
        }
    }

    slotSending = { 0, 0, 0 };
}
} // namespace NsOrvelA
