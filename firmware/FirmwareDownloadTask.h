#pragma once

#include "firmware/ServerRequestThread.h"

#include <juce_core/juce_core.h>

#include <functional>

namespace talvor
{
/** One download into a file on its own thread (see ServerRequestThread). Going out of scope stops
    the download if it still runs and waits until the thread has let go of the destination file. */
class FirmwareDownloadTask final
{
public:
    FirmwareDownloadTask (const juce::URL& url, const juce::File& destination, int connectionTimeoutMs);

    /** Polls while the message loop runs until the download has finished, the time (in
        juce::Time::getMillisecondCounterHiRes terms) has come or a stop is requested; in the
        last two cases stops it. True when it finished by itself. */
    bool finishBy (double deadlineAtMs, int pollMs, const std::function<bool()>& stopRequested)
    {
        return request.finishBy (deadlineAtMs, pollMs, stopRequested);
    }

    bool isFinished() const noexcept { return request.isFinished(); }

    /** True once finished with status 200 and every announced byte written to the destination. */
    bool succeeded() const noexcept { return request.succeeded(); }

    /** Stops the transfer and waits until the thread has let go of the destination file. */
    void cancel() { request.cancel(); }

    /** The answer's "Content-Type" header as the server sent it; read it once finished. */
    juce::String getContentType() const { return isFinished() ? contentType : juce::String(); }

private:
    bool readAnswer (juce::WebInputStream& web, const juce::Thread& thread);

    const juce::File destination;
    juce::String contentType;

    // Last, so that its thread has ended before what it writes to goes.
    ServerRequestThread request;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FirmwareDownloadTask)
};
} // namespace talvor
