#include "tests/support/LoopbackHttpServer.h"
#include "platform/EnvironmentVariable.h"

#include <chrono>
#include <csignal>
#include <cstdlib>

namespace corvix::testing
{
namespace
{
juce::String reasonPhrase (int status)
{
    switch (status)
    {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 304:
            return "Not Modified";
        case 307:
            return "Temporary Redirect";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
    }
}

bool statusHasNoBody (int status) { return (status >= 100 && status < 200) || status == 204 || status == 304; }

bool sendAll (juce::StreamingSocket& socket, const void* data, size_t size)
{
    auto* bytes = static_cast<const char*> (data);
    // The connection does not block: a write into a full send buffer fails at once, and the rest
    // of a large body goes once the client has read what came before. A client that takes nothing
    // for some ten seconds, or a connection gone, ends the answer.
    int roundsWithoutProgress = 0;

    while (size > 0)
    {
        auto sent = socket.write (bytes, (int) size);

        if (sent <= 0)
        {
            if (++roundsWithoutProgress > 200 || socket.waitUntilReady (false, 50) < 0)
                return false;

            continue;
        }

        roundsWithoutProgress = 0;

        bytes += sent;
        size -= (size_t) sent;
    }

    return true;
}
} // namespace

LoopbackHttpServer::Response LoopbackHttpServer::Response::ok (const juce::String& text, const juce::String& contentType)
{
    Response r;
    r.body.append (text.toRawUTF8(), text.getNumBytesAsUTF8());
    r.headers.set ("Content-Type", contentType);
    return r;
}

LoopbackHttpServer::Response LoopbackHttpServer::Response::ok (const juce::MemoryBlock& bytes)
{
    Response r;
    r.body = bytes;
    r.headers.set ("Content-Type", "application/octet-stream");
    return r;
}

LoopbackHttpServer::Response LoopbackHttpServer::Response::withStatus (int code, const juce::String& text)
{
    Response r;
    r.status = code;

    if (! statusHasNoBody (code))
    {
        auto page = text.isNotEmpty() ? text : "<html><body>" + juce::String (code) + " " + reasonPhrase (code) + "</body></html>";
        r.body.append (page.toRawUTF8(), page.getNumBytesAsUTF8());
        r.headers.set ("Content-Type", "text/html");
    }

    return r;
}

LoopbackHttpServer::Response LoopbackHttpServer::Response::redirect (int code, const juce::String& location)
{
    Response r;
    r.status = code;
    r.headers.set ("Location", location);
    return r;
}

void bypassProxyForLoopback()
{
    // curl reads both spellings; 127.0.0.1 must never go through a proxy of the environment.
    for (auto* name : { "no_proxy", "NO_PROXY" })
        talvor::setEnvironmentVariable (name, "127.0.0.1,localhost");
}

LoopbackHttpServer::LoopbackHttpServer()
{
    bypassProxyForLoopback();

#if ! JUCE_WINDOWS
    // A client that hangs up while an answer is still being sent must end that answer with an
    // error, not end the whole test program with the signal a write to a closed socket raises.
    ::signal (SIGPIPE, SIG_IGN);
#endif

    if (! listener.createListener (0, "127.0.0.1"))
    {
        jassertfalse;
        return;
    }

    boundPort = listener.getBoundPort();
    acceptThread = std::thread ([this] { acceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    {
        std::lock_guard<std::mutex> guard (lock);
        stopping = true;
    }
    wake.notify_all();

    if (acceptThread.joinable())
        acceptThread.join();

    listener.close();

    std::vector<std::thread> threads;
    {
        std::lock_guard<std::mutex> guard (lock);
        threads.swap (connectionThreads);
    }

    for (auto& t : threads)
        t.join();
}

void LoopbackHttpServer::respond (const juce::String& path, Response response)
{
    std::lock_guard<std::mutex> guard (lock);
    scripts[path].push_back (std::move (response));
}

void LoopbackHttpServer::respondAlways (const juce::String& path, Response response)
{
    std::lock_guard<std::mutex> guard (lock);
    scripts[path] = { std::move (response) };
}

juce::String LoopbackHttpServer::url() const { return "http://127.0.0.1:" + juce::String (boundPort) + "/"; }

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const
{
    std::lock_guard<std::mutex> guard (lock);
    return log;
}

int LoopbackHttpServer::requestCount() const
{
    std::lock_guard<std::mutex> guard (lock);
    return (int) log.size();
}

int LoopbackHttpServer::requestCount (const juce::String& path) const
{
    std::lock_guard<std::mutex> guard (lock);
    int n = 0;

    for (auto& r : log)
        if (r.path == path)
            ++n;

    return n;
}

void LoopbackHttpServer::releaseStalls()
{
    {
        std::lock_guard<std::mutex> guard (lock);
        stallsReleased = true;
    }
    wake.notify_all();
}

bool LoopbackHttpServer::waitUnlessStopping (int milliseconds)
{
    std::unique_lock<std::mutex> guard (lock);
    return ! wake.wait_for (guard, std::chrono::milliseconds (milliseconds), [this] { return stopping; });
}

void LoopbackHttpServer::acceptLoop()
{
    for (;;)
    {
        {
            std::lock_guard<std::mutex> guard (lock);

            if (stopping)
                return;
        }

        if (listener.waitUntilReady (true, 50) != 1)
            continue;

        std::unique_ptr<juce::StreamingSocket> connection (listener.waitForNextConnection());

        if (connection == nullptr)
            continue;

        std::lock_guard<std::mutex> guard (lock);
        connectionThreads.emplace_back ([this, c = connection.release()]() mutable { serve (std::unique_ptr<juce::StreamingSocket> (c)); });
    }
}

LoopbackHttpServer::Response LoopbackHttpServer::nextResponse (const juce::String& path)
{
    std::lock_guard<std::mutex> guard (lock);
    auto found = scripts.find (path);

    if (found == scripts.end() || found->second.empty())
        return Response::withStatus (404);

    auto response = found->second.front();

    if (found->second.size() > 1)
        found->second.erase (found->second.begin());

    return response;
}

void LoopbackHttpServer::serve (std::unique_ptr<juce::StreamingSocket> connection)
{
    // Read the request head; a client that sends nothing for a few seconds is dropped.
    juce::MemoryBlock head;
    char buffer[1024];
    int quietRounds = 0;

    while (! head.toString().contains ("\r\n\r\n"))
    {
        if (! waitUnlessStopping (0) || quietRounds > 100)
            return;

        if (connection->waitUntilReady (true, 50) != 1)
        {
            ++quietRounds;
            continue;
        }

        auto got = connection->read (buffer, (int) sizeof (buffer), false);

        if (got <= 0)
            return;

        head.append (buffer, (size_t) got);
    }

    auto lines = juce::StringArray::fromLines (head.toString().upToFirstOccurrenceOf ("\r\n\r\n", false, false));
    auto requestLine = juce::StringArray::fromTokens (lines[0], " ", {});

    Request request;
    request.method = requestLine[0];
    request.path = requestLine[1];

    for (int i = 1; i < lines.size(); ++i)
        if (lines[i].contains (":"))
            request.headers.set (lines[i].upToFirstOccurrenceOf (":", false, false).trim(),
                                 lines[i].fromFirstOccurrenceOf (":", false, false).trim());

    {
        std::lock_guard<std::mutex> guard (lock);
        log.push_back (request);
    }

    auto response = nextResponse (request.path);

    if (response.delayMs > 0 && ! waitUnlessStopping (response.delayMs))
        return;

    // A stall holds the connection until the client hangs up, the stall is released or the server goes.
    auto stall = [&]
    {
        for (;;)
        {
            {
                std::lock_guard<std::mutex> guard (lock);

                if (stopping || stallsReleased)
                    return;
            }

            if (connection->waitUntilReady (true, 50) == 1 && connection->read (buffer, (int) sizeof (buffer), false) <= 0)
                return;
        }
    };

    if (response.stallBeforeHeaders)
    {
        stall();
        return;
    }

    juce::String text;
    text << "HTTP/1.1 " << response.status << " " << reasonPhrase (response.status) << "\r\n";

    if (! statusHasNoBody (response.status) && ! response.headers.containsKey ("Content-Length"))
        text << "Content-Length: " << (int) response.body.getSize() << "\r\n";

    text << "Connection: close\r\n";

    for (auto& key : response.headers.getAllKeys())
        text << key << ": " << response.headers[key] << "\r\n";

    text << "\r\n";

    if (! sendAll (*connection, text.toRawUTF8(), text.getNumBytesAsUTF8()))
        return;

    auto bodySize = (int) response.body.getSize();
    auto toSend = bodySize;

    if (response.stallAfterBytes >= 0)
        toSend = juce::jmin (bodySize, response.stallAfterBytes);
    else if (response.cutOffAfterBytes >= 0)
        toSend = juce::jmin (bodySize, response.cutOffAfterBytes);

    if (response.trickleBytes > 0)
    {
        for (int sent = 0; sent < toSend; sent += response.trickleBytes)
        {
            const auto piece = juce::jmin (response.trickleBytes, toSend - sent);

            if (! sendAll (*connection, static_cast<const char*> (response.body.getData()) + sent, (size_t) piece)
                || ! waitUnlessStopping (response.trickleIntervalMs))
                return;
        }
    }
    else if (toSend > 0 && ! sendAll (*connection, response.body.getData(), (size_t) toSend))
    {
        return;
    }

    if (response.stallAfterBytes >= 0)
        stall();

    connection->close();
}
} // namespace corvix::testing
