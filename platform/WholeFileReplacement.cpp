#include "platform/WholeFileReplacement.h"

#include "platform/WholeFile.h"

#if ! JUCE_WINDOWS
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace talvor
{
namespace
{
#if JUCE_WINDOWS
const juce::String accessDenied{ "Access is denied." };
#else
juce::String systemText (int error) { return juce::String (std::strerror (error)); }
#endif

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

juce::String readOnlyReason()
{
#if JUCE_WINDOWS
    return accessDenied;
#else
    return systemText (EACCES);
#endif
}

/** Why no new file can be made in the folder, or in the folders that would be made for it (judged
    by the nearest one that exists); empty when one can. */
juce::String whyNoFileCanBeMadeIn (juce::File folder)
{
    while (! folder.exists() && folder.getParentDirectory() != folder)
        folder = folder.getParentDirectory();

#if JUCE_WINDOWS
    if (! folder.isDirectory())
        return "The directory name is invalid.";

    return folder.hasWriteAccess() ? juce::String() : accessDenied;
#else
    if (! folder.isDirectory())
        return systemText (ENOTDIR);

    return ::access (folder.getFullPathName().toRawUTF8(), W_OK | X_OK) == 0 ? juce::String() : systemText (errno);
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

juce::String folderOfThatNameReason()
{
#if JUCE_WINDOWS
    return accessDenied;
#else
    return systemText (EISDIR);
#endif
}
} // namespace

juce::String whyFileCannotBeReplaced (const juce::File& file)
{
    if (file == juce::File())
        return "no file was named";

    if (file.isDirectory())
        return folderOfThatNameReason();

    if (file.existsAsFile() && isReadOnly (file))
        return readOnlyReason();

    return whyNoFileCanBeMadeIn (file.getParentDirectory());
}

juce::File WholeFileReplacement::partialFileOf (const juce::File& file)
{
    return file.getSiblingFile ("." + file.getFileName() + ".partial");
}

WholeFileReplacement::WholeFileReplacement (const juce::File& file) : target (file)
{
    if (file == juce::File() || file.isDirectory())
    {
        fail (whyFileCannotBeReplaced (file));
        return;
    }

    existed = file.existsAsFile();

    if (existed && isReadOnly (file))
    {
        fail (readOnlyReason(), FileReplacement::readOnly);
        return;
    }

    // What a run that was killed while it wrote left behind; a stream would write after its end.
    const auto partial = partialFileOf (file);

    if (partial.isDirectory() || (partial.existsAsFile() && ! partial.deleteFile()))
    {
        fail (whyFileCannotBeReplaced (partial));
        return;
    }

    temporary = std::make_unique<juce::TemporaryFile> (file, partial);
    // Unbuffered, so that the result of each write is the result of the system's own write: a
    // buffered stream reports a write cut short by a full disk as done.
    out = std::make_unique<juce::FileOutputStream> (partial, 0);

    if (! out->openedOk())
    {
        fail (out->getStatus().getErrorMessage());
        return;
    }

#if JUCE_LINUX
    syncDescriptor = ::open (partial.getFullPathName().toRawUTF8(), O_WRONLY | O_CLOEXEC);
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

FileReplacement WholeFileReplacement::fail (const juce::String& why, FileReplacement how)
{
    reason = why.isNotEmpty() ? why : juce::String ("the file could not be written");
    return status = how;
}

bool WholeFileReplacement::append (const void* bytes, size_t size)
{
    if (status != FileReplacement::replaced)
        return false;

    // A write cut short (by a full disk) is followed by one for the rest, which the system refuses
    // with its reason, or takes after all.
    for (auto* from = static_cast<const char*> (bytes); size > 0;)
    {
        const auto before = out->getPosition();

        if (out->write (from, size))
            break;

        const auto written = static_cast<size_t> (out->getPosition() - before);

        if (out->getStatus().failed() || written == 0 || written > size)
        {
            fail (out->getStatus().getErrorMessage());
            return false;
        }

        from += written;
        size -= written;
    }

    sendWrittenBytesToDisk();
    return true;
}

bool WholeFileReplacement::restart()
{
    if (status != FileReplacement::replaced)
        return false;

    if (! out->setPosition (0))
        fail (out->getStatus().getErrorMessage());
    else if (const auto truncated = out->truncate(); truncated.failed())
        fail (truncated.getErrorMessage());

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
        return fail (out->getStatus().getErrorMessage());

    out = nullptr;

    if (existed && ! takePermissionsOf (target, temporary->getFile()))
        return fail ("the new file could not take the permissions of the old one");

    if (! temporary->overwriteTargetFileWithTemporary())
        return fail ("the new file could not take the place of the old one");

    temporary = nullptr;
    return status;
}
} // namespace talvor
