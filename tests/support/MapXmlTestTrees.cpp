#include "tests/support/MapXmlTestTrees.h"

namespace corvix::testing
{
juce::ValueTree makeAwkwardTree()
{
    const juce::String longName = juce::String::repeatedString ("veryLongPropertyName", 12);
    const juce::String longValue = juce::String::repeatedString ("a value & \"more\" <of it> ", 400);

    juce::ValueTree root ("store");
    root.setProperty ("quotes", "say \"hi\" and 'bye'", nullptr);
    root.setProperty ("markup", "<ctl id=\"1\"/> & &amp; &#38; ]]>", nullptr);
    root.setProperty ("lines", "one\ntwo\r\nthree\rfour\ttab", nullptr);
    root.setProperty ("control", juce::String::fromUTF8 ("\x01\x02\x1f\x7f end"), nullptr);
    root.setProperty ("scripts", juce::String::fromUTF8 ("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb9 \xe6\x97\xa5\xe6\x9c\xac"), nullptr);
    root.setProperty ("plainPunctuation", ".,;:-()_+=?!$#@[]/|*%~{}'\\", nullptr);
    root.setProperty ("empty", juce::String(), nullptr);
    root.setProperty ("numberAsText", "5", nullptr);
    root.setProperty ("number", 5, nullptr);
    root.setProperty ("negative", -2147483647 - 1, nullptr);
    root.setProperty ("wide", juce::var (static_cast<juce::int64> (1) << 40), nullptr);
    root.setProperty ("fraction", 3.25, nullptr);
    root.setProperty ("flag", true, nullptr);
    root.setProperty ("nothing", juce::var(), nullptr);
    root.setProperty (longName, longValue, nullptr);

    // Malformed UTF-8, as a file of another program could leave it: the framework decodes it
    // leniently, and so must the writer. Copied as bytes: the framework's string would misjudge
    // its length if it had to measure it.
    const char malformed[] = "lone \xc3 overlong \xc1\x81 stray \x80 five \xf8\x88\x80\x80\x80 end";
    root.setProperty ("malformed",
                      juce::String (juce::CharPointer_UTF8 (malformed), juce::CharPointer_UTF8 (malformed + sizeof (malformed) - 1)),
                      nullptr);

    // Enough attributes of varied lengths to wrap the line several times.
    juce::ValueTree wrapped ("model");
    for (int i = 0; i < 40; ++i)
        wrapped.setProperty ("p" + juce::String (i), juce::String::repeatedString ("x", i * 3), nullptr);

    juce::ValueTree otherScript (juce::String::fromUTF8 ("m\xc3\xb3"
                                                         "del"));
    for (int i = 0; i < 12; ++i)
        otherScript.setProperty ("attribute" + juce::String (i), juce::String::fromUTF8 ("\xc3\xa9t\xc3\xa9 ") + juce::String (i), nullptr);

    juce::ValueTree leaf ("ctl");
    juce::ValueTree bare ("mode");
    bare.appendChild (leaf, nullptr);
    bare.appendChild (juce::ValueTree ("ctl"), nullptr);
    wrapped.appendChild (bare, nullptr);
    wrapped.appendChild (otherScript, nullptr);
    root.appendChild (wrapped, nullptr);
    root.appendChild (juce::ValueTree ("slot"), nullptr);
    return root;
}

juce::MemoryBlock frameworkXmlOf (const juce::ValueTree& tree, const juce::XmlElement::TextFormat& format)
{
    juce::MemoryOutputStream out;
    tree.createXml()->writeTo (out, format);
    return out.getMemoryBlock();
}

juce::ValueTree frameworkTreeOf (const juce::MemoryBlock& text)
{
    const auto* bytes = static_cast<const char*> (text.getData());
    const auto xml = juce::parseXML (juce::String (juce::CharPointer_UTF8 (bytes), juce::CharPointer_UTF8 (bytes + text.getSize())));
    return xml != nullptr ? juce::ValueTree::fromXml (*xml) : juce::ValueTree();
}

::testing::AssertionResult identicalTrees (const juce::ValueTree& expected, const juce::ValueTree& actual)
{
    if (expected.isValid() != actual.isValid())
        return ::testing::AssertionFailure() << "one tree is invalid, the other is not";

    juce::MemoryOutputStream expectedForm, actualForm;
    expected.writeToStream (expectedForm);
    actual.writeToStream (actualForm);

    if (expectedForm.getMemoryBlock() == actualForm.getMemoryBlock())
        return ::testing::AssertionSuccess();

    return ::testing::AssertionFailure() << "the trees differ:\n"
                                         << expected.toXmlString().substring (0, 2000) << "\nand\n"
                                         << actual.toXmlString().substring (0, 2000);
}

std::string bytesOf (const juce::MemoryBlock& block) { return std::string (static_cast<const char*> (block.getData()), block.getSize()); }
} // namespace corvix::testing
