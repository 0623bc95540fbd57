#include "link/Host.h"
#include "link/HostImpl.h"
#include "link/ReplacedTreeRelease.h"
#include "map/SharedEditingState.h"
#include "storage/MapXmlReader.h"
#include "storage/MapXmlWriter.h"

namespace NsOrvelA
{
juce::Result Host::saveMappingFile (const juce::File& file)
{
    // Only a tree that is not there gives no XML.
    if (! impl->state.isValid())
        return juce::Result::fail ("Could not save current mapping to disk");

    // Written straight from the tree, with the bytes the framework's XML writer gives, through a
    // new file that takes the old one's place only once it is whole on the disk: a full disk, a
    // folder that cannot be written or a read-only file leave an existing file as it was, and a
    // folder of that name is never replaced. The user is told the system's reason.
    if (juce::String why; ! MapXmlWriter::writeToFile (impl->state, mapFileFormat(), file, &why))
        return juce::Result::fail ("Failed to write mapping file" + (why.isNotEmpty() ? ": " + why : juce::String()));

    return juce::Result::ok();
}

juce::Result Host::loadMappingFile (const juce::File& file)
{
    const auto loadFailed = juce::Result::fail ("Could not load mapping data");

    // The tree the framework's XML reader would give, read straight from the text; what is not a
    // map (and what would hang or crash the framework's parser) is refused.
    auto loaded = MapXmlReader::readFile (file);

    if (! loaded.isValid())
        return loadFailed;

    // Any other document would replace the whole map with nothing, and the device-watch timer would
    // then upload empty tables into the units.
    if (! loaded.hasType (mapIds::store))
        return loadFailed;

    // The selected unit carries over into the loaded map.
    const auto selectedUnit = impl->state.getProperty (mapIds::current, 1);
    auto replaced = std::exchange (impl->state, loaded);
    loaded.setProperty (mapIds::current, selectedUnit, nullptr);
    releaseReplacedTree (std::move (replaced));

    for (auto& dirty : slotDirty)
        dirty = 1;

    adoptSlotStateOfTree (loaded);
    return juce::Result::ok();
}
} // namespace NsOrvelA
