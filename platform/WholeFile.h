#pragma once

#include "platform/ByteList.h"

namespace talvor
{
/** Every byte of the file; a file that is missing or cannot be opened reads as empty. */
ByteList readWholeFile (const juce::String& path);

/** Replaces the file's contents with the bytes, creating missing folders and the file itself.
    A longer file is cut to the new length. True when every byte was written. */
bool writeWholeFile (const juce::String& path, const ByteList& bytes);
} // namespace talvor
