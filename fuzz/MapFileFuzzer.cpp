// Any bytes as a map file: read straight into a tree, and loaded through the Host. A text that is
// read must write and read back as the same tree; a load that fails leaves the live tree and every
// flag as they were.
#include "fuzz/FuzzSupport.h"
#include "link/Host.h"
#include "link/HostImpl.h"
#include "storage/MapXmlReader.h"
#include "storage/MapXmlWriter.h"
#include "map/SharedEditingState.h"

#include <memory>

using namespace NsOrvelA;

namespace
{
Host& fuzzHost()
{
    static const auto host = []
    {
        settingsFolderName = corvix::fuzzing::scratchFolder().getChildFile ("settings").getFullPathName();
        return std::make_unique<Host>();
    }();

    return *host;
}

void expectSameTreeAfterWritingAndReading (const juce::ValueTree& tree)
{
    juce::MemoryBlock written;

    if (! MapXmlWriter::write (tree, mapFileFormat(), written))
        corvix::fuzzing::fail ("a tree that was read could not be written");

    const auto size = written.getSize();
    written.append ("", 1);

    if (! MapXmlReader::readText (static_cast<const char*> (written.getData()), size).isEquivalentTo (tree))
        corvix::fuzzing::fail ("a tree written and read back differs");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    const auto text = corvix::fuzzing::terminatedCopy (data, size);
    const auto tree = MapXmlReader::readText (static_cast<const char*> (text.getData()), size);

    if (tree.isValid())
        expectSameTreeAfterWritingAndReading (tree);

    auto& host = fuzzHost();
    const auto file = corvix::fuzzing::scratchFolder().getChildFile ("map.corvix");

    if (! file.replaceWithData (data, size))
        return 0;

    slotDirty = { 0, 1, 0 };
    const auto before = host.getState();

    if (host.loadMappingFile (file).failed()
        && (host.getState() != before || slotDirty != std::array<juce::uint8, slotCount>{ 0, 1, 0 }))
        corvix::fuzzing::fail ("a refused map file changed the live tree or its flags");

    return 0;
}
