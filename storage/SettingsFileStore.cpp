#include "storage/SettingsFileStore.h"

#include "platform/WholeFile.h"

#include <cstring>
#include <memory>
#include <unordered_map>

// The files stay readable by the framework's own store, and read as it reads them, as proven
// against this release of the framework: an upgrade must prove it again before this number moves.
static_assert (JUCE_MAJOR_VERSION == 7 && JUCE_MINOR_VERSION == 0 && JUCE_BUILDNUMBER == 5,
               "the settings store was proven against JUCE 7.0.5: check it against the new release's PropertiesFile");

namespace NsOrvelA
{
namespace
{
// The framework's marks at the start of a properties file: "CPRP" compressed, "PROP" plain.
constexpr int compressedFileMark = static_cast<int> (juce::ByteOrder::makeInt ('C', 'P', 'R', 'P'));
constexpr int plainFileMark = static_cast<int> (juce::ByteOrder::makeInt ('P', 'R', 'O', 'P'));

/** The decompressed bytes, or false when they do not decompress within the limit. */
bool decompress (const void* data, size_t size, juce::MemoryBlock& content)
{
    juce::MemoryInputStream source (data, size, false);
    juce::GZIPDecompressorInputStream decompressor (source);
    juce::MemoryOutputStream out (content, false);
    char buffer[65536];

    for (;;)
    {
        const auto count = decompressor.read (buffer, static_cast<int> (sizeof (buffer)));

        if (count <= 0)
            return true;

        if (out.getDataSize() + static_cast<size_t> (count) > SettingsFileStore::largestContent)
            return false;

        out.write (buffer, static_cast<size_t> (count));
    }
}

/** Reads the properties as the framework's loadAsBinary does: up to the count of them, while
    there are bytes left, each key and value running to its 0 byte or to the end. True when the
    content is exactly what writing these properties gives, so that its compressed bytes can be
    written back as they are. */
bool readProperties (juce::MemoryBlock&& content, SettingsFileStore::LoadedFile& loaded)
{
    const auto size = content.getSize();
    content.append ("", 1); // ends a last text that runs to the end
    const auto* bytes = static_cast<const char*> (content.getData());

    if (size < 4)
    {
        loaded.valueBytes = std::move (content);
        return false;
    }

    const auto count = static_cast<int> (juce::ByteOrder::littleEndianInt (bytes));
    auto exact = count >= 0;
    size_t position = 4;

    const auto nextText = [&] (size_t& start, size_t& length)
    {
        start = position;
        const auto* end = static_cast<const char*> (std::memchr (bytes + position, 0, size - position));

        if (end == nullptr)
        {
            exact = false;
            length = size - position;
            position = size;
            return;
        }

        length = static_cast<size_t> (end - (bytes + position));
        position += length + 1;
    };

    std::unordered_map<std::string, size_t> indexOfKey;
    int read = 0;

    for (; read < count && position < size; ++read)
    {
        size_t keyStart = 0, keyLength = 0;
        SettingsFileStore::LoadedFile::Property property;
        nextText (keyStart, keyLength);
        nextText (property.valueStart, property.valueLength);
        property.key.assign (bytes + keyStart, keyLength);

        if (keyLength == 0)
        {
            exact = false; // passed over, as the framework does
            continue;
        }

        const auto [known, added] = indexOfKey.emplace (property.key, loaded.properties.size());

        if (! added)
        {
            exact = false; // the last value wins, in the first one's place
            auto& kept = loaded.properties[known->second];
            kept.valueStart = property.valueStart;
            kept.valueLength = property.valueLength;
            continue;
        }

        loaded.properties.push_back (std::move (property));
    }

    if (read != count || position != size)
        exact = false;

    loaded.valueBytes = std::move (content);
    return exact;
}

bool writeProperties (juce::OutputStream& out, const SettingsFileStore::LoadedFile& loaded)
{
    if (! out.writeInt (static_cast<int> (loaded.properties.size())))
        return false;

    // Bytes as they are, each followed by its terminator.
    for (const auto& property : loaded.properties)
        if (! out.write (property.key.c_str(), property.key.size() + 1) || ! out.write (loaded.valueOf (property), property.valueLength + 1))
            return false;

    return true;
}
} // namespace

const SettingsFileStore::LoadedFile::Property* SettingsFileStore::LoadedFile::find (const std::string& key) const
{
    for (const auto& property : properties)
        if (property.key == key)
            return &property;

    return nullptr;
}

SettingsFileStore::LoadedFile::Property* SettingsFileStore::LoadedFile::find (const std::string& key)
{
    for (auto& property : properties)
        if (property.key == key)
            return &property;

    return nullptr;
}

const char* SettingsFileStore::LoadedFile::valueOf (const Property& property) const
{
    return static_cast<const char*> (valueBytes.getData()) + property.valueStart;
}

bool SettingsFileStore::LoadedFile::set (const std::string& key, const void* bytes, size_t length)
{
    auto* property = find (key);

    if (property != nullptr && property->valueLength == length && std::memcmp (valueOf (*property), bytes, length) == 0)
        return false;

    if (property == nullptr)
    {
        properties.push_back ({ key, 0, 0 });
        property = &properties.back();
    }

    property->valueStart = valueBytes.getSize();
    property->valueLength = length;
    valueBytes.append (bytes, length);
    valueBytes.append ("", 1);
    payloadIsOwn = false;
    return true;
}

SettingsFileStore::LoadedFile SettingsFileStore::load (const juce::File& file, const juce::PropertiesFile::Options& fileOptions)
{
    jassert (fileOptions.storageFormat == juce::PropertiesFile::storeAsCompressedBinary);
    juce::ignoreUnused (fileOptions);

    LoadedFile loaded;
    loaded.file = file;
    juce::MemoryBlock bytes;

    if (! file.existsAsFile() || ! file.loadFileAsData (bytes) || bytes.getSize() < 4)
        return loaded;

    const auto mark = static_cast<int> (juce::ByteOrder::littleEndianInt (bytes.getData()));
    const auto* payload = static_cast<const char*> (bytes.getData()) + 4;
    const auto payloadSize = bytes.getSize() - 4;
    juce::MemoryBlock content;

    if (mark == compressedFileMark)
    {
        if (! decompress (payload, payloadSize, content))
            return loaded;
    }
    else if (mark == plainFileMark)
    {
        content.replaceAll (payload, payloadSize);
    }
    else
    {
        return loaded;
    }

    if (readProperties (std::move (content), loaded) && mark == compressedFileMark)
    {
        loaded.ownPayload.replaceAll (payload, payloadSize);
        loaded.payloadIsOwn = true;
    }

    return loaded;
}

bool SettingsFileStore::save (const LoadedFile& loaded, const juce::PropertiesFile::Options& fileOptions)
{
    const auto& file = loaded.file;

    if (fileOptions.doNotSave || file == juce::File() || file.isDirectory() || ! file.getParentDirectory().createDirectory())
        return false;

    std::unique_ptr<juce::InterProcessLock::ScopedLockType> lock;

    if (fileOptions.processLock != nullptr)
    {
        lock = std::make_unique<juce::InterProcessLock::ScopedLockType> (*fileOptions.processLock);

        if (! lock->isLocked())
            return false;
    }

    juce::MemoryOutputStream out;
    out.writeInt (compressedFileMark);

    if (loaded.payloadIsOwn)
    {
        out.write (loaded.ownPayload.getData(), loaded.ownPayload.getSize());
    }
    else
    {
        juce::GZIPCompressorOutputStream compressed (out, compressionLevel);

        if (! writeProperties (compressed, loaded))
            return false;

        compressed.flush();
    }

    return talvor::replaceWholeFile (file, out.getData(), out.getDataSize()) == talvor::FileReplacement::replaced;
}

SettingsFileStore::SettingsFileStore (const juce::PropertiesFile::Options& storeOptions, Use use)
    : options (storeOptions), commonOptions (storeOptions), userOptions (storeOptions)
{
    if (options.applicationName.isEmpty())
        return; // the framework opens nothing without a name

    commonOptions.commonToAllUsers = true;
    userOptions.commonToAllUsers = false;

    const auto commonFile = commonOptions.getDefaultFile();
    const auto userFile = userOptions.getDefaultFile();
    sameFile = commonFile == userFile;

    common = load (commonFile, commonOptions);

    if (use == Use::storing)
        return;

    commonIsWritable = save (common, commonOptions);
    commonChecked = true;

    // The user's file matters only when the common one cannot be written.
    if (! commonIsWritable && ! sameFile)
        user = load (userFile, userOptions);
}

const char* SettingsFileStore::findValue (const juce::String& key, size_t& length) const
{
    const auto usesUserFile = ! commonIsWritable && ! sameFile;
    const auto keyBytes = key.toStdString();

    for (const auto* loaded : { usesUserFile ? &user : &common, usesUserFile ? &common : nullptr })
    {
        if (loaded == nullptr)
            break;

        if (const auto* property = loaded->find (keyBytes))
        {
            length = property->valueLength;
            return loaded->valueOf (*property);
        }
    }

    return nullptr;
}

bool SettingsFileStore::storeIn (LoadedFile& target, const juce::PropertiesFile::Options& targetOptions, bool knownWritable,
                                 const std::string& key, const void* bytes, size_t length)
{
    // The framework writes nothing when the value is the same, once it knows the file can be written.
    if (! target.set (key, bytes, length) && knownWritable)
        return true;

    return save (target, targetOptions);
}

bool SettingsFileStore::setValue (const juce::String& key, const void* bytes, size_t length)
{
    // A 0 byte inside the value would end it when the file is read again.
    if (options.applicationName.isEmpty() || key.isEmpty() || (length > 0 && std::memchr (bytes, 0, length) != nullptr))
        return false;

    const auto keyBytes = key.toStdString();

    if (commonIsWritable)
    {
        if (storeIn (common, commonOptions, commonChecked, keyBytes, bytes, length))
        {
            commonChecked = true;
            return true;
        }

        commonIsWritable = false;

        if (sameFile)
            return false;

        if (user.file == juce::File())
            user = load (userOptions.getDefaultFile(), userOptions);
    }

    return ! sameFile && storeIn (user, userOptions, true, keyBytes, bytes, length);
}
} // namespace NsOrvelA
