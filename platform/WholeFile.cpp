#include "platform/WholeFile.h"

#include "platform/WholeFileReplacement.h"

#include <algorithm>

namespace talvor
{
ByteList readWholeFile (const juce::String& path)
{
    ByteList bytes;
    juce::FileInputStream stream{ juce::File (path) };

    if (! stream.openedOk())
        return bytes;

    juce::MemoryBlock block;
    stream.readIntoMemoryBlock (block);
    bytes.addArray (static_cast<const juce::uint8*> (block.getData()), static_cast<int> (block.getSize()));
    return bytes;
}

bool writeWholeFile (const juce::String& path, const ByteList& bytes)
{
    const juce::File file (path);
    const auto parent = file.getParentDirectory();

    // A folder that cannot be made shows up as the failure to create the file below.
    if (! parent.isDirectory())
        parent.createDirectory();

    if (! file.existsAsFile() && file.create().failed())
        return false;

    juce::FileOutputStream stream (file, static_cast<size_t> (std::max (bytes.size(), 16)));

    if (! stream.openedOk())
        return false;

    stream.setPosition (0);
    stream.truncate();
    // An empty list has no data pointer to hand to the stream.
    const auto written = bytes.isEmpty() || stream.write (bytes.getRawDataPointer(), static_cast<size_t> (bytes.size()));
    stream.flush();
    return written && stream.getStatus().wasOk();
}

FileReplacement replaceWholeFile (const juce::File& file, const void* bytes, size_t size, juce::String* failureReason)
{
    WholeFileReplacement replacement (file);
    replacement.append (bytes, size);
    const auto result = replacement.replace();

    if (failureReason != nullptr)
        *failureReason = replacement.failureReason();

    return result;
}

bool canReplaceWholeFile (const juce::File& file) { return whyFileCannotBeReplaced (file).isEmpty(); }
} // namespace talvor
