#include "link/HostImpl.h"

#include "map/SharedEditingState.h"
#include "map/UnitModels.h"
#include "storage/MapXmlReader.h"
#include "storage/MapXmlWriter.h"
#include "storage/SettingsFileStore.h"
#include "tables/DefaultMaps.h"

namespace NsOrvelA
{
namespace
{
const juce::String stateKey{ "state" };
const juce::Identifier* const slotOptionIds[slotCount] = { &mapIds::daw1, &mapIds::daw2, &mapIds::daw3 };
} // namespace

Host::Impl::Impl()
{
    // The tree comes with loadState: the stored one, or the default tree when there is none. A
    // default tree made first would only be thrown away when the stored one is taken.
    initSettings();
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
    // The settings are read as the framework's store reads them, but the stored text is read
    // straight into a tree, without first becoming one long string and an XML element tree.
    const SettingsFileStore store (settings.getStorageParameters());
    size_t length = 0;
    const auto* text = store.findValue (stateKey, length);
    auto stored = text != nullptr ? MapXmlReader::readText (text, length) : juce::ValueTree();

    // No stored tree, or one of another layout, which is not used at all: the default tree. A
    // stored map that is not used is kept in a copy of the file, which the next "SAVE AS DEFAULT"
    // would otherwise take away.
    if (stored.getProperty (mapIds::ver).toString() != mapLayoutVersion)
    {
        if (text != nullptr)
            store.keepCopyOfFileHolding (stateKey);

        if (! state.isValid())
            state = makeDefaultMapState().getTree();

        return;
    }

    state = stored;

    // The slots that hold a workstation in the unit being edited are uploaded by the next tick.
    const auto unit = MapState (state).deviceNode (unitIdOfProduct (currentModelId));

    for (int index = 0; index < slotCount; ++index)
        if (isDawId (static_cast<int> (unit.getChild (index).getProperty (mapIds::current))))
            slotDirty[static_cast<size_t> (index)] = 1;

    adoptSlotStateOfTree (state);
}

juce::Result Host::Impl::saveState()
{
    // Only a tree that is not there gives no XML.
    if (! state.isValid())
        return juce::Result::fail ("There is no map to save.");

    // The text the framework would store, written straight from the tree into one buffer.
    juce::MemoryBlock text;

    if (! MapXmlWriter::write (state, settingsValueFormat(), text))
        return juce::Result::fail ("The map could not be turned into text.");

    // Written into the file the next start reads, or into none.
    SettingsFileStore store (settings.getStorageParameters());

    if (const auto stored = store.setValue (stateKey, text.getData(), text.getSize()); stored.failed())
        return juce::Result::fail ("The map could not be saved as default in " + store.storeFile().getFullPathName() + ": "
                                   + stored.getErrorMessage());

    return juce::Result::ok();
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
