#include "model/Host.h"
#include "model/HostImpl.h"
#include "model/SharedEditingState.h"

namespace NsOrvelA
{
namespace
{
/** Map files are UTF-8 XML with the XML declaration, no document type and long attribute
    lists wrapped at 60 columns. */
juce::XmlElement::TextFormat mapFileFormat()
{
    juce::XmlElement::TextFormat format;
    format.dtd = {};
    format.customEncoding = "UTF-8";
    format.lineWrapLength = 60;
    return format;
}
} // namespace

juce::Result Host::saveMappingFile (const juce::File& file)
{
    const auto xml = impl->state.createXml();

    if (xml == nullptr)
        return juce::Result::fail ("Could not save current mapping to disk");

    // Written through a temporary file, so a failed write leaves an existing file as it was; a
    // folder of that name is never replaced.
    if (file.isDirectory() || ! xml->writeTo (file, mapFileFormat()))
        return juce::Result::fail ("Failed to write mapping file");

    return juce::Result::ok();
}

juce::Result Host::loadMappingFile (const juce::File& file)
{
    const auto loadFailed = juce::Result::fail ("Could not load mapping data");
    const auto xml = juce::XmlDocument::parse (file);

    if (xml == nullptr)
        return loadFailed;

    auto loaded = juce::ValueTree::fromXml (*xml);

    // Any other document would replace the whole map with nothing, and the device-watch timer would
    // then upload empty tables into the units.
    if (! loaded.hasType (mapIds::store))
        return loadFailed;

    // The selected unit carries over into the loaded map.
    const auto selectedUnit = impl->state.getProperty (mapIds::current, 1);
    impl->state = loaded;
    loaded.setProperty (mapIds::current, selectedUnit, nullptr);

    for (auto& dirty : slotDirty)
        dirty = 1;

    adoptSlotStateOfTree (loaded);
    return juce::Result::ok();
}
} // namespace NsOrvelA
