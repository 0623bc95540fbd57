#include "shell/SingleInstanceGuard.h"

#if ! JUCE_WINDOWS
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#if JUCE_WINDOWS
SingleInstanceGuard::SingleInstanceGuard (const juce::String&) {}
SingleInstanceGuard::~SingleInstanceGuard() = default;
#else
namespace
{
/** A folder that this user owns and nobody else may write, made when missing. */
bool isPrivateFolder (const juce::File& folder, bool makeIt)
{
    if (makeIt)
        ::mkdir (folder.getFullPathName().toRawUTF8(), 0700);

    struct stat status;
    return ::lstat (folder.getFullPathName().toRawUTF8(), &status) == 0 && S_ISDIR (status.st_mode) && status.st_uid == ::getuid()
           && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

juce::Array<juce::File> placesForTheLock (const juce::String& fileName)
{
    juce::Array<juce::File> places;

    if (const auto* runtime = std::getenv ("XDG_RUNTIME_DIR"); runtime != nullptr && juce::File::isAbsolutePath (runtime))
        if (const juce::File folder (runtime); isPrivateFolder (folder, false))
            places.add (folder.getChildFile (fileName));

    if (const auto home = juce::File::getSpecialLocation (juce::File::userHomeDirectory); home.isDirectory())
        places.add (home.getChildFile ("." + fileName));

    const auto own = juce::File ("/tmp").getChildFile (fileName + "-" + juce::String (static_cast<int> (::getuid())));

    if (isPrivateFolder (own, true))
        places.add (own.getChildFile (fileName));

    return places;
}
} // namespace

SingleInstanceGuard::SingleInstanceGuard (const juce::String& programName)
{
    const auto fileName = juce::File::createLegalFileName (programName.replaceCharacter (' ', '-')) + ".lock";

    for (const auto& place : placesForTheLock (fileName))
    {
        handle = ::open (place.getFullPathName().toRawUTF8(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);

        if (handle < 0)
            continue;

        struct flock whole
        {
        };
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;

        int result = 0;

        do
            result = ::fcntl (handle, F_SETLK, &whole);
        while (result < 0 && errno == EINTR);

        if (result == 0)
        {
            lockFile = place;
            return;
        }

        const auto heldElsewhere = errno == EACCES || errno == EAGAIN;
        ::close (handle);
        handle = -1;

        if (heldElsewhere)
        {
            onlyInstance = false;
            return;
        }
    }

    // Nowhere to keep a lock: said once, and the program runs.
    std::fprintf (stderr, "%s: no place for the single-instance lock; a second start is not prevented\n", programName.toRawUTF8());
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    if (handle >= 0)
        ::close (handle); // releases the lock
}
#endif
