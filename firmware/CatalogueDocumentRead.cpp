#include "firmware/CatalogueDocumentRead.h"

namespace talvor
{
CatalogueDocumentRead::CatalogueDocumentRead (const juce::URL& urlToRead, int timeoutMs, int largestBytes)
    : juce::Thread ("Firmware catalogue"), url (urlToRead), connectionTimeoutMs (timeoutMs), largestDocumentBytes (largestBytes)
{
    startThread();
}

CatalogueDocumentRead::~CatalogueDocumentRead() { cancel(); }

juce::String CatalogueDocumentRead::document() const
{
    if (! succeeded())
        return {};

    // The same reading of the bytes as the framework's whole-stream read: a byte-order mark picks
    // UTF-16, anything else is UTF-8.
    return juce::String::createStringFromData (body.getData(), static_cast<int> (body.getDataSize()));
}

void CatalogueDocumentRead::cancel()
{
    {
        const juce::ScopedLock guard (streamLock);
        signalThreadShouldExit();

        if (stream != nullptr)
            stream->cancel();
    }

    // The stream gives up within one of curl's polling rounds (under a second) once cancelled.
    waitForThreadToExit (-1);
}

void CatalogueDocumentRead::run()
{
    complete = transfer();
    finished = true;
}

bool CatalogueDocumentRead::transfer()
{
    juce::WebInputStream* web = nullptr;

    {
        const juce::ScopedLock guard (streamLock);

        if (threadShouldExit())
            return false;

        stream = std::make_unique<juce::WebInputStream> (url, false);
        stream->withConnectionTimeout (connectionTimeoutMs);
        stream->withNumRedirectsToFollow (5);
        web = stream.get();
    }

    if (! web->connect (nullptr) || threadShouldExit() || web->isError())
        return false;

    juce::HeapBlock<char> buffer (0x4000);

    while (! threadShouldExit())
    {
        const auto got = web->read (buffer.get(), 0x4000);

        if (got < 0 || web->isError())
            return false;

        if (got == 0)
            break;

        // No catalogue is this large: a server that keeps sending is not answering with one.
        if (body.getDataSize() + static_cast<size_t> (got) > static_cast<size_t> (largestDocumentBytes))
            return false;

        body.write (buffer.get(), static_cast<size_t> (got));
    }

    return ! threadShouldExit() && ! web->isError();
}
} // namespace talvor
