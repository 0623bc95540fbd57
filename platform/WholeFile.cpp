#include "platform/WholeFile.h"

#include <algorithm>

#if ! JUCE_WINDOWS
#include <sys/stat.h>
#include <unistd.h>
#endif

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

namespace
{
/** Read-only as the user sees it: no write permission at all, or none for this user. Tested on the
    permission bits as well, because for an administrator the system's own check always says yes. */
bool isReadOnly (const juce::File& file)
{
#if JUCE_WINDOWS
    return ! file.hasWriteAccess();
#else
    struct stat status;

    if (::stat (file.getFullPathName().toRawUTF8(), &status) != 0)
        return false;

    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access (file.getFullPathName().toRawUTF8(), W_OK) != 0;
#endif
}

/** The new file takes the permissions of the one it replaces. */
bool takePermissionsOf (const juce::File& original, const juce::File& replacement)
{
#if JUCE_WINDOWS
    juce::ignoreUnused (original, replacement);
    return true;
#else
    struct stat status;

    if (::stat (original.getFullPathName().toRawUTF8(), &status) != 0)
        return true; // nothing to keep

    return ::chmod (replacement.getFullPathName().toRawUTF8(), status.st_mode & 07777) == 0;
#endif
}
} // namespace

FileReplacement replaceWholeFile (const juce::File& file, const void* bytes, size_t size)
{
    if (file == juce::File() || file.isDirectory())
        return FileReplacement::failed;

    const auto exists = file.existsAsFile();

    if (exists && isReadOnly (file))
        return FileReplacement::readOnly;

    juce::TemporaryFile temporary (file);

    {
        // Unbuffered, so that the result of each write is the result of the system's own write:
        // a buffered stream reports a write cut short by a full disk as done.
        juce::FileOutputStream out (temporary.getFile(), 0);

        if (! out.openedOk())
            return FileReplacement::failed;

        const auto written = size == 0 || out.write (bytes, size);
        out.flush(); // to the disk, before the new file takes the old one's place

        if (! written || out.getStatus().failed())
            return FileReplacement::failed;
    }

    if (exists && ! takePermissionsOf (file, temporary.getFile()))
        return FileReplacement::failed;

    return temporary.overwriteTargetFileWithTemporary() ? FileReplacement::replaced : FileReplacement::failed;
}

bool canReplaceWholeFile (const juce::File& file)
{
    if (file == juce::File() || file.isDirectory() || ! file.getParentDirectory().createDirectory())
        return false;

    if (file.existsAsFile() && isReadOnly (file))
        return false;

    const juce::TemporaryFile probe (file); // removed again when it goes
    return juce::FileOutputStream (probe.getFile(), 0).openedOk();
}
} // namespace talvor
