#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <memory>

namespace talvor
{
/** One download on its own thread, connection included, so that the message thread only polls
    it and can stop it at any moment: the framework's own download task connects on the caller's
    thread, where a server that never answers would hold the program. */
class FirmwareDownloadTask final : private juce::Thread
{
public:
    FirmwareDownloadTask (const juce::URL& url, const juce::File& destination, int connectionTimeoutMs);

    /** Stops the download if it still runs and waits for its thread. */
    ~FirmwareDownloadTask() override;

    bool isFinished() const noexcept { return finished.load(); }

    /** True once finished with status 200 and every announced byte written to the destination. */
    bool succeeded() const noexcept { return isFinished() && complete.load(); }

    /** Stops the transfer and waits until the thread has let go of the destination file. */
    void cancel();

    /** The answer's "Content-Type" header as the server sent it; read it once finished. */
    juce::String getContentType() const { return isFinished() ? contentType : juce::String(); }

private:
    void run() override;
    bool transfer();

    const juce::URL url;
    const juce::File destination;
    const int connectionTimeoutMs;

    juce::CriticalSection streamLock;
    std::unique_ptr<juce::WebInputStream> stream;

    juce::String contentType;
    std::atomic<bool> finished{ false };
    std::atomic<bool> complete{ false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FirmwareDownloadTask)
};
} // namespace talvor
