#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <vector>

namespace NsOrvelA
{
/** The settings store of juce::ApplicationProperties, for settings kept as compressed binary
    properties files, read and written directly. Made on a store's options it does what
    getCommonSettings (true) does when the framework first opens the files: it reads the user's
    and the common file and checks that the common one can be written, by writing it again as it
    was read; the common file is then the store, or the user's file (which falls back on the
    common one for reading) when the common one cannot be written.

    The files' content and form stay those of juce::PropertiesFile, which reads them as its own.
    What differs is only how the work is done, for the large value the Host keeps there: a value
    stays bytes and is never made into one long string, a file is written again by copying its own
    compressed bytes instead of compressing its content anew, and a store compresses with zlib's
    fastest level instead of its slowest (the compressed bytes differ; what they hold does not).
    Anything unusual in a file (another form, a property twice, data past the last property) is
    read by juce::PropertiesFile itself. */
class SettingsFileStore final
{
public:
    explicit SettingsFileStore (const juce::PropertiesFile::Options& options);

    /** The value's bytes, followed by a 0 byte, as getValue would give them; null when neither
        the store nor its fallback has the key. Valid while this object lives. */
    const char* findValue (const juce::String& key, size_t& length) const;

    /** setValue followed by saveIfNeeded: the store's file is written when the value differs from
        the one it holds. False when that write failed; true when it succeeded or was not needed. */
    bool setValue (const juce::String& key, const void* bytes, size_t length);

    /** The zlib level a store compresses with. */
    static constexpr int compressionLevel = 1;

    /** The file's properties in the order the framework keeps them. */
    struct LoadedFile
    {
        struct Property
        {
            juce::String key;
            size_t valueStart = 0;
            size_t valueLength = 0;
        };

        juce::File file;
        juce::MemoryBlock valueBytes; // every value, each followed by a 0 byte
        std::vector<Property> properties;
        juce::MemoryBlock ownPayload; // the file's compressed bytes, when they hold exactly these properties
        bool payloadIsOwn = false;

        const Property* find (const juce::String& key) const;
        const char* valueOf (const Property& property) const;
    };

    /** Reads a settings file as juce::PropertiesFile would: no file gives no properties. */
    static LoadedFile load (const juce::File& file, const juce::PropertiesFile::Options& options);

    /** Writes the properties as juce::PropertiesFile::save does, in the compressed binary form:
        through a temporary file, after the same checks. A file that holds exactly what was read
        from it gets its own compressed bytes back. */
    static bool save (const LoadedFile& loaded, const juce::PropertiesFile::Options& options);

private:
    juce::PropertiesFile::Options options;
    LoadedFile common, user;
    bool commonIsWritable = false;
    bool sameFile = false;
};
} // namespace NsOrvelA
