#include "platform/WholeFileReplacement.h"

#include "platform/WholeFile.h"

#if ! JUCE_WINDOWS
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace talvor
{
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

bool canReplaceWholeFile (const juce::File& file)
{
    if (file == juce::File() || file.isDirectory() || ! file.getParentDirectory().createDirectory())
        return false;

    if (file.existsAsFile() && isReadOnly (file))
        return false;

    const juce::TemporaryFile probe (file); // removed again when it goes
    return juce::FileOutputStream (probe.getFile(), 0).openedOk();
}

WholeFileReplacement::WholeFileReplacement (const juce::File& file) : target (file)
{
    if (file == juce::File() || file.isDirectory())
        return;

    existed = file.existsAsFile();

    if (existed && isReadOnly (file))
    {
        status = FileReplacement::readOnly;
        return;
    }

    temporary = std::make_unique<juce::TemporaryFile> (file);
    // Unbuffered, so that the result of each write is the result of the system's own write: a
    // buffered stream reports a write cut short by a full disk as done.
    out = std::make_unique<juce::FileOutputStream> (temporary->getFile(), 0);

    if (! out->openedOk())
        return;

#if JUCE_LINUX
    syncDescriptor = ::open (temporary->getFile().getFullPathName().toRawUTF8(), O_WRONLY | O_CLOEXEC);
#endif
    status = FileReplacement::replaced;
}

WholeFileReplacement::~WholeFileReplacement()
{
#if ! JUCE_WINDOWS
    if (syncDescriptor >= 0)
        ::close (syncDescriptor);
#endif
    out = nullptr;
    temporary = nullptr; // deletes the new file unless it took the old one's place
}

bool WholeFileReplacement::append (const void* bytes, size_t size)
{
    if (status != FileReplacement::replaced)
        return false;

    if (size != 0 && (! out->write (bytes, size) || out->getStatus().failed()))
    {
        status = FileReplacement::failed;
        return false;
    }

    sendWrittenBytesToDisk();
    return true;
}

bool WholeFileReplacement::restart()
{
    if (status != FileReplacement::replaced)
        return false;

    if (! out->setPosition (0) || out->truncate().failed())
        status = FileReplacement::failed;

    return status == FileReplacement::replaced;
}

void WholeFileReplacement::sendWrittenBytesToDisk()
{
#if JUCE_LINUX
    // Starts the disk's writes of everything written so far and returns: the flush in replace()
    // still waits for them, and checks them.
    if (syncDescriptor >= 0)
        ::sync_file_range (syncDescriptor, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

FileReplacement WholeFileReplacement::replace()
{
    if (status != FileReplacement::replaced)
        return status;

    out->flush(); // to the disk, before the new file takes the old one's place

    if (out->getStatus().failed())
        return status = FileReplacement::failed;

    out = nullptr;

    if (existed && ! takePermissionsOf (target, temporary->getFile()))
        return status = FileReplacement::failed;

    status = temporary->overwriteTargetFileWithTemporary() ? FileReplacement::replaced : FileReplacement::failed;
    temporary = nullptr;
    return status;
}
} // namespace talvor
