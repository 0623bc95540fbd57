#include "platform/ProgramRunner.h"

// Windows has its own runner (ProgramRunnerWindows.cpp): the framework's pipe reading there can
// stop before the output of a program that has just ended is all read.
#if ! JUCE_WINDOWS

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace talvor
{
namespace
{
/** The output read so far. The reader thread owns a share of it, so that a reader still blocked
    on a pipe that a left-over grandchild keeps open can be let go without dangling. */
struct OutputCollector
{
    std::mutex lock;
    std::condition_variable finished;
    juce::MemoryOutputStream bytes;
    bool done = false;
};

void collectOutput (std::shared_ptr<juce::ChildProcess> process, std::shared_ptr<OutputCollector> collector)
{
    char buffer[512];

    for (;;)
    {
        const auto count = process->readProcessOutput (buffer, static_cast<int> (sizeof (buffer)));

        if (count <= 0)
            break;

        const std::lock_guard<std::mutex> guard (collector->lock);
        collector->bytes.write (buffer, static_cast<size_t> (count));
    }

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

    auto process = std::make_shared<juce::ChildProcess>();

    // Only standard output is the program's answer: what it writes to standard error (progress,
    // warnings, a diagnostic that happens to read "Success.") is not read as part of it.
    if (! process->start (arguments, juce::ChildProcess::wantStdOut))
        return result;

    result.started = true;

    // The pipe read blocks until the program writes or ends, so it runs beside the deadline.
    auto collector = std::make_shared<OutputCollector>();
    std::thread reader (collectOutput, process, collector);

    if (! process->waitForProcessToFinish (juce::jmax (0, deadlineMs)))
    {
        result.timedOut = true;
        process->kill();
        process->waitForProcessToFinish (1000); // reaps it
    }

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
