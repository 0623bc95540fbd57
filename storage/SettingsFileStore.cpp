#include "storage/SettingsFileStore.h"

#include <cstring>
#include <memory>
#include <set>

namespace NsOrvelA
{
namespace
{
// The framework's mark at the start of a compressed binary properties file: "CPRP".
constexpr int compressedFileMark = static_cast<int> (juce::ByteOrder::makeInt ('C', 'P', 'R', 'P'));

bool hasNonAscii (const char* bytes, size_t length) noexcept
{
    for (size_t i = 0; i < length; ++i)
        if (static_cast<juce::uint8> (bytes[i]) >= 0x80)
            return true;

    return false;
}

juce::String stringOf (const char* bytes, size_t length)
{
    return juce::String (juce::CharPointer_UTF8 (bytes), juce::CharPointer_UTF8 (bytes + length));
}

/** Whether the framework would take the two values for the same: it compares them character by
    character, so two spellings of one character in malformed UTF-8 count as equal. */
bool sameValue (const char* a, size_t aLength, const char* b, size_t bLength)
{
    if (aLength == bLength && std::memcmp (a, b, aLength) == 0)
        return true;

    if (! hasNonAscii (a, aLength) && ! hasNonAscii (b, bLength))
        return false;

    return stringOf (a, aLength) == stringOf (b, bLength);
}

/** The decompressed content of a compressed file, when it holds exactly a count and that many
    distinct, named properties; the framework would then read exactly those. */
bool readExactContent (juce::MemoryBlock&& content, SettingsFileStore::LoadedFile& loaded)
{
    const auto* bytes = static_cast<const char*> (content.getData());
    const auto size = content.getSize();

    if (size < 4)
        return false;

    const auto count = static_cast<int> (juce::ByteOrder::littleEndianInt (bytes));
    std::set<juce::String> keys;
    size_t position = 4;

    const auto nextText = [&] (size_t& start, size_t& length)
    {
        if (position >= size)
            return false;

        const auto* end = static_cast<const char*> (std::memchr (bytes + position, 0, size - position));

        if (end == nullptr)
            return false;

        start = position;
        length = static_cast<size_t> (end - (bytes + position));
        position += length + 1;
        return true;
    };

    for (int i = 0; i < count; ++i)
    {
        size_t keyStart = 0, keyLength = 0;
        SettingsFileStore::LoadedFile::Property property;

        if (! nextText (keyStart, keyLength) || keyLength == 0 || ! nextText (property.valueStart, property.valueLength))
            return false;

        property.key = stringOf (bytes + keyStart, keyLength);

        if (! keys.insert (property.key).second)
            return false;

        loaded.properties.push_back (std::move (property));
    }

    if (count < 0 || position != size)
        return false;

    loaded.valueBytes = std::move (content);
    return true;
}

/** Anything but a plain compressed file is read by the framework itself. */
SettingsFileStore::LoadedFile loadThroughFramework (const juce::File& file, const juce::PropertiesFile::Options& options)
{
    SettingsFileStore::LoadedFile loaded;
    loaded.file = file;

    juce::PropertiesFile framework (file, options);
    const auto& all = framework.getAllProperties();

    for (int i = 0; i < all.size(); ++i)
    {
        const auto& value = all.getAllValues()[i];
        const auto length = value.getNumBytesAsUTF8();
        loaded.properties.push_back ({ all.getAllKeys()[i], loaded.valueBytes.getSize(), length });
        loaded.valueBytes.append (value.toRawUTF8(), length + 1);
    }

    return loaded;
}

bool writeProperties (juce::OutputStream& out, const SettingsFileStore::LoadedFile& loaded)
{
    if (! out.writeInt (static_cast<int> (loaded.properties.size())))
        return false;

    for (const auto& property : loaded.properties)
        if (! out.writeString (property.key) || ! out.write (loaded.valueOf (property), property.valueLength + 1))
            return false;

    return true;
}
} // namespace

const SettingsFileStore::LoadedFile::Property* SettingsFileStore::LoadedFile::find (const juce::String& key) const
{
    for (const auto& property : properties)
        if (property.key == key)
            return &property;

    return nullptr;
}

const char* SettingsFileStore::LoadedFile::valueOf (const Property& property) const
{
    return static_cast<const char*> (valueBytes.getData()) + property.valueStart;
}

SettingsFileStore::LoadedFile SettingsFileStore::load (const juce::File& file, const juce::PropertiesFile::Options& fileOptions)
{
    jassert (fileOptions.storageFormat == juce::PropertiesFile::storeAsCompressedBinary);

    LoadedFile loaded;
    loaded.file = file;

    if (! file.exists())
        return loaded;

    juce::MemoryBlock bytes;

    if (file.loadFileAsData (bytes) && bytes.getSize() >= 4
        && static_cast<int> (juce::ByteOrder::littleEndianInt (bytes.getData())) == compressedFileMark)
    {
        juce::MemoryInputStream source (static_cast<const char*> (bytes.getData()) + 4, bytes.getSize() - 4, false);
        juce::GZIPDecompressorInputStream decompressor (source);
        juce::MemoryBlock content;
        decompressor.readIntoMemoryBlock (content);

        if (readExactContent (std::move (content), loaded))
        {
            loaded.ownPayload.replaceAll (static_cast<const char*> (bytes.getData()) + 4, bytes.getSize() - 4);
            loaded.payloadIsOwn = true;
            return loaded;
        }
    }

    return loadThroughFramework (file, fileOptions);
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

    juce::TemporaryFile temporary (file);

    {
        juce::FileOutputStream out (temporary.getFile());

        if (! out.openedOk())
            return false;

        out.writeInt (compressedFileMark);
        out.flush();

        if (loaded.payloadIsOwn)
        {
            if (! out.write (loaded.ownPayload.getData(), loaded.ownPayload.getSize()))
                return false;
        }
        else
        {
            juce::GZIPCompressorOutputStream compressed (out, compressionLevel);

            if (! writeProperties (compressed, loaded))
                return false;
        }
    }

    return temporary.overwriteTargetFileWithTemporary();
}

SettingsFileStore::SettingsFileStore (const juce::PropertiesFile::Options& storeOptions) : options (storeOptions)
{
    if (options.applicationName.isEmpty())
        return; // the framework opens nothing without a name

    auto commonOptions = options, userOptions = options;
    commonOptions.commonToAllUsers = true;
    userOptions.commonToAllUsers = false;

    const auto commonFile = commonOptions.getDefaultFile();
    const auto userFile = userOptions.getDefaultFile();
    sameFile = commonFile == userFile;

    common = load (commonFile, commonOptions);
    commonIsWritable = save (common, commonOptions);

    // The user's file matters only when the common one cannot be written.
    if (! commonIsWritable && ! sameFile)
        user = load (userFile, userOptions);
}

const char* SettingsFileStore::findValue (const juce::String& key, size_t& length) const
{
    const auto usesUserFile = ! commonIsWritable && ! sameFile;

    for (const auto* loaded : { usesUserFile ? &user : &common, usesUserFile ? &common : nullptr })
    {
        if (loaded == nullptr)
            break;

        if (const auto* property = loaded->find (key))
        {
            length = property->valueLength;
            return loaded->valueOf (*property);
        }
    }

    return nullptr;
}

bool SettingsFileStore::setValue (const juce::String& key, const void* bytes, size_t length)
{
    if (options.applicationName.isEmpty() || key.isEmpty())
        return false;

    auto& target = (! commonIsWritable && ! sameFile) ? user : common;
    auto* property = const_cast<LoadedFile::Property*> (target.find (key));
    const auto* text = static_cast<const char*> (bytes);

    if (property != nullptr && sameValue (target.valueOf (*property), property->valueLength, text, length))
        return true; // the framework writes nothing when the value is the same

    if (property == nullptr)
    {
        target.properties.push_back ({ key, 0, 0 });
        property = &target.properties.back();
    }

    property->valueStart = target.valueBytes.getSize();
    property->valueLength = length;
    target.valueBytes.append (text, length);
    target.valueBytes.append ("", 1);
    target.payloadIsOwn = false;

    return save (target, options);
}
} // namespace NsOrvelA
