#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** How many bytes from the start of an answer or a file are judged: a firmware image shows that
    it is binary (its vector table, its zero bytes) long before this, a page or an error text
    shows that it is text. */
constexpr size_t judgedLeadingBytes = 512;

/** True for a content type that names a document, whatever its parameters: "text/...",
    "application/json", "application/xml", a "+xml" or "+json" type, anything with "html" in it. */
bool isDocumentContentType (const juce::String& contentType);

/** True when the leading bytes (up to judgedLeadingBytes) are text: after an optional byte-order
    mark (UTF-8, UTF-16 of either order), only printable characters and white space. No byte at
    all is not text: there is nothing to judge. A sequence cut at the end of the judged bytes
    still counts as text. */
bool startsAsText (const void* data, size_t size);

/** The same judgement of a file's leading bytes; a file that cannot be read is not text. */
bool fileStartsAsText (const juce::File& file);
} // namespace talvor
