#pragma once

#include <juce_core/juce_core.h>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace corvix::testing
{
/** An HTTP/1.1 server on 127.0.0.1, on a port the system chooses, that answers each request from
    a script. Tests point the firmware server root at url() and script what each path answers:
    a status with headers and a body, after a delay, a body that stalls part-way, trickles or is
    cut off before its announced length, or a redirect. Every request it receives is logged.

    Each connection is served on its own thread and closed after one response. A stalled answer
    holds its connection until the client gives up or the server is destroyed. Constructing a
    server makes curl bypass any proxy for 127.0.0.1. */
class LoopbackHttpServer
{
public:
    struct Response
    {
        int status = 200;
        juce::StringPairArray headers;
        juce::MemoryBlock body;

        /** Milliseconds to wait before anything is sent. */
        int delayMs = 0;

        /** Stall before the status line: the client connects but never hears back. */
        bool stallBeforeHeaders = false;

        /** When at least 0: send the headers and this many bytes of the body, then stall. */
        int stallAfterBytes = -1;

        /** When at least 0: announce the whole body but send only this many bytes, then close. */
        int cutOffAfterBytes = -1;

        /** When above 0: send the body this many bytes at a time, pausing trickleIntervalMs after
            each piece, as a slow or hostile server does. */
        int trickleBytes = 0;
        int trickleIntervalMs = 0;

        static Response ok (const juce::String& text, const juce::String& contentType = "text/xml");
        static Response ok (const juce::MemoryBlock& bytes);
        static Response withStatus (int code, const juce::String& text = {});
        static Response redirect (int code, const juce::String& location);
    };

    struct Request
    {
        juce::String method;
        juce::String path;
        juce::StringPairArray headers;
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer();

    /** Starts with a slash: "/firmware.xml". Responses queued for one path are used in order;
        the last one keeps answering. A path without a script answers 404. */
    void respond (const juce::String& path, Response response);

    /** Replaces every script of the path with this one response. */
    void respondAlways (const juce::String& path, Response response);

    /** The root, "http://127.0.0.1:PORT/". */
    juce::String url() const;
    int port() const noexcept { return boundPort; }

    std::vector<Request> requests() const;
    int requestCount() const;
    int requestCount (const juce::String& path) const;

    /** Blocks until every stalled answer may end; stalls end on their own when the server goes. */
    void releaseStalls();

    LoopbackHttpServer (const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator= (const LoopbackHttpServer&) = delete;

private:
    void acceptLoop();
    void serve (std::unique_ptr<juce::StreamingSocket> connection);
    Response nextResponse (const juce::String& path);
    bool waitUnlessStopping (int milliseconds);

    juce::StreamingSocket listener;
    int boundPort = 0;

    mutable std::mutex lock;
    std::condition_variable wake;
    bool stopping = false;
    bool stallsReleased = false;
    std::map<juce::String, std::vector<Response>> scripts;
    std::vector<Request> log;

    std::thread acceptThread;
    std::vector<std::thread> connectionThreads;
    std::vector<juce::StreamingSocket*> openConnections;
};

/** Makes curl reach 127.0.0.1 directly even when the environment names a proxy. */
void bypassProxyForLoopback();
} // namespace corvix::testing
