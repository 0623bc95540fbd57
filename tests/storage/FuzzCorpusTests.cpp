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

TEST_F (FuzzCorpusSettings, EverySettingsFileIsReadAndKeepsWhatIsStoredInIt)
{
    const auto settingsFile = corvix::testing::testSettingsFolder().getChildFile ("OrvelA.conf");

    for (const auto& file : corpus ("SettingsFileFuzzer"))
    {
        SCOPED_TRACE (file.getFileName().toStdString());
        ASSERT_TRUE (file.copyFileTo (settingsFile));

        auto& next = makeHost();
        next.getState().removeAllChildren (nullptr);
        next.getState().setProperty (mapIds::current, 4, nullptr);
        ASSERT_TRUE (next.saveState());
        EXPECT_EQ (makeHost().getState().getProperty (mapIds::current), juce::var (4));
    }
}
} // namespace
