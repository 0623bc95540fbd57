#include "firmware/ServerRequestThread.h"

#include "platform/MessageLoopWait.h"

namespace talvor
{
ServerRequestThread::ServerRequestThread (const juce::String& nameOfThread, const juce::URL& urlToAsk, int timeoutMs,
                                          AnswerReader answerReader)
    : juce::Thread (nameOfThread), url (urlToAsk), connectionTimeoutMs (timeoutMs), reader (std::move (answerReader))
{
    startThread();
}

ServerRequestThread::~ServerRequestThread() { cancel(); }

bool ServerRequestThread::finishBy (double deadlineAtMs, int pollMs, const std::function<bool()>& stopRequested)
{
    while (! isFinished())
    {
        const auto stop = stopRequested != nullptr && stopRequested();

        if (stop || juce::Time::getMillisecondCounterHiRes() >= deadlineAtMs)
        {
            cancel();
            return false;
        }

        waitMs (pollMs);
    }

    return true;
}

void ServerRequestThread::cancel()
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

void ServerRequestThread::run()
{
    complete = transfer();
    finished = true;
}

bool ServerRequestThread::transfer()
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

    return reader (*web, *this);
}
} // namespace talvor
