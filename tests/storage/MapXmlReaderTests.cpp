#include "map/MapIdentifiers.h"
#include "map/MapState.h"
#include "storage/MapXmlReader.h"
#include "storage/MapXmlWriter.h"
#include "tables/DefaultMaps.h"
#include "tests/support/HostTest.h"
#include "tests/support/MapXmlTestTrees.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::frameworkTreeOf;
using corvix::testing::frameworkXmlOf;
using corvix::testing::identicalTrees;

juce::MemoryBlock blockOf (const std::string& text) { return juce::MemoryBlock (text.data(), text.size()); }

juce::ValueTree readText (const juce::MemoryBlock& text)
{
    juce::MemoryBlock terminated (text);
    terminated.append ("", 1);
    return MapXmlReader::readText (static_cast<const char*> (terminated.getData()), text.getSize());
}

/** The reader takes the text and gives the framework's tree. */
void expectReadAsTheFrameworkReads (const std::string& text)
{
    const auto block = blockOf (text);
    const auto tree = readText (block);
    ASSERT_TRUE (tree.isValid()) << text;
    EXPECT_TRUE (identicalTrees (frameworkTreeOf (block), tree)) << text;
}

/** The reader refuses the text, without handing it to any other parser. */
void expectRefused (const std::string& text) { EXPECT_FALSE (readText (blockOf (text)).isValid()) << text; }

std::string repeated (const std::string& piece, int count)
{
    std::string text;

    for (int i = 0; i < count; ++i)
        text += piece;

    return text;
}

TEST (MapXmlReader, TheDefaultTreeReadsBackAsTheFrameworkReadsIt)
{
    const auto defaults = makeDefaultMapState();
    defaults.slotNode (2, 1).setProperty (mapIds::current, 7, nullptr);

    // The whole tree as a map file; one unit of it as the settings file keeps it, on one line.
    const std::pair<juce::ValueTree, juce::XmlElement::TextFormat> cases[] = {
        { defaults.getTree(), mapFileFormat() }, { defaults.getTree().getChild (0).createCopy(), settingsValueFormat() }
    };

    for (const auto& [tree, format] : cases)
    {
        const auto text = frameworkXmlOf (tree, format);
        const auto read = readText (text);
        ASSERT_TRUE (read.isValid());
        EXPECT_TRUE (identicalTrees (frameworkTreeOf (text), read));
    }
}

TEST (MapXmlReader, AwkwardContentReadsBackInEveryFormat)
{
    juce::XmlElement::TextFormat lf;
    lf.newLineChars = "\n";

    for (const auto& format : { mapFileFormat(), settingsValueFormat(), lf })
    {
        // Element names of other scripts are names or not depending on the machine's locale:
        // those are refused, everything else is read as the framework reads it.
        auto tree = corvix::testing::makeAwkwardTree();
        auto text = frameworkXmlOf (tree, format);
        EXPECT_FALSE (readText (text).isValid());

        tree.getChild (0).removeChild (1, nullptr);
        text = frameworkXmlOf (tree, format);
        const auto read = readText (text);
        ASSERT_TRUE (read.isValid());
        EXPECT_TRUE (identicalTrees (frameworkTreeOf (text), read));
    }
}

TEST (MapXmlReader, WhatUsersAndOtherProgramsWriteIsReadAsTheFrameworkReadsIt)
{
    for (const std::string text : {
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<store current=\"1\" ver=\"0.23\"/>\r\n",
             "<store a='1' b=\"x'y\" c='x\"y'/>",
             "\n\t <store\n a = \"1\"\r\n\tb\t=\t'2' >\n <ctl/>\r\n</store >\n",
             "<!-- before --><?pi x?><store><!-- inner --><?pi?><ctl id=\"1\"/></store><!-- after -->",
             "<store>text <![CDATA[<not> & an element]]> more<ctl id=\"1\"/>tail</store>",
             "<store a=\"&amp;&lt;&gt;&quot;&apos;&AMP;&Quot;&#65;&#x42;&#X43;&#233;&#x1F3B9;&#10;&#13;&#9;\"/>",
             "<store a=\"\xc3\xa9 <\xe2\x82\xac> \xf0\x9f\x8e\xb9 \xed\x9f\xbf \xf4\x8f\xbf\xbf\" b=\"x\r\ny\tz\x01\"/>",
             "<store a=\"1\"b=\"2\"/>",
             "<my:store x.y=\"1\" _z-9=\"2\" 9a=\"3\"><-x.y:z/></my:store>",
             "<store/> anything after the document <junk",
             "<store><model id=\"1\"><slot><mode><ctl id=\"1\"/><ctl id=\"2\"></ctl></mode></slot></model><model/></store>",
             "<store>\xc3\xa9 \xe2\x82\xac text of other scripts<ctl/></store>",
         })
        expectReadAsTheFrameworkReads (text);
}

TEST (MapXmlReader, WhatIsNotAMapIsRefused)
{
    for (const std::string text : {
             "<!DOCTYPE store [<!ENTITY e \"&#60;ctl/&#62;\">]><store>&e;</store>",
             "<!DOCTYPE store SYSTEM \"/etc/passwd\"><store/>",
             "<store a=\"&unknown;\"/>",
             "<store a=\"&#;\"/>",
             "<store a=\"&#0;\"/>",
             "<store a=\"&#x110000;\"/>",
             "<store a=\"&#1a;\"/>",
             "<store a=\"&#x123456789;\"/>",
             "<store a=\"&amp\"/>",
             "<store base64:blob=\"AAEC\"/>",
             "<store></other>",
             "<store><ctl></store>",
             "<store a=1/>",
             "<store a/>",
             "<store>text &amp; more</store>",
             "< store/>",
             "<store <!-- c --> a=\"1\"/>",
             "<store\x01 a=\"1\"/>",
             "\x01<store/>",
             "<st\xc3\xb3re/>",
             "<store \xc3\xa1=\"1\"/>",
             "",
             "   ",
             "not xml",
             "<store",
             "<store>",
             "<store a=\"1\"",
             "<!doctype store><store/>",
             "<![CDATA[x]]><store/>",
             "<store><!-- unclosed </store>",
             "<?pi unclosed <store/>",
         })
        expectRefused (text);
}

TEST (MapXmlReader, HostileTextsAreRefusedAtOnce)
{
    // Each of these hangs the framework's own parser, overflows its stack or makes it read past
    // the end of its text: they are refused without ever reaching it.
    for (const auto& text : {
             std::string ("<store><?a?>b&amp;</store>"),
             std::string ("<store>&#x1"),
             std::string ("<store b=\"&\xbb\xbb\"/>"),
             std::string ("<a>x\xff"),
             std::string ("<!DOCTYPEs\x8dn><a>&;"),
             "<store>" + repeated ("<a>", 100000) + repeated ("</a>", 100000) + "</store>",
         })
        expectRefused (text);
}

TEST (MapXmlReader, BytesThatAreNotUtf8AreRefusedWhereverTheyStand)
{
    // The framework's readers disagree on such bytes (one child here, or two): a map holding them
    // has no one meaning.
    expectRefused ("<store><model id=\"1\"/>\xbcmodel id=\"2\"/\xbe</store>");

    for (const std::string bad : { "\x80", "\xbf", "\xc0\xaf", "\xc1\xbf", "\xc3", "\xc3x", "\xe0\x80\xaf", "\xe2\x82",
                                   "\xed\xa0\x80", "\xf0\x80\x80\xaf", "\xf4\x90\x80\x80", "\xf5\x80\x80\x80", "\xff" })
    {
        expectRefused ("<store a=\"" + bad + "\"/>");
        expectRefused ("<store>" + bad + "</store>");
        expectRefused ("<store><!-- " + bad + " --></store>");
        expectRefused ("<?pi " + bad + "?><store/>");
    }
}

TEST (MapXmlReader, APropertyNamedTwiceIsRefused)
{
    // The framework keeps both: an upload used the first value and a save and reload the other.
    expectRefused ("<store ver=\"0.23\"><model id=\"1\"><slot id=\"1\"><mode id=\"1\">"
                   "<ctl id=\"33\" value=\"3\" value=\"7\"/></mode></slot></model></store>");
    expectRefused ("<store a=\"1\" a=\"2\" b=\"\" a=\"3\"/>");
}

TEST (MapXmlReader, LimitsOfAMapAreKept)
{
    std::string many = "<store";
    for (int i = 0; i < 256; ++i)
        many += " a" + std::to_string (i) + "=\"" + std::to_string (i) + "\"";
    expectReadAsTheFrameworkReads (many + "/>");
    expectRefused (many + " last=\"x\"/>");

    // Five levels, as a map has, and no more.
    expectReadAsTheFrameworkReads ("<store><model><slot><mode><ctl/></mode></slot></model></store>");
    expectRefused ("<store><model><slot><mode><ctl><x/></ctl></mode></slot></model></store>");
}

TEST (MapXmlReader, RepeatedValuesShareOneTextAndStayEqual)
{
    const auto tree = readText (blockOf ("<store><ctl kind=\"button\" name=\"\"/><ctl kind=\"button\" name=\"\"/></store>"));
    const auto first = tree.getChild (0).getProperty (mapIds::kind).toString();
    const auto second = tree.getChild (1).getProperty (mapIds::kind).toString();
    EXPECT_EQ (first.getCharPointer().getAddress(), second.getCharPointer().getAddress());
    EXPECT_TRUE (tree.getChild (0).getProperty (mapIds::name).isString());
}

TEST (MapXmlReader, RandomlyDamagedDocumentsAreRefusedOrGiveTheFrameworksTree)
{
    // Damage made of whole characters only, so that the framework, which is asked about every
    // text the reader takes, never meets a malformed character.
    const std::string seed = "<?xml version=\"1.0\"?>\n<store current=\"1\" ver='0.23'><!-- c --><model id=\"1\" pid=\"2057\">"
                             "<slot a=\"&amp;&#65;\"><![CDATA[x]]><ctl id=\"1\" name=\"caf\xc3\xa9 &lt;\"/>text</slot></model></store>";
    const std::vector<std::string> pieces{ "<", ">",        "/",     "=",    "\"",  "'",         "&",   ";",  "#",
                                           "x", "!",        "-",     "?",    "[",   "]",         " ",   "\n", "a",
                                           "1", "\xc3\xa9", "&amp;", "<!--", "-->", "<![CDATA[", "]]>", "</", "/>" };
    juce::Random random (20261209);
    int readCount = 0;

    for (int round = 0; round < 3000; ++round)
    {
        auto text = seed;

        for (int change = 1 + random.nextInt (3); --change >= 0;)
        {
            const auto at = static_cast<size_t> (random.nextInt (static_cast<int> (text.size()) + 1));

            switch (random.nextInt (3))
            {
                case 0:
                    text.insert (at, pieces[static_cast<size_t> (random.nextInt (static_cast<int> (pieces.size())))]);
                    break;
                case 1:
                    // Removes one ASCII byte: a multi-byte character stays whole.
                    if (at < text.size() && static_cast<unsigned char> (text[at]) < 0x80)
                        text.erase (at, 1);
                    break;
                default:
                    if (at < text.size() && static_cast<unsigned char> (text[at]) < 0x80)
                        text[at] = pieces[static_cast<size_t> (random.nextInt (18))][0];
                    break;
            }
        }

        const auto block = blockOf (text);
        const auto tree = readText (block);

        if (tree.isValid())
        {
            ASSERT_TRUE (identicalTrees (frameworkTreeOf (block), tree)) << text;
            ++readCount;
        }
    }

    EXPECT_GT (readCount, 300) << "the reader should take a good share of the damaged documents";
}

class MapXmlReaderFiles : public ::testing::Test
{
protected:
    MapXmlReaderFiles() { folder.createDirectory(); }
    ~MapXmlReaderFiles() override { folder.deleteRecursively(); }

    juce::File fileWith (const std::string& name, const std::string& bytes) const
    {
        const auto file = folder.getChildFile (name);
        EXPECT_TRUE (file.replaceWithData (bytes.data(), bytes.size()));
        return file;
    }

    static ::testing::AssertionResult readAsTheFrameworkReads (const juce::File& file)
    {
        const auto xml = juce::XmlDocument::parse (file);
        return identicalTrees (xml != nullptr ? juce::ValueTree::fromXml (*xml) : juce::ValueTree(), MapXmlReader::readFile (file));
    }

    const juce::File folder = corvix::testing::testSettingsFolder().getChildFile ("reader-files");
};

TEST_F (MapXmlReaderFiles, MapFilesReadAsTheFrameworkReadsThemAndOtherFilesAreRefused)
{
    const auto mapFile = folder.getChildFile ("default.corvix");
    ASSERT_TRUE (MapXmlWriter::writeToFile (makeDefaultMapState().getTree(), mapFileFormat(), mapFile));
    EXPECT_TRUE (readAsTheFrameworkReads (mapFile));

    EXPECT_TRUE (readAsTheFrameworkReads (fileWith ("bom.corvix", "\xef\xbb\xbf<store a=\"1\"/>")));
    EXPECT_TRUE (readAsTheFrameworkReads (fileWith ("nul-after.corvix", std::string ("<store/>\0<x/>", 13))));

    // No map file is UTF-16 or cut short; a 0 byte ends the text.
    for (const auto& refused : { fileWith ("utf16.corvix", std::string ("\xff\xfe<\0s\0/\0>\0", 10)), fileWith ("short.corvix", "<a"),
                                 fileWith ("three.corvix", "<a>"), fileWith ("nul-inside.corvix", std::string ("<store a=\"1\0\"/>", 15)),
                                 fileWith ("empty.corvix", ""), folder.getChildFile ("missing.corvix"), folder })
        EXPECT_FALSE (MapXmlReader::readFile (refused).isValid()) << refused.getFileName();
}
} // namespace
