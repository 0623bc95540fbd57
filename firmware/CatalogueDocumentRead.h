#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <memory>

namespace talvor
{
/** Reads the catalogue document into memory on its own thread, connection included, so that the
    message thread only polls it and can stop it at any moment: a server that trickles its answer
    would otherwise hold the message thread for as long as it keeps sending. */
class CatalogueDocumentRead final : private juce::Thread
{
public:
    CatalogueDocumentRead (const juce::URL& url, int connectionTimeoutMs, int largestDocumentBytes);

    /** Stops the read if it still runs and waits for its thread. */
    ~CatalogueDocumentRead() override;

    bool isFinished() const noexcept { return finished.load(); }

    /** True once finished with the whole body read, within the size limit. */
    bool succeeded() const noexcept { return isFinished() && complete.load(); }

    /** The body as text; empty unless succeeded. */
    juce::String document() const;

    /** Stops the transfer and waits for the thread. */
    void cancel();

private:
    void run() override;
    bool transfer();

    const juce::URL url;
    const int connectionTimeoutMs;
    const int largestDocumentBytes;

    juce::CriticalSection streamLock;
    std::unique_ptr<juce::WebInputStream> stream;
    juce::MemoryOutputStream body;

    std::atomic<bool> finished{ false };
    std::atomic<bool> complete{ false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CatalogueDocumentRead)
};
} // namespace talvor
