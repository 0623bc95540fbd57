#include "map/MapIdentifiers.h"
#include "map/MapState.h"
#include "storage/MapXmlWriter.h"
#include "tables/DefaultMaps.h"
#include "tests/support/HostTest.h"
#include "tests/support/MapXmlTestTrees.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::bytesOf;
using corvix::testing::frameworkXmlOf;

std::string writerTextOf (const juce::ValueTree& tree, const juce::XmlElement::TextFormat& format)
{
    juce::MemoryBlock text;
    EXPECT_TRUE (MapXmlWriter::write (tree, format, text));
    return bytesOf (text);
}

/** Every format the framework's writer knows, so that each of its branches is compared. */
std::vector<std::pair<const char*, juce::XmlElement::TextFormat>> allFormats()
{
    std::vector<std::pair<const char*, juce::XmlElement::TextFormat>> formats{ { "map file", mapFileFormat() },
                                                                               { "settings value", settingsValueFormat() },
                                                                               { "framework default", {} } };

    juce::XmlElement::TextFormat custom;
    custom.customHeader = "<?xml version=\"1.0\"?>";
    custom.dtd = "<!DOCTYPE store>";
    custom.newLineChars = "\n";
    custom.lineWrapLength = 0;
    formats.push_back ({ "custom header, document type, LF, wrap 0", custom });

    auto singleLineWithHeader = custom.singleLine();
    singleLineWithHeader.customHeader = {};
    singleLineWithHeader.customEncoding = "ISO-8859-1";
    formats.push_back ({ "one line with declaration and document type", singleLineWithHeader });

    juce::XmlElement::TextFormat wide;
    wide.lineWrapLength = 1000;
    wide.addDefaultHeader = false;
    formats.push_back ({ "no declaration, wide lines", wide });
    return formats;
}

TEST (MapXmlWriter, TheDefaultTreeIsWrittenByteForByteAsTheFrameworkWritesIt)
{
    const auto defaults = makeDefaultMapState();

    // Workstations in the slots and an edited entry, as a user's map has them.
    defaults.slotNode (2, 1).setProperty (mapIds::current, 7, nullptr);
    defaults.controlEntry (40, 2, 1).setProperty (mapIds::name, "Kept & \"quoted\"", nullptr);

    for (const auto& format : { mapFileFormat(), settingsValueFormat() })
    {
        const auto expected = bytesOf (frameworkXmlOf (defaults.getTree(), format));
        const auto actual = writerTextOf (defaults.getTree(), format);
        ASSERT_EQ (actual.size(), expected.size());
        EXPECT_TRUE (actual == expected);
    }
}

TEST (MapXmlWriter, AwkwardContentIsEscapedAndWrappedAsTheFrameworkDoesInEveryFormat)
{
    const auto tree = corvix::testing::makeAwkwardTree();

    for (const auto& [name, format] : allFormats())
        EXPECT_EQ (writerTextOf (tree, format), bytesOf (frameworkXmlOf (tree, format))) << name;
}

TEST (MapXmlWriter, EachAwkwardValueAloneMatchesTheFramework)
{
    // One property at a time, so that a difference names the value that causes it.
    const auto awkward = corvix::testing::makeAwkwardTree();

    for (int i = 0; i < awkward.getNumProperties(); ++i)
    {
        const auto name = awkward.getPropertyName (i);
        juce::ValueTree single ("ctl");
        single.setProperty (name, awkward.getProperty (name), nullptr);

        EXPECT_EQ (writerTextOf (single, mapFileFormat()), bytesOf (frameworkXmlOf (single, mapFileFormat()))) << name.toString();
    }
}

TEST (MapXmlWriter, ValuesTheFrameworkConvertsItselfAreLeftToIt)
{
    // A binary value is written as a "base64:" attribute; a name that comes twice in a node
    // (only a strange file gives that) is written once, with the last value, where it came first.
    juce::ValueTree binary ("store");
    binary.setProperty ("blob", juce::var (juce::MemoryBlock ("\x01\x02\x03", 3)), nullptr);
    binary.setProperty ("base64:blob", "text", nullptr);
    binary.appendChild (corvix::testing::makeAwkwardTree(), nullptr);

    const auto twice =
        juce::ValueTree::fromXml (*juce::parseXML ("<store a=\"1\" b=\"2\" a=\"3\"><ctl base64:x=\"AAEC\" x=\"4\"/></store>"));
    ASSERT_EQ (twice.getNumProperties(), 3);

    for (const auto& tree : { binary, twice })
        for (const auto& [name, format] : allFormats())
            EXPECT_EQ (writerTextOf (tree, format), bytesOf (frameworkXmlOf (tree, format))) << name;
}

TEST (MapXmlWriter, TextAndFileMatchTheFrameworkAndAnInvalidTreeGivesNothing)
{
    const auto tree = corvix::testing::makeAwkwardTree();
    EXPECT_EQ (MapXmlWriter::toString (tree, settingsValueFormat()), tree.createXml()->toString (settingsValueFormat()));

    const auto folder = corvix::testing::testSettingsFolder().getChildFile ("writer");
    folder.createDirectory();
    const auto ours = folder.getChildFile ("ours.corvix");
    const auto theirs = folder.getChildFile ("theirs.corvix");
    ASSERT_TRUE (MapXmlWriter::writeToFile (tree, mapFileFormat(), ours));
    ASSERT_TRUE (tree.createXml()->writeTo (theirs, mapFileFormat()));

    juce::MemoryBlock oursBytes, theirsBytes;
    ours.loadFileAsData (oursBytes);
    theirs.loadFileAsData (theirsBytes);
    EXPECT_EQ (bytesOf (oursBytes), bytesOf (theirsBytes));

    // A file in a folder that does not exist cannot be written, and nothing is left behind.
    EXPECT_FALSE (MapXmlWriter::writeToFile (tree, mapFileFormat(), folder.getChildFile ("missing/map.corvix")));
    EXPECT_FALSE (folder.getChildFile ("missing").exists());

    juce::MemoryBlock nothing;
    EXPECT_FALSE (MapXmlWriter::write (juce::ValueTree(), mapFileFormat(), nothing));
    EXPECT_EQ (nothing.getSize(), 0u);
    EXPECT_TRUE (MapXmlWriter::toString (juce::ValueTree(), mapFileFormat()).isEmpty());
    EXPECT_FALSE (MapXmlWriter::writeToFile (juce::ValueTree(), mapFileFormat(), ours));
    folder.deleteRecursively();
}

TEST (MapXmlWriter, TextIsAppendedToWhatTheBlockHeld)
{
    juce::MemoryBlock text ("head", 4);
    ASSERT_TRUE (MapXmlWriter::write (juce::ValueTree ("store"), settingsValueFormat(), text));
    EXPECT_EQ (bytesOf (text), "head<store/>");

    // The same when the framework writes a tree the writer leaves to it.
    juce::ValueTree binary ("store");
    binary.setProperty ("b", juce::var (juce::MemoryBlock ("x", 1)), nullptr);
    juce::MemoryBlock second ("head", 4);
    ASSERT_TRUE (MapXmlWriter::write (binary, settingsValueFormat(), second));
    EXPECT_EQ (bytesOf (second), "head" + binary.createXml()->toString (settingsValueFormat()).toStdString());
}
// Elements without children are made once and copied where they repeat: the same values (the
// same shared texts) under other names, in another element type or at another depth are not
// repeats.
TEST (MapXmlWriter, ElementsThatShareTheirValuesButNotTheirNamesTypeOrDepthAreEachWrittenAsTheirOwn)
{
    const juce::String shared ("a text long enough to be wrapped after sixty columns of attributes");
    const auto leaf = [&] (const char* type, const char* first, const char* second)
    {
        juce::ValueTree node (type);
        node.setProperty (first, 7, nullptr);
        node.setProperty (second, shared, nullptr);
        return node;
    };

    juce::ValueTree tree ("store");
    tree.appendChild (leaf ("ctl", "a", "b"), nullptr);
    tree.appendChild (leaf ("ctl", "a", "b"), nullptr);
    tree.appendChild (leaf ("ctl", "b", "a"), nullptr);
    tree.appendChild (leaf ("ctl", "c", "b"), nullptr);
    tree.appendChild (leaf ("mode", "a", "b"), nullptr);
    juce::ValueTree slot ("slot");
    slot.appendChild (leaf ("ctl", "a", "b"), nullptr);
    slot.appendChild (leaf ("ctl", "a", "b"), nullptr);
    tree.appendChild (slot, nullptr);
    tree.appendChild (leaf ("ctl", "a", "b"), nullptr);

    for (const auto& [name, format] : allFormats())
        EXPECT_EQ (writerTextOf (tree, format), bytesOf (frameworkXmlOf (tree, format))) << name;
}

// A map's file is written a block at a time as its text is made, and the names of the node before
// are tried first: a node with the same names in another order, and a value only the framework
// converts (the whole file begins again) found after many blocks, still give the framework's bytes.
TEST (MapXmlWriter, AMapFileWrittenInBlocksIsTheFrameworksAlsoWhenItMustBeginAgain)
{
    auto tree = makeDefaultMapState().getTree();
    auto entry = MapState (tree).controlEntry (2, 1, 1);
    const auto id = entry[mapIds::id];
    entry.removeProperty (mapIds::id, nullptr);
    entry.setProperty (mapIds::id, id, nullptr); // last here, first in the entry before

    const auto folder = corvix::testing::testSettingsFolder().getChildFile ("blocks");
    folder.createDirectory();
    const auto fileBytesOf = [] (const juce::File& file)
    {
        juce::MemoryBlock bytes;
        file.loadFileAsData (bytes);
        return bytesOf (bytes);
    };
    const auto compare = [&] (const char* what)
    {
        const auto ours = folder.getChildFile ("ours.corvix"), theirs = folder.getChildFile ("theirs.corvix");
        ASSERT_TRUE (MapXmlWriter::writeToFile (tree, mapFileFormat(), ours)) << what;
        ASSERT_TRUE (tree.createXml()->writeTo (theirs, mapFileFormat())) << what;
        const auto expected = fileBytesOf (theirs);
        EXPECT_GT (expected.size(), size_t (10) << 20) << what;
        EXPECT_TRUE (fileBytesOf (ours) == expected) << what;
    };

    compare ("names in another order");
    MapState (tree).controlEntry (185, 3, 8).setProperty ("blob", juce::var (juce::MemoryBlock ("\x01\x02", 2)), nullptr);
    compare ("a binary value in the last unit");
    folder.deleteRecursively();
}
} // namespace
