#pragma once

#include "firmware/ServerRequestThread.h"
#include "firmware/WizardState.h"

#include <juce_core/juce_core.h>

#include <functional>

namespace talvor
{
/** The text a failed download reports to the user. */
constexpr const char* downloadFailedMessage = "Could not download firmware file";

/** A file name for the cache made from the last segment of a firmware address (after the last
    "/" or "\"), kept only when it is made of letters, digits, ".", "_" and "-" and is neither
    "." nor ".."; any other name becomes "firmware.bin". The result never leaves its folder. */
juce::String safeFirmwareFileName (const juce::URL& url);

/** Where a firmware file from the server is kept: its safe name in the firmware cache folder. */
juce::File firmwareCacheFileFor (const juce::URL& url);

/** How long a download may take and how it learns that the user wants it stopped. */
struct DownloadLimits
{
    /** The whole download, connection included, ends as failed after this long. */
    int deadlineMs = 120000;

    /** Connecting may take this long, and the body may not stall for longer. */
    int connectionTimeoutMs = 10000;

    /** How often the message thread looks at the download. */
    int pollMs = 32;

    /** Asked at every poll; true stops the download. The user's Esc by default. */
    std::function<bool()> stopRequested = [] { return abortRequested; };

    /** After a stop or the deadline, how long the download's thread is waited for before it is
        left to end by itself; the failure is reported then. */
    int stopGraceMs = ServerRequestThread::defaultStopGraceMs;
};

/** No image of these units comes near this; a server that sends more is not sending firmware. */
constexpr juce::int64 largestDownloadBytes = 16 * 1024 * 1024;

/** True when a server's answer is no firmware image: its type names a document, or its leading
    bytes are text (see isDocumentContentType and startsAsText). An image is binary. */
bool isDocumentAnswer (const juce::String& contentType, const juce::MemoryBlock& body);

/** Downloads the address into the target file while the message loop keeps running. It counts
    as done only when the server answered 200 and sent the whole body it announced, and the answer
    is not a document (isDocumentAnswer); anything else (no answer, another status, a body cut
    short, a stall past the deadline, a stop request) fails with downloadFailedMessage and leaves
    no target file behind. The body is held in memory until it has come whole and only then
    written, so a download that had to be left running touches no file. An existing target is
    replaced; a missing folder for it is made. */
juce::Result downloadFirmwareFile (const juce::URL& url, const juce::File& target, const DownloadLimits& limits = {});
} // namespace talvor
