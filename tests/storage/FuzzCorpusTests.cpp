#include "map/MapIdentifiers.h"
#include "storage/MapXmlReader.h"
#include "storage/MapXmlWriter.h"
#include "storage/SettingsFileStore.h"
#include "tests/support/HostTest.h"

#include <gtest/gtest.h>

// Every input of the fuzz targets' seed corpora, among them every input that ever crashed or hung
// a target, goes through the readers in the normal suite too (and under its sanitizers).
namespace
{
using namespace NsOrvelA;

juce::Array<juce::File> corpus (const char* target)
{
    const auto folder = juce::File (CORVIX_SOURCE_DIR).getChildFile ("fuzz/corpus").getChildFile (target);
    auto files = folder.findChildFiles (juce::File::findFiles, false);
    EXPECT_FALSE (files.isEmpty()) << folder.getFullPathName();
    return files;
}

TEST (FuzzCorpus, EveryMapFileIsReadOrRefusedAndWhatIsReadWritesBackTheSame)
{
    for (const auto& file : corpus ("MapFileFuzzer"))
    {
        SCOPED_TRACE (file.getFileName().toStdString());
        const auto tree = MapXmlReader::readFile (file);

        if (tree.isValid())
        {
            juce::MemoryBlock written;
            ASSERT_TRUE (MapXmlWriter::write (tree, mapFileFormat(), written));
            const auto size = written.getSize();
            written.append ("", 1);
            EXPECT_TRUE (MapXmlReader::readText (static_cast<const char*> (written.getData()), size).isEquivalentTo (tree));
        }
    }
}

class FuzzCorpusSettings : public corvix::testing::HostTest
{
};

TEST_F (FuzzCorpusSettings, EverySettingsFileIsLeftAsItIsByAStartAndKeepsWhatIsStoredInIt)
{
    const auto settingsFile = corvix::testing::testSettingsFolder().getChildFile ("OrvelA.conf");
    const juce::File copy (settingsFile.getFullPathName() + SettingsFileStore::unreadableCopySuffix);

    for (const auto& file : corpus ("SettingsFileFuzzer"))
    {
        SCOPED_TRACE (file.getFileName().toStdString());
        copy.deleteFile();
        ASSERT_TRUE (file.copyFileTo (settingsFile));
        juce::MemoryBlock original, after;
        ASSERT_TRUE (file.loadFileAsData (original));

        auto& next = makeHost();
        ASSERT_TRUE (settingsFile.loadFileAsData (after));
        EXPECT_TRUE (after == original) << "opening the file for reading leaves it as it was";

        // What a start could not read in full is kept beside the file, through the next store.
        juce::PropertiesFile::Options options;
        options.storageFormat = juce::PropertiesFile::storeAsCompressedBinary;
        const auto readInFull = SettingsFileStore::load (settingsFile, options).readInFull;
        next.getState().removeAllChildren (nullptr);
        next.getState().setProperty (mapIds::current, 4, nullptr);
        ASSERT_TRUE (next.saveState());
        EXPECT_EQ (makeHost().getState().getProperty (mapIds::current), juce::var (4));

        if (! readInFull)
        {
            EXPECT_TRUE (copy.existsAsFile());
        }

        if (copy.existsAsFile())
        {
            juce::MemoryBlock kept;
            ASSERT_TRUE (copy.loadFileAsData (kept));
            EXPECT_TRUE (kept == original);
        }
    }
}
} // namespace
