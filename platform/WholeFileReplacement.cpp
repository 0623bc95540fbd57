#include "platform/WholeFileReplacement.h"

#include "platform/WholeFile.h"

#if ! JUCE_WINDOWS
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
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

/** The file at the path, named by its folder's real path where that folder exists: a juce::File
    takes ".." away by the name alone, which goes elsewhere when a folder on the way is a link. */
juce::File fileAtPath (const std::string& path)
{
    const auto slash = path.rfind ('/');
    const auto folder = slash == 0 || slash == std::string::npos ? std::string ("/") : path.substr (0, slash);
    char real[PATH_MAX];

    if (::realpath (folder.c_str(), real) == nullptr)
        return juce::File (juce::String::fromUTF8 (path.c_str()));

    return juce::File (juce::String::fromUTF8 (real)).getChildFile (juce::String::fromUTF8 (path.c_str() + slash + 1));
}
#endif

/** The file that the name leads to through symbolic links: the named file itself when it is no
    link, else the file the last link of the chain names, which need not exist yet. Writing there
    keeps every link a link. `why` tells when the links go round in a circle or too deep. */
juce::File fileTheLinksLeadTo (const juce::File& file, juce::String& why)
{
#if JUCE_WINDOWS
    juce::ignoreUnused (why);
    return file;
#else
    auto path = file.getFullPathName().toStdString();

    // As many links as the system itself follows in one name.
    for (int links = 0; links <= 40; ++links)
    {
        char named[PATH_MAX];
        const auto length = ::readlink (path.c_str(), named, sizeof (named));

        if (length <= 0) // no link, or nothing there: the file itself
            return links == 0 ? file : fileAtPath (path);

        if (static_cast<size_t> (length) >= sizeof (named))
        {
            why = systemText (ENAMETOOLONG);
            return file;
        }

        // A relative name is taken from the folder the link is in, joined as the system joins it.
        const std::string next (named, static_cast<size_t> (length));
        path = next.front() == '/' ? next : path.substr (0, path.rfind ('/') + 1) + next;
    }

    why = systemText (ELOOP);
    return file;
#endif
}

/** Why the file may not be written though it is there, as the user sees it: no write permission
    at all, none for this user, or a file system mounted read-only; empty when it may be. Tested on
    the permission bits as well, because for an administrator the system's own check always says
    yes. */
juce::String whyReadOnly (const juce::File& file)
{
#if JUCE_WINDOWS
    return file.hasWriteAccess() ? juce::String() : accessDenied;
#else
    struct stat status;
    const auto* path = file.getFullPathName().toRawUTF8();

    if (::stat (path, &status) != 0)
        return {};

    if (::access (path, W_OK) != 0)
        return systemText (errno);

    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ? systemText (EACCES) : juce::String();
#endif
}

const juce::String partialNameEnd{ ".partial" };
constexpr int partialIdLength = 12;

juce::String partialNameStart (const juce::File& file) { return "." + file.getFileName() + "."; }

/** Whether the name is that of the new file of a replacement of `file`, made by any run. */
bool isPartialOf (const juce::String& name, const juce::File& file)
{
    const auto start = partialNameStart (file);

    if (! name.startsWith (start) || ! name.endsWith (partialNameEnd))
        return false;

    const auto id = name.substring (start.length(), name.length() - partialNameEnd.length());
    return id.length() == partialIdLength && id.containsOnly ("0123456789abcdef");
}

juce::File newPartialOf (const juce::File& file)
{
    return file.getSiblingFile (partialNameStart (file) + juce::Uuid().toString().substring (0, partialIdLength) + partialNameEnd);
}

/** Removes the new files that replacements of `file` left when they were killed, and none that a
    replacement still writes. */
void removeLeftoverPartialsOf (const juce::File& file)
{
    const auto folder = file.getParentDirectory();

#if JUCE_WINDOWS
    // A file that is open cannot be removed.
    for (const auto& leftover : folder.findChildFiles (juce::File::findFiles, false, "*" + partialNameEnd))
        if (isPartialOf (leftover.getFileName(), file))
            leftover.deleteFile();
#else
    auto* listing = ::opendir (folder.getFullPathName().toRawUTF8());

    if (listing == nullptr)
        return;

    while (const auto* entry = ::readdir (listing))
    {
        const auto name = juce::String::fromUTF8 (entry->d_name);

        if (! isPartialOf (name, file))
            continue;

        // Left over when no replacement holds its lock; and the name must still be that very file.
        const auto path = folder.getChildFile (name).getFullPathName();
        const auto descriptor = ::open (path.toRawUTF8(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);

        if (descriptor < 0)
            continue;

        struct stat opened, named;

        if (::fstat (descriptor, &opened) == 0 && S_ISREG (opened.st_mode) && ::flock (descriptor, LOCK_EX | LOCK_NB) == 0
            && ::lstat (path.toRawUTF8(), &named) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            ::unlink (path.toRawUTF8());

        ::close (descriptor);
    }

    ::closedir (listing);
#endif
}

/** Makes the new file of a replacement of `file`, which no other replacement writes, moves or
    removes: made under a name no file has, and (POSIX) locked while it still has that name, with
    the lock held by `descriptor` from then on. False, with the reason, when none could be made. */
bool claimNewPartialOf (const juce::File& file, juce::File& partial, int& descriptor, juce::String& why)
{
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        partial = newPartialOf (file);

#if JUCE_WINDOWS
        juce::ignoreUnused (descriptor, why);

        if (! partial.exists())
            return true;
#else
        const auto* path = partial.getFullPathName().toRawUTF8();
        descriptor = ::open (path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);

        if (descriptor < 0)
        {
            if (errno == EEXIST)
                continue;

            why = systemText (errno);
            return false;
        }

        // Another replacement may have taken it for a leftover before it was locked: if that one
        // holds it now, or has removed it, it is given up for another. (Where the file system has
        // no such locks, no replacement can take it for a leftover.)
        const auto heldByAnother = ::flock (descriptor, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        struct stat opened, named;

        if (! heldByAnother && ::fstat (descriptor, &opened) == 0 && ::lstat (path, &named) == 0 && named.st_dev == opened.st_dev
            && named.st_ino == opened.st_ino)
            return true;

        ::close (descriptor);
        descriptor = -1;
#endif
    }

    why = "no new file could be made beside the file";
    return false;
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

juce::String whyFileCannotBeReplaced (const juce::File& named)
{
    if (named == juce::File())
        return "no file was named";

    juce::String why;
    const auto file = fileTheLinksLeadTo (named, why);

    if (why.isNotEmpty())
        return why;

    if (file.isDirectory())
        return folderOfThatNameReason();

    if (file.existsAsFile() && (why = whyReadOnly (file)).isNotEmpty())
        return why;

    return whyNoFileCanBeMadeIn (file.getParentDirectory());
}

WholeFileReplacement::WholeFileReplacement (const juce::File& file)
{
    juce::String why;
    target = fileTheLinksLeadTo (file, why);

    if (why.isNotEmpty() || target == juce::File() || target.isDirectory())
    {
        fail (why.isNotEmpty() ? why : whyFileCannotBeReplaced (target));
        return;
    }

    existed = target.existsAsFile();

    if (existed && (why = whyReadOnly (target)).isNotEmpty())
    {
        fail (why, FileReplacement::readOnly);
        return;
    }

    // What runs that were killed while they wrote left behind.
    removeLeftoverPartialsOf (target);
    juce::File partial;

    if (! claimNewPartialOf (target, partial, ownDescriptor, why))
    {
        fail (why);
        return;
    }

    temporary = std::make_unique<juce::TemporaryFile> (target, partial);
    // Unbuffered, so that the result of each write is the result of the system's own write: a
    // buffered stream reports a write cut short by a full disk as done.
    out = std::make_unique<juce::FileOutputStream> (partial, 0);

    if (! out->openedOk())
    {
        fail (out->getStatus().getErrorMessage());
        return;
    }

    status = FileReplacement::replaced;
}

WholeFileReplacement::~WholeFileReplacement()
{
    out = nullptr;
    temporary = nullptr; // deletes the new file unless it took the old one's place
#if ! JUCE_WINDOWS
    // Only now may another replacement take what is left of it for a leftover.
    if (ownDescriptor >= 0)
        ::close (ownDescriptor);
#endif
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
    if (ownDescriptor >= 0)
        ::sync_file_range (ownDescriptor, 0, 0, SYNC_FILE_RANGE_WRITE);
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

#if JUCE_WINDOWS
    if (! temporary->overwriteTargetFileWithTemporary())
        return fail ("the new file could not take the place of the old one");
#else
    // The new file, this replacement's own, takes the name at once or not at all.
    if (::rename (temporary->getFile().getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) != 0)
        return fail (systemText (errno));
#endif

    temporary = nullptr;
    return status;
}
} // namespace talvor
