// Any bytes as the settings file: opened as at start-up (its stored map read into a tree), then
// the map stored as "SAVE AS DEFAULT" does. Opening must leave the file's bytes as they were, a file
// that could not be read in full must give no value (what it gives could be altered), the
// stored map must read back exactly as it was written, every other key of the file must keep its
// value, and a file that could not be read in full must be kept beside itself.
#include "fuzz/FuzzSupport.h"
#include "storage/MapXmlReader.h"
#include "storage/SettingsFileStore.h"

#include <cstring>

using namespace NsOrvelA;

namespace
{
const std::string stateKey{ "state" };
const char storedMap[] = "<store ver=\"0.23\" current=\"1\"><model id=\"1\"/></store>";

juce::PropertiesFile::Options storeOptions()
{
    juce::PropertiesFile::Options options;
    options.applicationName = "OrvelA";
    options.filenameSuffix = ".conf";
    options.folderName = corvix::fuzzing::scratchFolder().getChildFile ("settings").getFullPathName();
    options.commonToAllUsers = true;
    options.storageFormat = juce::PropertiesFile::storeAsCompressedBinary;
    return options;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    const auto options = storeOptions();
    const auto file = options.getDefaultFile();

    if (! file.getParentDirectory().createDirectory() || ! file.replaceWithData (data, size))
        return 0;

    const juce::File copy (file.getFullPathName() + SettingsFileStore::unreadableCopySuffix);
    copy.deleteFile();
    const auto before = SettingsFileStore::load (file, options);

    {
        const SettingsFileStore store (options);
        size_t length = 0;

        if (const auto* text = store.findValue (juce::String (stateKey), length))
        {
            if (! before.readInFull)
                corvix::fuzzing::fail ("a file that was not read in full gave a value");

            if (text[length] != 0)
                corvix::fuzzing::fail ("a stored value is not terminated");

            MapXmlReader::readText (text, length);
        }
    }

    juce::MemoryBlock opened;
    const auto unchanged =
        size == 0 ? ! file.existsAsFile() || file.getSize() == 0 // no data is no file
                  : file.loadFileAsData (opened) && opened.getSize() == size && std::memcmp (opened.getData(), data, size) == 0;

    if (! unchanged)
        corvix::fuzzing::fail ("opening the settings file changed it");

    if (! before.readInFull && ! copy.existsAsFile())
        corvix::fuzzing::fail ("a file that was not read in full was not kept");

    {
        SettingsFileStore store (options);

        if (! store.setValue (juce::String (stateKey), storedMap, std::strlen (storedMap)))
            corvix::fuzzing::fail ("the map could not be stored");
    }

    juce::MemoryBlock keptCopy;

    if (copy.existsAsFile()
        && (! copy.loadFileAsData (keptCopy) || keptCopy.getSize() != size
            || (size > 0 && std::memcmp (keptCopy.getData(), data, size) != 0)))
        corvix::fuzzing::fail ("the store did not keep the copy of the file");

    copy.deleteFile();
    const auto after = SettingsFileStore::load (file, options);
    const auto* stored = after.find (stateKey);

    if (stored == nullptr || stored->valueLength != std::strlen (storedMap)
        || std::memcmp (after.valueOf (*stored), storedMap, stored->valueLength) != 0)
        corvix::fuzzing::fail ("the stored map does not read back as it was written");

    for (const auto& property : before.properties)
    {
        if (property.key == stateKey)
            continue;

        const auto* kept = after.find (property.key);

        if (kept == nullptr || kept->valueLength != property.valueLength
            || std::memcmp (after.valueOf (*kept), before.valueOf (property), property.valueLength) != 0)
            corvix::fuzzing::fail ("another key of the settings file lost its value");
    }

    return 0;
}
