#include "model/HostImpl.h"

#include "model/SharedEditingState.h"
#include "model/UnitModels.h"

namespace NsOrvelA
{
namespace
{
const juce::String stateKey { "state" };
const juce::Identifier* const slotOptionIds[slotCount] = { &mapIds::daw1, &mapIds::daw2, &mapIds::daw3 };
} // namespace

Host::Impl::Impl()
{
    initSettings();
    state = MapState().getTree();
}

void Host::Impl::initSettings()
{
    juce::PropertiesFile::Options options;
    options.applicationName = "OrvelA";
    options.filenameSuffix = ".conf";
    options.folderName = settingsFolderName;
    options.commonToAllUsers = true;
    options.storageFormat = juce::PropertiesFile::storeAsCompressedBinary;
    settings.setStorageParameters (options);
}

void Host::Impl::loadState()
{
    auto* properties = settings.getCommonSettings (true);

    if (properties == nullptr)
        return;

    const auto xml = properties->getXmlValue (stateKey);

    if (xml == nullptr)
        return;

    const auto stored = juce::ValueTree::fromXml (*xml);

    if (stored.getProperty (mapIds::ver).toString() != mapLayoutVersion)
        return; // a tree of another layout is not used at all: the default tree stays

    state = stored;

    // The slots that hold a workstation in the unit being edited are uploaded by the next tick.
    const auto unit = MapState (state).deviceNode (unitIdOfProduct (currentModelId));

    for (int index = 0; index < slotCount; ++index)
        if (isDawId (static_cast<int> (unit.getChild (index).getProperty (mapIds::current))))
            slotDirty[static_cast<size_t> (index)] = 1;

    adoptSlotStateOfTree (state);
}

void Host::Impl::saveState()
{
    const auto xml = state.createXml();

    if (xml == nullptr)
        return;

    if (auto* properties = settings.getCommonSettings (true))
    {
        properties->setValue (stateKey, xml.get());
        properties->saveIfNeeded();
    }
}

void adoptSlotStateOfTree (const juce::ValueTree& root)
{
    const auto unit = MapState (root).deviceNode (1);

    for (int index = 0; index < slotCount; ++index)
    {
        const auto slot = unit.getChild (index);
        const auto i = static_cast<size_t> (index);
        slotDawIds[i] = static_cast<int> (slot.getProperty (mapIds::current));

        for (size_t option = 0; option < slotCount; ++option)
            slotOptionFlags[i][option] = static_cast<int> (slot.getProperty (*slotOptionIds[option])) != 0 ? 1 : 0;
    }

    if (! isSlotId (currentSlotId))
    {
        const auto unitSlot = static_cast<int> (unit.getProperty (mapIds::current));
        currentSlotId = isSlotId (unitSlot) ? unitSlot : 1;
    }
}
} // namespace NsOrvelA
