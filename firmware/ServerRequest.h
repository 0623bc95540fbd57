#pragma once

#include "firmware/ServerRequestThread.h"
#include "firmware/WizardState.h"

#include <juce_core/juce_core.h>

#include <functional>

namespace talvor
{
/** How long asking the firmware server for its catalogue may take and how it learns that the user
    wants it stopped. */
struct CatalogueLimits
{
    /** The probe and the document read together, connections included, end as failed after this long. */
    int deadlineMs = 20000;

    /** Connecting may take this long, and an answer may not stall for longer. */
    int connectionTimeoutMs = 3000;

    /** How often the message thread looks at a request. */
    int pollMs = 32;

    /** A larger answer is not a catalogue. */
    int largestDocumentBytes = 4 * 1024 * 1024;

    /** Asked at every poll; true stops the request. The user's Esc (or a close) by default. */
    std::function<bool()> stopRequested = [] { return abortRequested; };

    /** After a stop or the deadline, how long the request's thread is waited for before it is left
        to end by itself; the failure is reported then. */
    int stopGraceMs = ServerRequestThread::defaultStopGraceMs;
};

/** The limits in force; tests change them through ScopedCatalogueLimits. */
const CatalogueLimits& catalogueLimits();

/** Installs limits for the lifetime of the object, then restores the previous ones. */
class ScopedCatalogueLimits
{
public:
    explicit ScopedCatalogueLimits (CatalogueLimits limits);
    ~ScopedCatalogueLimits();

    ScopedCatalogueLimits (const ScopedCatalogueLimits&) = delete;
    ScopedCatalogueLimits& operator= (const ScopedCatalogueLimits&) = delete;

private:
    CatalogueLimits previous;
};

/** One GET request to the firmware server on its own thread (see ServerRequestThread): its
    answer's status and, where asked for, its body kept in memory. Going out of scope stops the
    request if it still runs. */
class ServerRequest final
{
public:
    /** With a largest body of 0 only the status is asked for; the body is not read. */
    ServerRequest (const juce::URL& url, const CatalogueLimits& limits, int largestBodyBytes);

    /** Polls while the message loop runs until the request has finished, the time (in
        juce::Time::getMillisecondCounterHiRes terms) has come or a stop is requested; in the
        last two cases stops it. True when it finished by itself. */
    bool finishBy (double deadlineAtMs, const CatalogueLimits& limits);

    bool isFinished() const noexcept { return request.isFinished(); }

    /** True once finished with an answer: its status, and the whole body within the size limit
        where the body was asked for. */
    bool succeeded() const noexcept { return request.succeeded(); }

    /** The answer's status; 0 without an answer. */
    int statusCode() const noexcept { return request.answer().status; }

    /** The body as text; empty unless succeeded. */
    juce::String body() const;

private:
    ServerRequestThread request;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ServerRequest)
};
} // namespace talvor
