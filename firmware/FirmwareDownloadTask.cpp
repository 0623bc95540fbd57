#include "firmware/FirmwareDownloadTask.h"

namespace talvor
{
FirmwareDownloadTask::FirmwareDownloadTask (const juce::URL& url, const juce::File& destinationFile, int connectionTimeoutMs)
    : destination (destinationFile),
      request ("Firmware download", url, connectionTimeoutMs,
               [this] (juce::WebInputStream& web, const juce::Thread& thread) { return readAnswer (web, thread); })
{
}

bool FirmwareDownloadTask::readAnswer (juce::WebInputStream& web, const juce::Thread& thread)
{
    // An error page is not firmware: only the file itself, whole, counts.
    if (web.getStatusCode() != 200)
        return false;

    contentType = web.getResponseHeaders().getValue ("Content-Type", {});

    const auto announced = web.getTotalLength();
    juce::int64 written = 0;

    {
        juce::FileOutputStream out (destination);

        if (! out.openedOk())
            return false;

        juce::HeapBlock<char> buffer (0x8000);

        while (! thread.threadShouldExit())
        {
            auto got = web.read (buffer.get(), 0x8000);

            if (got < 0 || web.isError())
                return false;

            if (got == 0)
                break;

            if (! out.write (buffer.get(), (size_t) got))
                return false;

            written += got;
        }

        out.flush();

        if (thread.threadShouldExit() || out.getStatus().failed() || web.isError())
            return false;
    }

    // Without an announced length only a transfer that ended by itself is whole.
    return announced < 0 ? web.isExhausted() : written == announced;
}
} // namespace talvor
