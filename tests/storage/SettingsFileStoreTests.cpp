#include "link/HostImpl.h"
#include "map/SharedEditingState.h"
#include "storage/MapXmlWriter.h"
#include "storage/SettingsFileStore.h"
#include "tests/support/HostTest.h"
#include "tests/support/MapXmlTestTrees.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::bytesOf;
using corvix::testing::identicalTrees;

/** The options the Host gives its settings store, for a file in the given folder. */
juce::PropertiesFile::Options optionsIn (const juce::File& folder)
{
    juce::PropertiesFile::Options options;
    options.applicationName = "OrvelA";
    options.filenameSuffix = ".conf";
    options.folderName = folder.getFullPathName();
    options.commonToAllUsers = true;
    options.storageFormat = juce::PropertiesFile::storeAsCompressedBinary;
    return options;
}

/** What a compressed properties file holds once decompressed: the count, then keys and values. */
std::string contentOf (const juce::File& file)
{
    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    EXPECT_GE (bytes.getSize(), 4u);
    EXPECT_EQ (std::string (static_cast<const char*> (bytes.getData()), 4), "CPRP");

    juce::MemoryInputStream source (static_cast<const char*> (bytes.getData()) + 4, bytes.getSize() - 4, false);
    juce::GZIPDecompressorInputStream decompressor (source);
    juce::MemoryBlock content;
    decompressor.readIntoMemoryBlock (content);
    return bytesOf (content);
}

class SettingsFileStoreTest : public corvix::testing::HostTest
{
protected:
    SettingsFileStoreTest() { reference.createDirectory(); }
    ~SettingsFileStoreTest() override { reference.deleteRecursively(); }

    static juce::File settingsFile() { return corvix::testing::testSettingsFolder().getChildFile ("OrvelA.conf"); }
    juce::File referenceFile() const { return reference.getChildFile ("OrvelA.conf"); }

    /** The framework's own store of the tree, in a folder of its own, as "SAVE AS DEFAULT" wrote
        it before: what the Host's file must hold. */
    void storeAsTheFrameworkDoes (const juce::ValueTree& tree, const juce::StringPairArray& before = {})
    {
        juce::PropertiesFile framework (optionsIn (reference));
        framework.getAllProperties().addArray (before);
        framework.setValue ("state", tree.createXml().get());
        ASSERT_TRUE (framework.save());
    }

    const juce::File reference = corvix::testing::testSettingsFolder().getChildFile ("reference-" + juce::Uuid().toString());
};

TEST_F (SettingsFileStoreTest, AStoreHoldsWhatTheFrameworkStoresAndTheFrameworkReadsItBack)
{
    host->getStateTree().slotNode (2, 1).setProperty (mapIds::current, 7, nullptr);
    host->getStateTree().controlEntry (40, 2, 1).setProperty (mapIds::name, juce::String::fromUTF8 ("K\xc3\xa9pt & \"quoted\" <x>"),
                                                              nullptr);
    host->saveState();
    storeAsTheFrameworkDoes (host->getState());

    EXPECT_TRUE (contentOf (settingsFile()) == contentOf (referenceFile()));

    juce::PropertiesFile readBack (optionsIn (corvix::testing::testSettingsFolder()));
    EXPECT_EQ (readBack.getValue ("state"), host->getState().createXml()->toString (settingsValueFormat()));
}

TEST_F (SettingsFileStoreTest, StartingUpAdoptsWhatTheFrameworkWouldAndLeavesTheFileHoldingTheSame)
{
    // Awkward texts, but no element name of another script: the framework cannot read those
    // back on every machine.
    auto awkward = corvix::testing::makeAwkwardTree();
    awkward.getChild (0).removeChild (1, nullptr);
    auto tree = host->getState().createCopy();
    tree.appendChild (awkward, nullptr);
    MapState (tree).slotNode (1, 1).setProperty (mapIds::current, 4, nullptr);
    storeAsTheFrameworkDoes (tree);
    ASSERT_TRUE (referenceFile().copyFileTo (settingsFile()));
    const auto before = contentOf (settingsFile());

    auto& next = makeHost();

    juce::PropertiesFile framework (optionsIn (reference));
    const auto xml = framework.getXmlValue ("state");
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (identicalTrees (juce::ValueTree::fromXml (*xml), next.getState()));
    EXPECT_EQ (slotDawIds[0], 4);
    EXPECT_TRUE (contentOf (settingsFile()) == before) << "the check that the file can be written writes the same content";
}

TEST_F (SettingsFileStoreTest, StartingWithoutAFileLeavesAnEmptyOneAsTheFrameworkDoes)
{
    settingsFile().deleteFile();
    makeHost();

    ASSERT_TRUE (settingsFile().existsAsFile());
    EXPECT_EQ (contentOf (settingsFile()), std::string (4, '\0'));
    EXPECT_EQ (host->getState().getProperty (mapIds::ver).toString(), "0.23");
}

TEST_F (SettingsFileStoreTest, OtherKeysAndUnusualFilesAreKeptAsTheFrameworkKeepsThem)
{
    // The framework's XML form, its uncompressed form, and a compressed file with a key twice:
    // each is read by the framework itself, and written back in the compressed form.
    juce::StringPairArray others;
    others.set ("other", "kept");

    const auto storeBoth = [&]
    {
        auto& next = makeHost();
        next.getState().removeAllChildren (nullptr); // a small tree keeps the many stores quick
        next.saveState();
        storeAsTheFrameworkDoes (next.getState(), others);
    };

    juce::MemoryOutputStream twice;
    twice.writeInt (static_cast<int> (juce::ByteOrder::makeInt ('C', 'P', 'R', 'P')));
    {
        juce::GZIPCompressorOutputStream compressed (twice);
        compressed.writeInt (3);
        for (const char* text : { "other", "first", "state", "<store ver=\"0.22\"/>", "other", "kept" })
            compressed.writeString (text);
    }

    for (const auto format : { juce::PropertiesFile::storeAsXML, juce::PropertiesFile::storeAsBinary })
    {
        auto options = optionsIn (corvix::testing::testSettingsFolder());
        options.storageFormat = format;
        juce::PropertiesFile other (options);
        other.getAllProperties().addArray (others);
        ASSERT_TRUE (other.save());

        storeBoth();
        EXPECT_TRUE (contentOf (settingsFile()) == contentOf (referenceFile()));
    }

    ASSERT_TRUE (settingsFile().replaceWithData (twice.getData(), twice.getDataSize()));
    storeBoth();
    EXPECT_TRUE (contentOf (settingsFile()) == contentOf (referenceFile()));
}

TEST_F (SettingsFileStoreTest, AStoreThatMayNotBeWrittenWritesNothingButStillReads)
{
    host->getState().removeAllChildren (nullptr);
    storeAsTheFrameworkDoes (host->getState());
    ASSERT_TRUE (referenceFile().copyFileTo (settingsFile()));
    const auto before = settingsFile().getLastModificationTime();

    auto options = optionsIn (corvix::testing::testSettingsFolder());
    options.doNotSave = true;
    SettingsFileStore store (options);

    size_t length = 0;
    const auto* text = store.findValue ("state", length);
    ASSERT_NE (text, nullptr);
    EXPECT_EQ (std::string (text, length), host->getState().createXml()->toString (settingsValueFormat()).toStdString());
    EXPECT_EQ (text[length], 0);
    EXPECT_EQ (store.findValue ("missing", length), nullptr);

    EXPECT_FALSE (store.setValue ("state", "<store/>", 8));
    EXPECT_EQ (settingsFile().getLastModificationTime(), before);
}
} // namespace
