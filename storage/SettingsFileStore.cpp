#include "storage/SettingsFileStore.h"

#include "platform/WholeFile.h"

#include "storage/SettingsFileStoreXmlForm.h"

#include <zlib.h>

#include <cstring>
#include <limits>
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

const juce::String heldLockReason{ "another program holds the settings file's lock" };

/** The file the framework takes for these options; none without a name, as it opens nothing then. */
juce::File defaultFileOf (juce::PropertiesFile::Options options, bool commonToAllUsers)
{
    options.commonToAllUsers = commonToAllUsers;
    return options.applicationName.isEmpty() ? juce::File() : options.getDefaultFile();
}

/** Everything the compressed bytes give, up to their end or up to a data error. False when they did
    not end as a whole stream: cut short, damaged (deflate passes most flipped bits of its literal
    data on as other bytes, and only the checksum at the end tells), with bytes after their end, or
    holding more than the limit. */
bool decompress (const void* data, size_t size, juce::MemoryBlock& content)
{
    z_stream stream{};

    if (size > std::numeric_limits<uInt>::max() || inflateInit (&stream) != Z_OK)
        return false;

    stream.next_in = static_cast<Bytef*> (const_cast<void*> (data));
    stream.avail_in = static_cast<uInt> (size);
    auto result = Z_OK;
    auto tooLarge = false;

    {
        juce::MemoryOutputStream out (content, false);
        Bytef buffer[65536];

        while (result == Z_OK)
        {
            stream.next_out = buffer;
            stream.avail_out = static_cast<uInt> (sizeof (buffer));
            result = inflate (&stream, Z_NO_FLUSH);
            const auto produced = sizeof (buffer) - stream.avail_out;

            if (out.getDataSize() + produced > SettingsFileStore::largestContent)
            {
                tooLarge = true;
                break;
            }

            out.write (buffer, produced);
        }
    }

    const auto whole = result == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd (&stream);

    if (tooLarge)
        content.reset();

    return whole;
}

/** Takes a property as the framework does: an empty key is passed over, a key that comes twice
    keeps its last value in the first one's place. False when the property was not taken as it came. */
bool addProperty (SettingsFileStore::LoadedFile& loaded, std::unordered_map<std::string, size_t>& indexOfKey,
                  SettingsFileStore::LoadedFile::Property&& property)
{
    if (property.key.empty())
        return false;

    const auto [known, added] = indexOfKey.emplace (property.key, loaded.properties.size());

    if (! added)
    {
        auto& kept = loaded.properties[known->second];
        kept.valueStart = property.valueStart;
        kept.valueLength = property.valueLength;
        return false;
    }

    loaded.properties.push_back (std::move (property));
    return true;
}

/** Reads the properties as the framework's loadAsBinary does: up to the count of them, while
    there are bytes left, each key and value running to its 0 byte or to the end. True when the
    content is exactly what writing these properties gives, so that its compressed bytes can be
    written back as they are. Content that ends before the count, a text without its 0 byte or
    bytes after the last property leave the file not read in full. */
bool readProperties (juce::MemoryBlock&& content, SettingsFileStore::LoadedFile& loaded)
{
    const auto size = content.getSize();
    content.append ("", 1); // ends a last text that runs to the end
    const auto* bytes = static_cast<const char*> (content.getData());

    if (size < 4)
    {
        loaded.valueBytes = std::move (content);
        loaded.readInFull = false;
        return false;
    }

    const auto count = static_cast<int> (juce::ByteOrder::littleEndianInt (bytes));
    auto exact = count >= 0;
    auto whole = exact;
    size_t position = 4;

    const auto nextText = [&] (size_t& start, size_t& length)
    {
        start = position;
        const auto* end = static_cast<const char*> (std::memchr (bytes + position, 0, size - position));

        if (end == nullptr)
        {
            exact = whole = false;
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

        if (! addProperty (loaded, indexOfKey, std::move (property)))
            exact = false;
    }

    if (read != count || position != size)
        exact = whole = false;

    loaded.valueBytes = std::move (content);
    loaded.readInFull = whole;
    return exact;
}

/** Reads a file in the framework's XML form; false when it is not a document of that form, or
    holds a key or value with a 0 byte, which the binary form a store writes cannot hold (the text
    would end there, and every property after it would be read from the wrong place). */
bool readXmlForm (const char* bytes, size_t size, SettingsFileStore::LoadedFile& loaded)
{
    const auto properties = SettingsFileStoreXmlForm::read (bytes, size);

    if (! properties.has_value())
        return false;

    std::unordered_map<std::string, size_t> indexOfKey;

    for (const auto& [key, value] : *properties)
    {
        if (key.find ('\0') != std::string::npos || value.find ('\0') != std::string::npos)
            return false;

        SettingsFileStore::LoadedFile::Property property{ key, loaded.valueBytes.getSize(), value.size() };
        loaded.valueBytes.append (value.data(), value.size());
        loaded.valueBytes.append ("", 1);
        addProperty (loaded, indexOfKey, std::move (property));
    }

    return true;
}

/** Whether the bytes of the two are the same. */
bool sameBytes (const juce::File& file, const juce::MemoryBlock& bytes)
{
    juce::MemoryBlock other;
    return file.getSize() == static_cast<juce::int64> (bytes.getSize()) && file.loadFileAsData (other) && other == bytes;
}

bool writeProperties (juce::OutputStream& out, const SettingsFileStore::LoadedFile& loaded)
{
    if (! out.writeInt (static_cast<int> (loaded.properties.size())))
        return false;

    // Bytes as they are, each followed by its terminator.
    for (const auto& property : loaded.properties)
        if (! out.write (property.key.c_str(), property.key.size() + 1)
            || ! out.write (loaded.valueOf (property), property.valueLength + 1))
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

    if (! file.existsAsFile())
        return loaded;

    if (! file.loadFileAsData (bytes) || bytes.getSize() < 4)
    {
        loaded.readInFull = file.getSize() == 0; // an empty file holds nothing to lose
        return loaded;
    }

    const auto mark = static_cast<int> (juce::ByteOrder::littleEndianInt (bytes.getData()));
    const auto* payload = static_cast<const char*> (bytes.getData()) + 4;
    const auto payloadSize = bytes.getSize() - 4;
    juce::MemoryBlock content;

    // What could be read of a damaged file may be altered: none of it is given, and a store writes
    // none of it back. The file itself is kept (keepUnreadableCopy).
    const auto damaged = [&loaded]
    {
        loaded.properties.clear();
        loaded.valueBytes.reset();
        loaded.readInFull = false;
        return loaded;
    };

    if (mark == compressedFileMark)
    {
        if (! decompress (payload, payloadSize, content))
            return damaged();
    }
    else if (mark == plainFileMark)
    {
        content.replaceAll (payload, payloadSize);
    }
    else
    {
        return readXmlForm (static_cast<const char*> (bytes.getData()), bytes.getSize(), loaded) ? loaded : damaged();
    }

    const auto exact = readProperties (std::move (content), loaded);

    if (! loaded.readInFull)
        return damaged();

    if (exact && mark == compressedFileMark)
    {
        loaded.ownPayload.replaceAll (payload, payloadSize);
        loaded.payloadIsOwn = true;
    }

    return loaded;
}

juce::File SettingsFileStore::keepUnreadableCopy (const juce::File& file)
{
    juce::MemoryBlock bytes;

    if (! file.existsAsFile() || ! file.loadFileAsData (bytes))
        return {};

    // A copy kept before, of these very bytes, is the copy; one of other bytes is never replaced.
    for (int number = 1; number <= 100; ++number)
    {
        const juce::File copy (file.getFullPathName() + unreadableCopySuffix + (number > 1 ? "-" + juce::String (number) : juce::String()));

        if (copy.exists())
        {
            if (copy.existsAsFile() && sameBytes (copy, bytes))
                return copy;

            continue;
        }

        return talvor::replaceWholeFile (copy, bytes.getData(), bytes.getSize()) == talvor::FileReplacement::replaced ? copy : juce::File();
    }

    return {};
}

bool SettingsFileStore::keepCopyOfFileHolding (const juce::String& key) const
{
    const auto keyBytes = key.toStdString();

    for (const auto* loaded : { usesUserFile() ? &user : &common, usesUserFile() ? &common : nullptr })
        if (loaded != nullptr && loaded->find (keyBytes) != nullptr)
            return keepUnreadableCopy (loaded->file) != juce::File();

    return false;
}

juce::Result SettingsFileStore::save (const LoadedFile& loaded, const juce::PropertiesFile::Options& fileOptions)
{
    if (const auto why = whyCannotBeSaved (loaded.file, fileOptions); why.isNotEmpty())
        return juce::Result::fail (why);

    // The folder is made by the first store that needs it, never by a start.
    if (const auto made = loaded.file.getParentDirectory().createDirectory(); made.failed())
        return made;

    std::unique_ptr<juce::InterProcessLock::ScopedLockType> lock;

    if (fileOptions.processLock != nullptr)
    {
        lock = std::make_unique<juce::InterProcessLock::ScopedLockType> (*fileOptions.processLock);

        if (! lock->isLocked())
            return juce::Result::fail (heldLockReason);
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
            return juce::Result::fail ("the settings could not be compressed");

        compressed.flush();
    }

    juce::String why;

    if (talvor::replaceWholeFile (loaded.file, out.getData(), out.getDataSize(), &why) != talvor::FileReplacement::replaced)
        return juce::Result::fail (why);

    return juce::Result::ok();
}

SettingsFileStore::SettingsFileStore (const juce::PropertiesFile::Options& storeOptions)
    : SettingsFileStore (storeOptions, defaultFileOf (storeOptions, true), defaultFileOf (storeOptions, false))
{
}

SettingsFileStore::SettingsFileStore (const juce::PropertiesFile::Options& storeOptions, const juce::File& commonFile,
                                      const juce::File& userFile)
    : options (storeOptions), commonOptions (storeOptions), userOptions (storeOptions)
{
    commonOptions.commonToAllUsers = true;
    userOptions.commonToAllUsers = false;
    sameFile = commonFile == userFile;
    common = load (commonFile, commonOptions);
    user.file = userFile;

    // The framework finds this out by writing the file again as it read it, which replaces a file
    // it could not read in full with what it could read of it. Nothing is made to find it out.
    whyCommonCannotBeWritten = whyCannotBeSaved (commonFile, commonOptions);
    commonIsWritable = whyCommonCannotBeWritten.isEmpty();

    // The user's file matters only when the common one cannot be written.
    if (usesUserFile())
        user = load (userFile, userOptions);

    // Kept before anything can take the file's place, so that the next store cannot take the only copy.
    for (const auto* loaded : { &common, &user })
        if (! loaded->readInFull)
            keepUnreadableCopy (loaded->file);
}

juce::String SettingsFileStore::whyCannotBeSaved (const juce::File& file, const juce::PropertiesFile::Options& fileOptions)
{
    // What save needs, asked without writing anything.
    if (fileOptions.doNotSave)
        return "the settings may not be saved";

    if (fileOptions.processLock != nullptr && ! juce::InterProcessLock::ScopedLockType (*fileOptions.processLock).isLocked())
        return heldLockReason;

    return talvor::whyFileCannotBeReplaced (file);
}

const char* SettingsFileStore::findValue (const juce::String& key, size_t& length) const
{
    const auto keyBytes = key.toStdString();

    for (const auto* loaded : { usesUserFile() ? &user : &common, usesUserFile() ? &common : nullptr })
    {
        // What a damaged file seems to lack may be what it held: the other file must not stand in.
        if (loaded == nullptr || ! loaded->readInFull)
            break;

        if (const auto* property = loaded->find (keyBytes))
        {
            length = property->valueLength;
            return loaded->valueOf (*property);
        }
    }

    return nullptr;
}

juce::Result SettingsFileStore::storeIn (LoadedFile& target, const juce::PropertiesFile::Options& targetOptions, const std::string& key,
                                         const void* bytes, size_t length)
{
    // The framework writes nothing when the file holds the value already.
    if (! target.set (key, bytes, length))
        return juce::Result::ok();

    // What could not be read of the file would be gone once it is written.
    if (! target.readInFull && keepUnreadableCopy (target.file) == juce::File())
        return juce::Result::fail ("a copy of the damaged file could not be kept beside it");

    if (const auto saved = save (target, targetOptions); saved.failed())
    {
        target = load (target.file, targetOptions); // what the file still holds
        return saved;
    }

    target.readInFull = true;
    return juce::Result::ok();
}

juce::Result SettingsFileStore::setValue (const juce::String& key, const void* bytes, size_t length)
{
    // A 0 byte inside the value would end it when the file is read again.
    if (options.applicationName.isEmpty() || key.isEmpty() || (length > 0 && std::memchr (bytes, 0, length) != nullptr))
        return juce::Result::fail ("the value cannot be kept in a settings file");

    const auto keyBytes = key.toStdString();

    if (commonIsWritable)
        return storeIn (common, commonOptions, keyBytes, bytes, length);

    if (sameFile)
        return juce::Result::fail (whyCommonCannotBeWritten);

    return storeIn (user, userOptions, keyBytes, bytes, length);
}
} // namespace NsOrvelA
