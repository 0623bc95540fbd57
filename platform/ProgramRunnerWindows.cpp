// Running a program on Windows: one command line quoted from the argument list, standard output
// and error into one pipe that is read until the last writer has closed it, so that what a
// program printed just before it ended is never lost.
#include "platform/ProgramRunner.h"

#if JUCE_WINDOWS
#include "platform/WindowsCommandLine.h"

#include <windows.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace talvor
{
namespace
{
/** The output read so far, shared with the reader thread so that a reader still blocked on a pipe
    that a left-over grandchild keeps open can be let go without dangling. */
struct OutputCollector
{
    std::mutex lock;
    std::condition_variable finished;
    juce::MemoryOutputStream bytes;
    bool done = false;
};

void collectOutput (HANDLE pipe, std::shared_ptr<OutputCollector> collector)
{
    char buffer[4096];
    DWORD count = 0;

    // Fails with a broken pipe only once everything written before the writers closed is read.
    while (ReadFile (pipe, buffer, sizeof (buffer), &count, nullptr) != FALSE && count > 0)
    {
        const std::lock_guard<std::mutex> guard (collector->lock);
        collector->bytes.write (buffer, count);
    }

    CloseHandle (pipe);
    {
        const std::lock_guard<std::mutex> guard (collector->lock);
        collector->done = true;
    }
    collector->finished.notify_all();
}

bool isRunnableFile (const juce::String& program)
{
    const juce::File file (program);
    return juce::File::isAbsolutePath (program) ? file.existsAsFile() : program.isNotEmpty();
}
} // namespace

ProgramRunResult runProgram (const juce::StringArray& arguments, int deadlineMs)
{
    ProgramRunResult result;

    if (arguments.isEmpty() || ! isRunnableFile (arguments[0]))
        return result;

    SECURITY_ATTRIBUTES inheritable{ sizeof (SECURITY_ATTRIBUTES), nullptr, TRUE };
    HANDLE readEnd = nullptr, writeEnd = nullptr;

    if (CreatePipe (&readEnd, &writeEnd, &inheritable, 0) == FALSE)
        return result;

    SetHandleInformation (readEnd, HANDLE_FLAG_INHERIT, 0); // only the writing end is the program's

    STARTUPINFOW startup{};
    startup.cb = sizeof (startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = writeEnd;
    // Only what the program prints on its standard output is its answer; its standard error goes
    // nowhere, as on the other systems.
    const auto nowhere = CreateFileW (L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr);
    startup.hStdError = nowhere;

    PROCESS_INFORMATION process{};
    auto commandLine = windowsCommandLine (arguments);
    const auto started = CreateProcessW (nullptr, const_cast<LPWSTR> (commandLine.toWideCharPointer()), nullptr, nullptr, TRUE,
                                         CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr, &startup, &process)
                         != FALSE;
    CloseHandle (writeEnd); // the program holds the only writing end now, so its end closes the pipe

    if (nowhere != INVALID_HANDLE_VALUE)
        CloseHandle (nowhere);

    if (! started)
    {
        CloseHandle (readEnd);
        return result;
    }

    result.started = true;
    CloseHandle (process.hThread);

    auto collector = std::make_shared<OutputCollector>();
    std::thread reader (collectOutput, readEnd, collector);

    if (WaitForSingleObject (process.hProcess, (DWORD) juce::jmax (0, deadlineMs)) != WAIT_OBJECT_0)
    {
        result.timedOut = true;
        TerminateProcess (process.hProcess, 1);
        WaitForSingleObject (process.hProcess, 1000);
    }

    CloseHandle (process.hProcess);

    // The pipe closes with the program; only a child it left behind could hold it open longer.
    constexpr int pipeGraceMs = 1000;
    std::unique_lock<std::mutex> guard (collector->lock);

    if (collector->finished.wait_for (guard, std::chrono::milliseconds (pipeGraceMs), [&] { return collector->done; }))
    {
        guard.unlock();
        reader.join();
        guard.lock();
    }
    else
    {
        reader.detach();
    }

    result.output =
        juce::String::fromUTF8 (static_cast<const char*> (collector->bytes.getData()), static_cast<int> (collector->bytes.getDataSize()));
    return result;
}
} // namespace talvor
#endif
