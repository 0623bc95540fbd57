#pragma once

#include "platform/ByteList.h"

namespace talvor
{
/** Every byte of the file; a file that is missing or cannot be opened reads as empty. */
ByteList readWholeFile (const juce::String& path);

/** Replaces the file's contents with the bytes, creating missing folders and the file itself.
    A longer file is cut to the new length. True when every byte was written. */
bool writeWholeFile (const juce::String& path, const ByteList& bytes);

/** How replacing a file ended. */
enum class FileReplacement
{
    replaced,
    readOnly, // the file is there and may not be written: it was left alone
    failed, // nothing was replaced; an existing file is as it was
};

/** Puts the bytes in place of the file's contents without ever leaving a part-written file: they
    are written into a new file beside it, every write and the final flush to the disk checked, and
    only then does the new file take the old one's name (and, on POSIX systems, its permissions).
    A full disk, a folder that cannot be written, a folder of that name, or a file the user has
    made read-only keep the old file whole. A symbolic link is followed to the file it names, which
    takes the bytes; the link stays. (WholeFileReplacement does the same with the bytes given
    piece by piece.) */
FileReplacement replaceWholeFile (const juce::File& file, const void* bytes, size_t size, juce::String* failureReason = nullptr);

/** Why replaceWholeFile could not put new bytes in the file's place, in the system's words, found
    out without creating anything (missing folders are judged by the nearest one that exists, as
    the replacement would make them there); empty when it could. A full disk is not foreseen: the
    replacement itself finds it. */
juce::String whyFileCannotBeReplaced (const juce::File& file);

/** Whether replaceWholeFile could put new bytes in the file's place (whyFileCannotBeReplaced). */
bool canReplaceWholeFile (const juce::File& file);
} // namespace talvor
