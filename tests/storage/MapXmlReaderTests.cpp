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

std::optional<juce::ValueTree> readAlone (const juce::MemoryBlock& text)
{
    juce::MemoryBlock terminated (text);
    terminated.append ("", 1);
    return MapXmlReader::readWithoutFramework (static_cast<const char*> (terminated.getData()), text.getSize());
}

juce::ValueTree readText (const juce::MemoryBlock& text)
{
    juce::MemoryBlock terminated (text);
    terminated.append ("", 1);
    return MapXmlReader::readText (static_cast<const char*> (terminated.getData()), text.getSize());
}

/** The reader must read the text itself and give the framework's tree. */
void expectReadAlikeWithoutFramework (const std::string& text)
{
    const auto block = blockOf (text);
    const auto alone = readAlone (block);
    ASSERT_TRUE (alone.has_value()) << text;
    EXPECT_TRUE (identicalTrees (frameworkTreeOf (block), *alone)) << text;
    EXPECT_TRUE (identicalTrees (frameworkTreeOf (block), readText (block))) << text;
}

/** The reader must leave the text to the framework, and so give the framework's tree. */
void expectLeftToFramework (const std::string& text)
{
    const auto block = blockOf (text);
    EXPECT_FALSE (readAlone (block).has_value()) << text;
    EXPECT_TRUE (identicalTrees (frameworkTreeOf (block), readText (block))) << text;
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
        const auto alone = readAlone (text);
        ASSERT_TRUE (alone.has_value());
        EXPECT_TRUE (identicalTrees (frameworkTreeOf (text), *alone));
    }
}

TEST (MapXmlReader, AwkwardContentReadsBackInEveryFormat)
{
    juce::XmlElement::TextFormat lf;
    lf.newLineChars = "\n";

    for (const auto& format : { mapFileFormat(), settingsValueFormat(), lf })
    {
        // Element names of other scripts are names or not depending on the machine's locale:
        // those are left to the framework, everything else is read without it.
        auto tree = corvix::testing::makeAwkwardTree();
        auto text = frameworkXmlOf (tree, format);
        EXPECT_FALSE (readAlone (text).has_value());
        EXPECT_TRUE (identicalTrees (frameworkTreeOf (text), readText (text)));

        tree.getChild (0).removeChild (1, nullptr);
        text = frameworkXmlOf (tree, format);
        const auto alone = readAlone (text);
        ASSERT_TRUE (alone.has_value());
        EXPECT_TRUE (identicalTrees (frameworkTreeOf (text), *alone));
    }
}

TEST (MapXmlReader, WhatUsersAndOtherProgramsWriteIsReadWithoutTheFramework)
{
    for (const std::string text : {
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<store current=\"1\" ver=\"0.23\"/>\r\n",
             "<store a='1' b=\"x'y\" c='x\"y'/>",
             "\n\t <store\n a = \"1\"\r\n\tb\t=\t'2' >\n <ctl/>\r\n</store >\n",
             "<!-- before --><?pi x?><store><!-- inner --><?pi?><ctl id=\"1\"/></store><!-- after -->",
             "<store>text <![CDATA[<not> & an element]]> more<ctl id=\"1\"/>tail</store>",
             "<store a=\"&amp;&lt;&gt;&quot;&apos;&AMP;&Quot;&#65;&#x42;&#X43;&#233;&#x1F3B9;&#10;&#13;&#9;\"/>",
             "<store a=\"\xc3\xa9 <\xe2\x82\xac> \xf0\x9f\x8e\xb9\" b=\"x\r\ny\tz\x01\"/>",
             "<store a=\"1\"b=\"2\"/>",
             "<my:store x.y=\"1\" _z-9=\"2\" 9a=\"3\"><-x.y:z/></my:store>",
             "<store/> anything after the document <junk",
             "<store><model id=\"1\"><slot><mode><ctl id=\"1\"/><ctl id=\"2\"></ctl></mode></slot></model><model/></store>",
             "<store>\xc3\xa9 \xe2\x82\xac text of other scripts<ctl/></store>",
         })
        expectReadAlikeWithoutFramework (text);
}

TEST (MapXmlReader, WhatItDoesNotTakeOnIsLeftToTheFramework)
{
    for (const std::string text : {
             "<!DOCTYPE store [<!ENTITY e \"&#60;ctl/&#62;\">]><store>&e;</store>",
             "<store a=\"&unknown;\"/>",
             "<store a=\"1\" a=\"2\" b=\"\" a=\"3\"/>",
             "<store a=\"&#;\"/>",
             "<store a=\"&#0;\"/>",
             "<store a=\"&#x110000;\"/>",
             "<store a=\"&#1a;\"/>",
             "<store a=\"&#x123456789;\"/>",
             "<store a=\"&amp\"/>",
             "<store base64:blob=\"AAEC\"/>",
             "<store base64:blob=\"not base64!\"/>",
             "<store></other>",
             "<store><ctl></store>",
             "<store a=1/>",
             "<store a/>",
             "<store>text &amp; more</store>",
             "<store a=\"x\xc3\" b=\"2\"/>   ",
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
        expectLeftToFramework (text);
}

TEST (MapXmlReader, LimitsOfNestingAndAttributesAreLeftToTheFramework)
{
    std::string many = "<store";
    for (int i = 0; i < 256; ++i)
        many += " a" + std::to_string (i) + "=\"" + std::to_string (i) + "\"";
    expectReadAlikeWithoutFramework (many + "/>");
    expectLeftToFramework (many + " last=\"x\"/>");

    std::string deep;
    for (int i = 0; i < 300; ++i)
        deep += "<n>";
    for (int i = 0; i < 300; ++i)
        deep += "</n>";
    expectLeftToFramework (deep);
}

TEST (MapXmlReader, RepeatedValuesShareOneTextAndStayEqual)
{
    const auto tree = readText (blockOf ("<store><ctl kind=\"button\" name=\"\"/><ctl kind=\"button\" name=\"\"/></store>"));
    const auto first = tree.getChild (0).getProperty (mapIds::kind).toString();
    const auto second = tree.getChild (1).getProperty (mapIds::kind).toString();
    EXPECT_EQ (first.getCharPointer().getAddress(), second.getCharPointer().getAddress());
    EXPECT_TRUE (tree.getChild (0).getProperty (mapIds::name).isString());
}

TEST (MapXmlReader, RandomlyDamagedDocumentsGiveTheFrameworksTree)
{
    // Damage made of whole characters only: the framework itself reads past the end of a text
    // that ends inside a malformed multi-byte character.
    const std::string seed = "<?xml version=\"1.0\"?>\n<store current=\"1\" ver='0.23'><!-- c --><model id=\"1\" pid=\"2057\">"
                             "<slot a=\"&amp;&#65;\"><![CDATA[x]]><ctl id=\"1\" name=\"caf\xc3\xa9 &lt;\"/>text</slot></model></store>";
    const std::vector<std::string> pieces{ "<", ">",        "/",     "=",    "\"",  "'",         "&",   ";",  "#",
                                           "x", "!",        "-",     "?",    "[",   "]",         " ",   "\n", "a",
                                           "1", "\xc3\xa9", "&amp;", "<!--", "-->", "<![CDATA[", "]]>", "</", "/>" };
    juce::Random random (20261209);
    int readAloneCount = 0;

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
        ASSERT_TRUE (identicalTrees (frameworkTreeOf (block), readText (block))) << text;
        readAloneCount += readAlone (block).has_value() ? 1 : 0;
    }

    EXPECT_GT (readAloneCount, 300) << "the reader should take on a good share of the damaged documents itself";
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

TEST_F (MapXmlReaderFiles, FilesReadAsTheFrameworkReadsThem)
{
    const auto mapFile = folder.getChildFile ("default.corvix");
    ASSERT_TRUE (MapXmlWriter::writeToFile (makeDefaultMapState().getTree(), mapFileFormat(), mapFile));
    EXPECT_TRUE (readAsTheFrameworkReads (mapFile));

    EXPECT_TRUE (readAsTheFrameworkReads (fileWith ("bom.corvix", "\xef\xbb\xbf<store a=\"1\"/>")));
    EXPECT_TRUE (readAsTheFrameworkReads (fileWith ("utf16.corvix", std::string ("\xff\xfe<\0s\0/\0>\0", 10))));
    EXPECT_TRUE (readAsTheFrameworkReads (fileWith ("short.corvix", "<a")));
    EXPECT_TRUE (readAsTheFrameworkReads (fileWith ("three.corvix", "<a>")));
    EXPECT_TRUE (readAsTheFrameworkReads (fileWith ("nul-after.corvix", std::string ("<store/>\0<x/>", 13))));
    EXPECT_TRUE (readAsTheFrameworkReads (fileWith ("nul-inside.corvix", std::string ("<store a=\"1\0\"/>", 15))));
    EXPECT_TRUE (readAsTheFrameworkReads (fileWith ("empty.corvix", "")));
    EXPECT_TRUE (readAsTheFrameworkReads (folder.getChildFile ("missing.corvix")));
    EXPECT_TRUE (readAsTheFrameworkReads (folder));
    EXPECT_FALSE (MapXmlReader::readFile (folder.getChildFile ("missing.corvix")).isValid());
}
} // namespace
