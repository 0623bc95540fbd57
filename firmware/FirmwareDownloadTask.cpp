#include "firmware/FirmwareDownloadTask.h"

namespace talvor
{
FirmwareDownloadTask::FirmwareDownloadTask (const juce::URL& urlToFetch, const juce::File& destinationFile, int timeoutMs)
    : juce::Thread ("Firmware download"), url (urlToFetch), destination (destinationFile), connectionTimeoutMs (timeoutMs)
{
    startThread();
}

FirmwareDownloadTask::~FirmwareDownloadTask() { cancel(); }

void FirmwareDownloadTask::cancel()
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

void FirmwareDownloadTask::run()
{
    complete = transfer();
    finished = true;
}

bool FirmwareDownloadTask::transfer()
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

    // An error page is not firmware: only the file itself, whole, counts.
    if (web->getStatusCode() != 200)
        return false;

    contentType = web->getResponseHeaders().getValue ("Content-Type", {});

    const auto announced = web->getTotalLength();
    juce::int64 written = 0;

    {
        juce::FileOutputStream out (destination);

        if (! out.openedOk())
            return false;

        juce::HeapBlock<char> buffer (0x8000);

        while (! threadShouldExit())
        {
            auto got = web->read (buffer.get(), 0x8000);

            if (got < 0 || web->isError())
                return false;

            if (got == 0)
                break;

            if (! out.write (buffer.get(), (size_t) got))
                return false;

            written += got;
        }

        out.flush();

        if (threadShouldExit() || out.getStatus().failed() || web->isError())
            return false;
    }

    // Without an announced length only a transfer that ended by itself is whole.
    return announced < 0 ? web->isExhausted() : written == announced;
}
} // namespace talvor
