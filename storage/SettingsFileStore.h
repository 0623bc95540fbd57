#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <string>
#include <vector>

namespace NsOrvelA
{
/** The settings store of juce::ApplicationProperties, for settings kept as compressed binary
    properties files, read and written directly. It takes the user's and the common file as
    getCommonSettings (true) does: the common file is the store when it can be written, else the
    user's file, which falls back on the common one for reading. Whether the common one can be
    written is found out without creating or writing anything (the framework writes the file again
    as it read it, which replaces a file it could not read in full with the part it could), the same
    way each time, so that the file a store writes is the file the next start reads. Opening never
    changes a file, and a store writes only the store: when that fails nothing is stored, and the
    result says which file and why (writing the user's file instead would be read by no start).

    A file that cannot be read in full (damaged, cut short, of no known form) gives no value at all,
    whatever could be read of it, since what it gives could be altered; it is copied beside itself,
    under its name followed by ".unreadable", as soon as it is found so and before anything
    replaces it, so that what could not be read is never lost.

    The files' content and form stay those of juce::PropertiesFile, which reads them as its own.
    Keys and values are kept as the bytes the file holds and written back as those bytes, whatever
    they are: the framework's own store takes them for UTF-8 and writes a key or value that is not
    with a wrong length and no terminator, which shifts every property after it. The binary forms
    are read as the framework reads them (a count, then keys and values each ending in a 0 byte; an
    empty key is passed over, a key that comes twice keeps its last value); the XML form, which this
    program never writes, is read by SettingsFileStoreXmlForm, so that no settings file ever reaches
    the framework's XML parser. A large value stays bytes and is never made into one long string, a
    file is written again by copying its own compressed bytes instead of compressing its content
    anew, and a store compresses with zlib's fastest level instead of its slowest. */
class SettingsFileStore final
{
public:
    explicit SettingsFileStore (const juce::PropertiesFile::Options& options);

    /** The same over the two files given instead of the places the options name (the same file
        twice for a store that has one file only). */
    SettingsFileStore (const juce::PropertiesFile::Options& options, const juce::File& commonFile, const juce::File& userFile);

    /** The value's bytes, followed by a 0 byte, as getValue would give them; null when neither
        the store nor its fallback has the key. Valid while this object lives. */
    const char* findValue (const juce::String& key, size_t& length) const;

    /** setValue followed by saveIfNeeded: ok once the value is in the store's file. A failure names
        the file and the system's reason; nothing was stored then. */
    juce::Result setValue (const juce::String& key, const void* bytes, size_t length);

    /** The file a store writes. */
    const juce::File& storeFile() const noexcept { return usesUserFile() ? user.file : common.file; }

    /** Keeps a copy of the file that findValue takes the key's value from (see keepUnreadableCopy),
        for a value that could be read but not used; false when there is no such file or no copy. */
    bool keepCopyOfFileHolding (const juce::String& key) const;

    /** What follows a settings file's name in the name of the copy kept of it. */
    static constexpr const char* unreadableCopySuffix = ".unreadable";

    /** Copies the file's bytes beside it, to its name followed by unreadableCopySuffix (and by "-2",
        "-3" ... when a copy of other bytes has that name already); a copy of the same bytes kept
        before is the copy. The copy, or no file when none could be made. */
    static juce::File keepUnreadableCopy (const juce::File& file);

    /** The zlib level a store compresses with. */
    static constexpr int compressionLevel = 1;

    /** The most a settings file may hold once decompressed; a file that would hold more is read
        as holding nothing, instead of filling the memory. */
    static constexpr size_t largestContent = 512u * 1024u * 1024u;

    /** The file's properties in the order the framework keeps them. */
    struct LoadedFile
    {
        struct Property
        {
            std::string key; // the key's bytes as the file holds them
            size_t valueStart = 0;
            size_t valueLength = 0;
        };

        juce::File file;
        juce::MemoryBlock valueBytes; // every value, each followed by a 0 byte
        std::vector<Property> properties;
        juce::MemoryBlock ownPayload; // the file's compressed bytes, when they hold exactly these properties
        bool payloadIsOwn = false;
        bool readInFull = true; // false when the file holds bytes that are not among these properties

        const Property* find (const std::string& key) const;
        Property* find (const std::string& key);
        const char* valueOf (const Property& property) const;

        /** Gives the key the value; false when it held exactly these bytes already. */
        bool set (const std::string& key, const void* bytes, size_t length);
    };

    /** Reads a settings file as juce::PropertiesFile would: no file or a file of another form
        gives no properties; of compressed data with an error, what comes before the error, with
        readInFull false. */
    static LoadedFile load (const juce::File& file, const juce::PropertiesFile::Options& options);

    /** Writes the properties as juce::PropertiesFile::save does, in the compressed binary form,
        after the same checks, through a new file that takes the file's place only once it is
        complete on the disk. A file that holds exactly what was read from it gets its own
        compressed bytes back. A failure gives the system's reason; nothing was written then. */
    static juce::Result save (const LoadedFile& loaded, const juce::PropertiesFile::Options& options);

private:
    static juce::String whyCannotBeSaved (const juce::File& file, const juce::PropertiesFile::Options& fileOptions);
    bool usesUserFile() const { return ! commonIsWritable && ! sameFile; }
    juce::Result storeIn (LoadedFile& target, const juce::PropertiesFile::Options& targetOptions, const std::string& key,
                          const void* bytes, size_t length);

    juce::PropertiesFile::Options options, commonOptions, userOptions;
    LoadedFile common, user;
    juce::String whyCommonCannotBeWritten;
    bool commonIsWritable = true;
    bool sameFile = false;
};
} // namespace NsOrvelA
