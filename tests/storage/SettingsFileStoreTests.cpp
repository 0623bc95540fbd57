#include "link/HostImpl.h"
#include "map/SharedEditingState.h"
#include "storage/MapXmlReader.h"
#include "storage/MapXmlWriter.h"
#include "storage/SettingsFileStore.h"
#include "tests/support/HostTest.h"
#include "tests/support/MapXmlTestTrees.h"
#include "tests/support/OwnMountsRun.h"
#include "tables/DefaultMaps.h"
#include "tests/support/ScopedFileSizeLimit.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <functional>

#if JUCE_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

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

/** What the compressed data of a settings file's bytes inflate to, up to their end or to an error. */
std::string inflated (const std::string& file)
{
    z_stream stream{};
    EXPECT_EQ (inflateInit (&stream), Z_OK);
    stream.next_in = reinterpret_cast<Bytef*> (const_cast<char*> (file.data() + 4));
    stream.avail_in = static_cast<uInt> (file.size() - 4);
    std::string content;

    for (auto result = Z_OK; result == Z_OK;)
    {
        char buffer[65536];
        stream.next_out = reinterpret_cast<Bytef*> (buffer);
        stream.avail_out = sizeof (buffer);
        result = inflate (&stream, Z_NO_FLUSH);
        content.append (buffer, sizeof (buffer) - stream.avail_out);
    }

    inflateEnd (&stream);
    return content;
}

#if JUCE_LINUX
/** The names of the files made in the folder while the action ran, in their order. */
juce::StringArray filesMadeIn (const juce::File& folder, const std::function<void()>& action)
{
    const auto watch = inotify_init1 (IN_NONBLOCK);
    juce::StringArray made;

    if (watch < 0 || inotify_add_watch (watch, folder.getFullPathName().toRawUTF8(), IN_CREATE) < 0)
    {
        ADD_FAILURE() << "cannot watch " << folder.getFullPathName();
        return made;
    }

    action();
    alignas (inotify_event) char events[4096];

    for (auto size = read (watch, events, sizeof (events)); size > 0; size = read (watch, events, sizeof (events)))
        for (auto* at = events; at < events + size;)
        {
            const auto* event = reinterpret_cast<const inotify_event*> (at);

            if (event->len > 0)
                made.add (event->name);

            at += sizeof (inotify_event) + event->len;
        }

    close (watch);
    return made;
}
#endif

std::string bytesOfFile (const juce::File& file)
{
    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    return bytesOf (bytes);
}

class SettingsFileStoreTest : public corvix::testing::HostTest
{
protected:
    SettingsFileStoreTest() { reference.createDirectory(); }
    ~SettingsFileStoreTest() override { reference.deleteRecursively(); }

    static juce::File settingsFile() { return corvix::testing::testSettingsFolder().getChildFile ("OrvelA.conf"); }
    static juce::File unreadableCopy() { return corvix::testing::testSettingsFolder().getChildFile ("OrvelA.conf.unreadable"); }
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
    juce::MemoryBlock before;
    ASSERT_TRUE (settingsFile().loadFileAsData (before));

    auto& next = makeHost();

    juce::PropertiesFile framework (optionsIn (reference));
    const auto xml = framework.getXmlValue ("state");
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (identicalTrees (juce::ValueTree::fromXml (*xml), next.getState()));
    EXPECT_EQ (slotDawIds[0], 4);
    EXPECT_TRUE (bytesOfFile (settingsFile()) == bytesOf (before)) << "opening the file for reading leaves it as it was";
    EXPECT_FALSE (unreadableCopy().exists());
}

TEST_F (SettingsFileStoreTest, DamagedFilesAreLeftAsTheyAreAndKeptBesideThemselvesThroughTheNextStore)
{
    // A valid store of a large map, which the damaged ones below are made of.
    host->getState().setProperty (mapIds::current, 4, nullptr);
    ASSERT_TRUE (host->saveState());
    const auto valid = bytesOfFile (settingsFile());
    ASSERT_GT (valid.size(), 100000u);

    // Deflate passes most flipped bits of its literal data on as other bytes: the text comes out
    // whole but altered, and only the checksum at the end tells. Every such file gives nothing.
    const auto validSize = inflated (valid).size();
    std::string wholeButAltered;
    const auto options = optionsIn (corvix::testing::testSettingsFolder());

    for (size_t position = 8; position < valid.size() - 4; position += valid.size() / 61)
    {
        auto flipped = valid;
        flipped[position] = static_cast<char> (flipped[position] ^ 0x04);
        ASSERT_TRUE (settingsFile().replaceWithData (flipped.data(), flipped.size()));
        size_t length = 0;
        EXPECT_EQ (SettingsFileStore (options).findValue ("state", length), nullptr) << "a flipped bit at " << position;

        // One whose text is still a map of this layout: what a start took before.
        if (const auto content = inflated (flipped); wholeButAltered.empty() && content.size() == validSize)
            if (const auto stored = content.substr (10, content.size() - 11);
                MapXmlReader::readText (stored.c_str(), stored.size()).getProperty (mapIds::ver) == "0.23")
                wholeButAltered = flipped;
    }

    ASSERT_FALSE (wholeButAltered.empty());

    for (const auto& copy : corvix::testing::testSettingsFolder().findChildFiles (juce::File::findFiles, false, "OrvelA.conf.unreadable*"))
        copy.deleteFile();
    auto badChecksum = valid;
    badChecksum.back() = static_cast<char> (badChecksum.back() ^ 0x01);
    auto trailing = valid;
    trailing += "more";

    struct Damage
    {
        const char* what;
        std::string bytes;
    };

    for (const auto& [what, damaged] : { Damage{ "text", "this is not a settings file\n" }, Damage{ "cut short", valid.substr (0, valid.size() / 2) },
                                         Damage{ "a flipped bit, the text whole but altered", wholeButAltered },
                                         Damage{ "only the checksum changed", badChecksum }, Damage{ "bytes after the data", trailing } })
    {
        SCOPED_TRACE (what);
        unreadableCopy().deleteFile();
        ASSERT_TRUE (settingsFile().replaceWithData (damaged.data(), damaged.size()));

        auto& started = makeHost();
        EXPECT_TRUE (bytesOfFile (settingsFile()) == damaged) << "opening the file for reading leaves it as it was";
        ASSERT_TRUE (unreadableCopy().existsAsFile());
        EXPECT_TRUE (bytesOfFile (unreadableCopy()) == damaged);
        EXPECT_TRUE (identicalTrees (started.getState(), makeDefaultMapState().getTree())) << "the default tree, nothing of the file";

        // "SAVE AS DEFAULT" replaces the file, and the copy stays; the next start makes no other.
        started.getState().setProperty (mapIds::current, 3, nullptr);
        ASSERT_TRUE (started.saveState());
        EXPECT_TRUE (bytesOfFile (unreadableCopy()) == damaged);
        EXPECT_EQ (makeHost().getState().getProperty (mapIds::current), juce::var (3));
        EXPECT_EQ (corvix::testing::testSettingsFolder().getNumberOfChildFiles (juce::File::findFiles), 2);
    }

    // A copy of other bytes is never replaced: the next copy takes a name of its own.
    ASSERT_TRUE (settingsFile().replaceWithText ("damaged again"));
    makeHost();
    EXPECT_TRUE (bytesOfFile (unreadableCopy()) == trailing);
    EXPECT_EQ (bytesOfFile (juce::File (unreadableCopy().getFullPathName() + "-2")), "damaged again");
}

TEST_F (SettingsFileStoreTest, StartingWithoutAFileWritesNoneAndMakesNoFolder)
{
    const auto folder = corvix::testing::testSettingsFolder();
    folder.deleteRecursively();
    makeHost();

    EXPECT_FALSE (folder.exists());
    EXPECT_EQ (host->getState().getProperty (mapIds::ver).toString(), "0.23");

#if JUCE_LINUX
    // Nor a file made and removed again to find out whether one could be.
    ASSERT_TRUE (folder.createDirectory());
    const auto made = filesMadeIn (folder, [this] { makeHost(); });
    EXPECT_TRUE (made.isEmpty()) << made.joinIntoString (" ");
#endif
}

TEST_F (SettingsFileStoreTest, OtherKeysAndUnusualFilesAreKeptAsTheFrameworkKeepsThem)
{
    // The framework's uncompressed form, and a compressed file with a key twice: each is read as
    // the framework reads it, and written back in the compressed form.
    juce::StringPairArray others;
    others.set ("other", "kept");

    const auto storeBoth = [&]
    {
        auto& next = makeHost();
        next.getState().removeAllChildren (nullptr); // a small tree keeps the many stores quick
        EXPECT_TRUE (next.saveState());
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

    auto options = optionsIn (corvix::testing::testSettingsFolder());
    options.storageFormat = juce::PropertiesFile::storeAsBinary;
    juce::PropertiesFile plain (options);
    plain.getAllProperties().addArray (others);
    ASSERT_TRUE (plain.save());

    storeBoth();
    EXPECT_TRUE (contentOf (settingsFile()) == contentOf (referenceFile()));

    ASSERT_TRUE (settingsFile().replaceWithData (twice.getData(), twice.getDataSize()));
    storeBoth();
    EXPECT_TRUE (contentOf (settingsFile()) == contentOf (referenceFile()));
}

TEST_F (SettingsFileStoreTest, AFileInTheXmlFormIsReadAsTheFrameworkReadsItWithoutItsParser)
{
    auto tree = host->getState().createCopy();
    MapState (tree).slotNode (1, 1).setProperty (mapIds::current, 6, nullptr);
    MapState (tree).controlEntry (40, 1, 1).setProperty (mapIds::name, "A <b> & \"c\"", nullptr);
    juce::StringPairArray others;
    others.set ("other", "kept & \"quoted\"");

    auto options = optionsIn (corvix::testing::testSettingsFolder());
    options.storageFormat = juce::PropertiesFile::storeAsXML;
    {
        juce::PropertiesFile framework (options);
        framework.getAllProperties().addArray (others);
        framework.setValue ("state", tree.createXml().get());
        ASSERT_TRUE (framework.save());
    }
    const auto before = bytesOfFile (settingsFile());

    auto& next = makeHost();
    const auto xml = juce::PropertiesFile (options).getXmlValue ("state");
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (identicalTrees (next.getState(), juce::ValueTree::fromXml (*xml)));
    EXPECT_EQ (slotDawIds[0], 6);
    EXPECT_TRUE (bytesOfFile (settingsFile()) == before);
    EXPECT_FALSE (unreadableCopy().exists());

    // Stored again in the compressed form, with the other key as the framework reads it.
    ASSERT_TRUE (next.saveState());
    juce::PropertiesFile readBack (optionsIn (corvix::testing::testSettingsFolder()));
    EXPECT_EQ (readBack.getValue ("other"), "kept & \"quoted\"");
    EXPECT_EQ (readBack.getValue ("state"), tree.createXml()->toString (settingsValueFormat()));

    // The framework matches the two element names in any case.
    const auto lowerCase = juce::String::fromUTF8 (before.data(), static_cast<int> (before.size()))
                               .replace ("<PROPERTIES>", "<properties>")
                               .replace ("</PROPERTIES>", "</properties>")
                               .replace ("<VALUE ", "<value ")
                               .replace ("</VALUE>", "</value>");
    ASSERT_TRUE (settingsFile().replaceWithText (lowerCase));
    const auto lowerCaseXml = juce::PropertiesFile (options).getXmlValue ("state");
    ASSERT_NE (lowerCaseXml, nullptr);
    EXPECT_TRUE (identicalTrees (makeHost().getState(), juce::ValueTree::fromXml (*lowerCaseXml)));
    ASSERT_FALSE (unreadableCopy().exists());

    // The framework's parser hangs on this text; here it is a map that cannot be adopted.
    const juce::String hostile ("<?xml version=\"1.0\"?><PROPERTIES><VALUE name=\"state\" val=\"x\"/>"
                                "<store><?a?>b&amp;</store></PROPERTIES>");
    ASSERT_TRUE (settingsFile().replaceWithText (hostile));
    EXPECT_EQ (makeHost().getState().getNumChildren(), 8) << "the default tree";
    EXPECT_EQ (bytesOfFile (settingsFile()), hostile.toStdString());
    EXPECT_EQ (bytesOfFile (unreadableCopy()), hostile.toStdString());
}

TEST_F (SettingsFileStoreTest, AFileInTheXmlFormGivesWhatTheFrameworkReadsInItOrNothing)
{
    // Files the framework never writes but reads: each gives the value the framework reads from
    // the same bytes, or nothing, and is then kept beside itself.
    const auto options = optionsIn (corvix::testing::testSettingsFolder());
    const std::string value = "<store ver=\"0.23\"/>", val = "val=\"&lt;store ver=&quot;0.23&quot;/&gt;\"";
    const auto file = [] (const std::string& values)
    { return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n\n<PROPERTIES>\n  " + values + "\n</PROPERTIES>\n"; };

    struct Shape
    {
        const char* what;
        std::string bytes;
        bool givesValue;
    };

    for (const auto& [what, bytes, givesValue] :
         { Shape{ "a value's element in lower case", file ("<value name=\"state\" " + val + "></value>"), true },
           Shape{ "the document's element in lower case", "<properties><VALUE name=\"state\" " + val + "/></properties>", true },
           Shape{ "attributes twice", file ("<VALUE name=\"state\" " + val + " val=\"second\" name=\"other\"/>"), true },
           Shape{ "attributes parted by a form feed", file ("<VALUE\fname=\"state\"\f" + val + "/>"), true },
           Shape{ "text before the value's element", file ("<VALUE name=\"state\">note" + value + "</VALUE>"), false },
           Shape{ "a CDATA section before it", file ("<VALUE name=\"state\"><![CDATA[]]>" + value + "</VALUE>"), false },
           Shape{ "a stray ampersand in text", file ("<VALUE name=\"state\" " + val + "/> a & b"), false },
           Shape{ "a 0 byte, where the framework's text ends", file ("<VALUE name=\"state\" " + val + "/>" + '\0'), false },
           Shape{ "a space outside ASCII before a name", file ("<VALUE name=\"state\"\xe3\x80\x80" + val + "/>"), false },
           Shape{ "the document's element past the first 8 KiB",
                  "<!--" + std::string (8192, ' ') + "-->" + file ("<VALUE name=\"state\" " + val + "/>"), false } })
    {
        SCOPED_TRACE (what);
        unreadableCopy().deleteFile();
        ASSERT_TRUE (settingsFile().replaceWithData (bytes.data(), bytes.size()));
        const SettingsFileStore store (options);
        size_t length = 0;
        const auto* given = store.findValue ("state", length);

        if (givesValue)
        {
            EXPECT_EQ (given != nullptr ? std::string (given, length) : "nothing", value);
            EXPECT_EQ (juce::PropertiesFile (options).getValue ("state").toStdString(), value);
            EXPECT_FALSE (unreadableCopy().exists());
        }
        else
        {
            EXPECT_EQ (given, nullptr);
            EXPECT_EQ (bytesOfFile (unreadableCopy()), bytes);
        }
    }
}

/** An uncompressed settings file of keys and values, each ending in a 0 byte. */
std::string plainSettingsFile (std::initializer_list<std::pair<std::string, std::string>> properties)
{
    std::string bytes = "PROP";
    const auto count = static_cast<juce::uint32> (properties.size());
    bytes.append (reinterpret_cast<const char*> (&count), 4);

    for (const auto& [key, value] : properties)
        bytes += key + '\0' + value + '\0';

    return bytes;
}

TEST_F (SettingsFileStoreTest, AStoredValueThatIsNotUtf8IsNeitherOverReadNorAdopted)
{
    // The framework took such a value's length in characters for its length in bytes, and the
    // copy ran past the end of the text at start-up.
    const std::string bytes ("PROP\x01\0\0\0state\0<store ver=\"0.23\" a=\"\x80\"/>\0", 40);
    ASSERT_TRUE (settingsFile().replaceWithData (bytes.data(), bytes.size()));

    const SettingsFileStore store (optionsIn (corvix::testing::testSettingsFolder()));
    size_t length = 0;
    const auto* value = store.findValue ("state", length);
    ASSERT_NE (value, nullptr);
    EXPECT_EQ (std::string (value, length), "<store ver=\"0.23\" a=\"\x80\"/>");
    EXPECT_EQ (value[length], 0);

    auto& next = makeHost();
    EXPECT_EQ (next.getState().getNumChildren(), 8) << "the default tree, not the stored one";
}

TEST_F (SettingsFileStoreTest, HostileStoredValuesNeitherCrashNorHang)
{
    for (const auto& value : { std::string ("<store b=\"&\xbb\xbb\"/>"), std::string ("<a>x\xff"), std::string ("<!DOCTYPEs\x8dn><a>&;"),
                               std::string ("<store><?a?>b&amp;</store>"), "<store>" + std::string (300000, '<') })
    {
        const auto bytes = plainSettingsFile ({ { "state", value } });
        ASSERT_TRUE (settingsFile().replaceWithData (bytes.data(), bytes.size()));
        EXPECT_EQ (makeHost().getState().getNumChildren(), 8) << value.substr (0, 40);
    }
}

TEST_F (SettingsFileStoreTest, KeysAndValuesOfAnyBytesReadBackAsTheyWereWritten)
{
    // The framework wrote such a key back with too short a length and no terminator: every key
    // and value after it shifted, and the stored map was gone, while the store reported success.
    const auto bytes = plainSettingsFile ({ { "k\x80y", "v\xff" }, { "state", "<store ver=\"0.22\"/>" }, { "after", "kept" } });
    ASSERT_TRUE (settingsFile().replaceWithData (bytes.data(), bytes.size()));

    auto& next = makeHost();
    next.getState().removeAllChildren (nullptr);
    next.getState().setProperty (mapIds::current, 5, nullptr);
    ASSERT_TRUE (next.saveState());

    const auto loaded = SettingsFileStore::load (settingsFile(), optionsIn (corvix::testing::testSettingsFolder()));
    ASSERT_EQ (loaded.properties.size(), 3u);
    EXPECT_EQ (loaded.properties[0].key, "k\x80y");
    EXPECT_EQ (std::string (loaded.valueOf (loaded.properties[0])), "v\xff");
    EXPECT_EQ (loaded.properties[2].key, "after");
    EXPECT_EQ (std::string (loaded.valueOf (loaded.properties[2])), "kept");

    EXPECT_EQ (makeHost().getState().getProperty (mapIds::current), juce::var (5)) << "the stored map is adopted again";
}

#if JUCE_LINUX
TEST_F (SettingsFileStoreTest, AStoreWritesTheFileOnce)
{
    // Every write makes a new hidden file of its own beside the settings file, which then takes its
    // name.
    const auto made = filesMadeIn (corvix::testing::testSettingsFolder(), [this] { EXPECT_TRUE (host->saveState()); });
    ASSERT_EQ (made.size(), 1) << made.joinIntoString (" ");
    EXPECT_TRUE (made[0].startsWith (".OrvelA.conf.") && made[0].endsWith (".partial")) << made[0];
}
#endif

TEST_F (SettingsFileStoreTest, AStoreThatCannotBeWrittenIsReportedAndKeepsTheStoredMap)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "a full disk is made with a POSIX file-size limit; Windows has none for an ordinary user";
#endif
    host->getState().setProperty (mapIds::current, 6, nullptr);
    ASSERT_TRUE (host->saveState());
    const auto before = contentOf (settingsFile());

    // A full disk: the file may not grow past a few bytes while the store writes it.
    host->getState().setProperty (mapIds::current, 2, nullptr);
    {
        const corvix::testing::ScopedFileSizeLimit limit (64);
        const auto stored = host->saveState();
        EXPECT_TRUE (stored.failed());
        EXPECT_EQ (stored.getErrorMessage(),
                   "The map could not be saved as default in " + settingsFile().getFullPathName() + ": " + juce::String (std::strerror (EFBIG)));
    }

    EXPECT_TRUE (contentOf (settingsFile()) == before);
    EXPECT_EQ (makeHost().getState().getProperty (mapIds::current), juce::var (6)) << "the next start shows the last map stored";

    // Where a user's file stands in for the common one, a common file whose write fails (here on
    // a full disk again) is not replaced by it: the next start would read the common one, and show
    // the old map.
    const auto userFile = reference.getChildFile ("user/OrvelA.conf");
    const auto options = optionsIn (corvix::testing::testSettingsFolder());
    {
        const corvix::testing::ScopedFileSizeLimit limit (4);
        const auto stored = SettingsFileStore (options, settingsFile(), userFile).setValue ("state", "<store/>", 8);
        EXPECT_EQ (stored.getErrorMessage(), juce::String (std::strerror (EFBIG)));
    }

    EXPECT_FALSE (userFile.exists());
    size_t length = 0;
    const SettingsFileStore next (options, settingsFile(), userFile);
    const auto* kept = next.findValue ("state", length);
    ASSERT_NE (kept, nullptr);
    EXPECT_TRUE (std::string (kept, length).find ("<store current=\"6\"") != std::string::npos);
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

namespace
{
TEST_F (SettingsFileStoreTest, AStoreThroughALinkWritesTheFileItNamesAndTheLinkStays)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "symbolic links need an administrator's right on Windows";
#else
    // The settings file is a link into another folder, to a file that is not there yet.
    const auto linkText = reference.getFileName() + "/stored.conf";
    ASSERT_TRUE (juce::File::createSymbolicLink (settingsFile(), linkText, false));

    for (const auto current : { 6, 3 })
    {
        SCOPED_TRACE (current);
        host->getState().setProperty (mapIds::current, current, nullptr);
        ASSERT_TRUE (host->saveState());
        EXPECT_EQ (settingsFile().getNativeLinkedTarget(), linkText);
        ASSERT_TRUE (reference.getChildFile ("stored.conf").existsAsFile());
        EXPECT_TRUE (contentOf (reference.getChildFile ("stored.conf")).find ("<store current=\"" + std::to_string (current))
                     != std::string::npos);
        EXPECT_EQ (makeHost().getState().getProperty (mapIds::current), juce::var (current)) << "the next start reads it";
    }

    EXPECT_EQ (corvix::testing::testSettingsFolder().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 2);
    EXPECT_EQ (reference.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
#endif
}

TEST_F (SettingsFileStoreTest, AStoreOnAReadOnlyFileSystemNamesTheFileAndTheSystemsReason)
{
    const auto place = corvix::testing::insideOwnMounts() ? corvix::testing::readOnlyFolder()
                                                          : corvix::testing::testSettingsFolder().getChildFile ("read-only");
    const juce::ScopedValueSetter<juce::String> settingsPlace (settingsFolderName, place.getFullPathName());
    const auto file = place.getChildFile ("OrvelA.conf");

    if (! corvix::testing::insideOwnMounts())
    {
        makeHost().getState().setProperty (mapIds::current, 6, nullptr);
        ASSERT_TRUE (host->saveState());

        const auto run = corvix::testing::runCurrentTestWithReadOnlyFolder (place);

        if (run.skipped)
            GTEST_SKIP() << run.output;

        EXPECT_TRUE (run.passed) << run.output;
        EXPECT_EQ (makeHost().getState().getProperty (mapIds::current), juce::var (6)) << "the stored map is kept";
        return;
    }

    // On a file system mounted read-only, where the file itself would be writable.
    auto& next = makeHost();
    EXPECT_EQ (next.getState().getProperty (mapIds::current), juce::var (6));
    next.getState().setProperty (mapIds::current, 2, nullptr);
    const auto stored = next.saveState();
    EXPECT_TRUE (stored.failed());
    EXPECT_EQ (stored.getErrorMessage(), "The map could not be saved as default in " + file.getFullPathName() + ": Read-only file system");
}
} // namespace
