#pragma once

#include "platform/WholeFile.h"

#include <memory>

namespace talvor
{
/** Puts new contents in place of a file's without ever leaving a part-written file, with the
    contents given piece by piece as they are made: they go into a new file beside it, every write
    and the final flush to the disk checked, and only replace() makes the new file take the old
    one's name (and, on POSIX systems, its permissions). A full disk, a folder that cannot be
    written or is missing, a folder of that name, or a file the user has made read-only keep the
    old file whole; so does an object that goes without replace().

    A symbolic link is followed to the file it names, through every link of a chain and also when
    that file does not exist yet: the new contents replace that file, and the link stays a link.

    Each replacement writes a hidden file of its own beside the file, ".NAME.<random>.partial", so
    that replacements of one file at the same moment never write into or move each other's, and the
    file ends holding one of them whole. A program killed while it writes leaves no file of the old
    one's extension that a chooser would offer as a map; a later replacement of the same file
    removes what such a run left. On POSIX systems a replacement holds an advisory lock (flock) on
    its own file while it lasts, and only a leftover whose lock can be taken is removed; on Windows
    an open file cannot be removed anyway.

    Where the system allows it (Linux), what is written is sent on to the disk at once, in the
    background, so that the flush at the end waits only for the last pieces instead of all of a
    20 MB map. */
class WholeFileReplacement final
{
public:
    explicit WholeFileReplacement (const juce::File& file);
    ~WholeFileReplacement();

    WholeFileReplacement (const WholeFileReplacement&) = delete;
    WholeFileReplacement& operator= (const WholeFileReplacement&) = delete;

    /** False once a write has failed or the file may not be replaced; every later piece is then
        refused too. */
    bool append (const void* bytes, size_t size);

    /** Empties the new file, to write the contents anew from their start. */
    bool restart();

    /** The new file takes the old one's place, if everything written so far was written. */
    FileReplacement replace();

    /** Why the file was not replaced, in the system's words ("No space left on device"); empty
        while nothing has failed. */
    const juce::String& failureReason() const noexcept { return reason; }

private:
    FileReplacement fail (const juce::String& why, FileReplacement how = FileReplacement::failed);
    void sendWrittenBytesToDisk();

    juce::File target; // the file the links lead to
    FileReplacement status{ FileReplacement::failed };
    juce::String reason;
    bool existed{ false };
    std::unique_ptr<juce::TemporaryFile> temporary;
    std::unique_ptr<juce::FileOutputStream> out;
    int ownDescriptor{ -1 }; // holds the lock on the new file (POSIX)
};
} // namespace talvor
